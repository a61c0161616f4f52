#pragma once
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::listheader::win {

// Column captions on the header colour, separated by short lines, with a sort arrow.
class Thin final : public PooledDrawer<Thin, IListHeader> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paintItem(const ListHeaderItemState& state, const platform::ui::Rect& rect,
                 platform::ui::Canvas& canvas) const override;
  void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  int height(const FontStyle& font) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_listheader_win_Thin"; }
  void reset() override { *this = Thin(); }

 private:
  platform::ui::Color border_ = 0;
  platform::ui::Color background_ = 0;
  platform::ui::Color caption_ = 0;
};

}  // namespace s::gui::drawer::listheader::win
