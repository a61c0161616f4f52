#pragma once
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::counter::win {

// The graph panel's series: a bar for the newest sample, or a history of one sample per pixel
// column from the right edge, centred vertically.
class Basic final : public PooledDrawer<Basic, ICounter> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const CounterState& state, const platform::ui::Rect& graph,
             platform::ui::Canvas& canvas) const override;

  // A skin's counter draws over the panel's own background; a drawer that fills is opaque.
  void setTransparent(bool on) { transparent_ = on; }
  void setBackground(platform::ui::Color c) { background_ = c; }

  const char16_t* typeName() const override { return u"s_gui_drawer_counter_win_Basic"; }
  void reset() override { *this = Basic(); }

 private:
  bool transparent_ = true;
  platform::ui::Color background_ = 0;
  platform::ui::Color first_ = 0;
  platform::ui::Color second_ = 0;
};

}  // namespace s::gui::drawer::counter::win
