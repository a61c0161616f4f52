#pragma once
#include "s/gui/drawer/IMenu.h"
#include "s/gui/drawer/FrameColors.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::menu::win {

// Menu panes: the window colour, a frame, and the highlighted entry in the widget colour with
// its text in the window colour.
class Basic final : public PooledDrawer<Basic, IMenu> {
 public:
  static constexpr int kMarkColumn = 20;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  void paintItem(const MenuItemState& state, const platform::ui::Rect& rect,
                 platform::ui::Canvas& canvas) const override;
  platform::ui::Size measureItem(const MenuItemState& state) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_menu_win_Basic"; }
  void reset() override { *this = Basic(); }

 private:
  FrameColors colors_;
};

}  // namespace s::gui::drawer::menu::win
