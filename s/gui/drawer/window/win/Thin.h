#pragma once
#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::window::win {

// The top-level window: background, a 1-pixel frame, corners square (0), slightly rounded (1)
// or rounded (2), and the window region that cuts the corners to match.
class Thin final : public PooledDrawer<Thin, IWindow> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const WindowState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Region region(const WindowState& state, platform::ui::Size size) const override;
  platform::ui::Color background() const override { return background_; }

  void setTransparent(bool on) { transparent_ = on; }

  const char16_t* typeName() const override { return u"s_gui_drawer_window_win_Thin"; }
  void reset() override { *this = Thin(); }

 private:
  platform::ui::Color background_ = 0;
  platform::ui::Color frame_ = 0;
  bool transparent_ = false;
};

}  // namespace s::gui::drawer::window::win
