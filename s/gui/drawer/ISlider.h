#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct SliderState {
  int minimum = 0;
  int maximum = 100;
  int value = 0;
  bool highlight = false;
  int reference = 0;  // where the highlight starts (the minimum for a plain slider)
  bool enabled = true;
  bool limitMode = false;
  int limit = 0;
  // Track colouring: 0 none, 1 blend from p to q (0x00BBGGRR), 2-4 HSV hue, saturation, value
  // and 5-7 HSL hue, saturation, lightness ranges with the other two components p and q.
  int trackMode = 0;
  int trackP = 0;
  int trackQ = 0;
};

class ISlider : public IDrawer {
 public:
  // Width of a thumb; the slider maps the pointer to values over the width minus this.
  static constexpr int kThumbWidth = 10;

  virtual void paint(const SliderState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
};

}  // namespace s::gui::drawer
