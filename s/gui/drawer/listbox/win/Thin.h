#pragma once
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/listbox/win/Basic.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::listbox::win {

// The skin's list drawer hands every call to the plain list drawer that holds the colours.
class Thin final : public PooledDrawer<Thin, IListBox> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paintCell(const ListCellState& state, const platform::ui::Rect& rect,
                 platform::ui::Canvas& canvas) const override;
  void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  int rowHeight(const FontStyle& font) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_listbox_win_Thin"; }
  void reset() override;

 private:
  thread::Pooled<Basic> inner_{Basic::create()};
};

}  // namespace s::gui::drawer::listbox::win
