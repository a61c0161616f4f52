#pragma once
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::slider::win {

// A flat track with 10-pixel thumbs: the part up to the thumb (or between the reference and the
// thumb, or between the two thumbs in limit mode) filled when highlighted, or a colour range run
// along the track for the colour picker.
class Thin final : public PooledDrawer<Thin, ISlider> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const SliderState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;

  void setFrameStyle(int style) { frameStyle_ = style; }

  const char16_t* typeName() const override { return u"s_gui_drawer_slider_win_Thin"; }
  void reset() override;

 private:
  platform::ui::Color trackColor(const SliderState& state, double t) const;

  int frameStyle_ = 1;
  platform::ui::Color frame_ = 0;
  platform::ui::Color fill_ = 0;
  platform::ui::Color background_ = 0;
  platform::ui::Color disabled_ = 0;
  thread::Pooled<border::win::Thin> border_{border::win::Thin::create()};
};

}  // namespace s::gui::drawer::slider::win
