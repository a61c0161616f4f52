#pragma once
#include "s/gui/drawer/IBorder.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::border::win {

// 1-pixel frames: square (style 0), with the corner pixels left out (1), or rounded by a
// further pixel (2). Under the pointer a second line runs along the bottom and right edges
// (raised); pressed, along the top and left (sunken). Colours come with each call.
class Thin final : public PooledDrawer<Thin, IBorder> {
 public:
  void configure(const SkinColors&) override {}
  void readColors(SkinColors&) const override {}
  void paint(const BorderState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_border_win_Thin"; }
  void reset() override {}
};

}  // namespace s::gui::drawer::border::win
