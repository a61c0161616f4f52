#pragma once
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::listbox::win {

class Basic;

// The skin's list drawer hands every call to the plain list drawer that holds the colours.
class Thin final : public PooledDrawer<Thin, IListBox> {
 public:
  Thin();
  ~Thin() override;
  Thin(const Thin&) = delete;
  Thin& operator=(const Thin&) = delete;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paintCell(const ListCellState& state, const platform::ui::Rect& rect,
                 platform::ui::Canvas& canvas) const override;
  void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  int rowHeight(const FontSpec& font) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_listbox_win_Thin"; }
  void reset() override;

 private:
  Basic* inner_;
};

}  // namespace s::gui::drawer::listbox::win
