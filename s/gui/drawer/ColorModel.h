#pragma once
#include "platform/ui/Geometry.h"

namespace s::gui::drawer {

// Conversions between RGB and the HSV and HSL colour models, with hue in degrees (0 to 359) and
// the other components in percent (0 to 100), the ranges the colour picker shows.
class ColorModel {
 public:
  static platform::ui::Color fromHsv(int hue, int saturation, int value);
  static platform::ui::Color fromHsl(int hue, int saturation, int lightness);
  // A colour between a and b: t = 0 gives a, t = 1 gives b.
  static platform::ui::Color blend(platform::ui::Color a, platform::ui::Color b, double t);
};

}  // namespace s::gui::drawer
