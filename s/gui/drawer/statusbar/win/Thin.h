#pragma once
#include "s/gui/drawer/IStatusBar.h"
#include "s/gui/drawer/FrameColors.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::statusbar::win {

// A strip in the window colour under a 1-pixel line, its text at the left and an optional size
// grip of dots at the right.
class Thin final : public PooledDrawer<Thin, IStatusBar> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const StatusBarState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  int height(const FontStyle& font) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_statusbar_win_Thin"; }
  void reset() override { *this = Thin(); }

 private:
  FrameColors colors_;
};

}  // namespace s::gui::drawer::statusbar::win
