#pragma once
#include "s/gui/drawer/ITabBox.h"
#include "s/gui/drawer/FrameColors.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::tabbox::win {

// Tabs as open-bottomed frames, the selected one taller and joined to the page below.
class Thin final : public PooledDrawer<Thin, ITabBox> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paintTab(const TabState& state, const platform::ui::Rect& rect,
                platform::ui::Canvas& canvas) const override;
  void paintPage(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const override;
  platform::ui::Size measureTab(const TabState& state) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_tabbox_win_Thin"; }
  void reset() override { *this = Thin(); }

 private:
  FrameColors colors_;
};

}  // namespace s::gui::drawer::tabbox::win
