#include "s/gui/drawer/ColorModel.h"

#include <algorithm>
#include <cmath>

namespace s::gui::drawer {

namespace {

platform::ui::Color fromUnit(double r, double g, double b) {
  auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return platform::ui::rgb(channel(r), channel(g), channel(b));
}

// r, g, b of a hue with chroma c and lightness offset m.
platform::ui::Color fromChroma(int hue, double c, double m) {
  const double h = std::fmod(std::fmod(hue, 360) + 360.0, 360.0) / 60.0;
  const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
  }
  return fromUnit(r + m, g + m, b + m);
}

double unit(int percent) { return std::clamp(percent, 0, 100) / 100.0; }

}  // namespace

platform::ui::Color ColorModel::fromHsv(int hue, int saturation, int value) {
  const double v = unit(value);
  const double c = v * unit(saturation);
  return fromChroma(hue, c, v - c);
}

platform::ui::Color ColorModel::fromHsl(int hue, int saturation, int lightness) {
  const double l = unit(lightness);
  const double c = (1 - std::fabs(2 * l - 1)) * unit(saturation);
  return fromChroma(hue, c, l - c / 2);
}

platform::ui::Color ColorModel::blend(platform::ui::Color a, platform::ui::Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return platform::ui::rgb(mix(platform::ui::redOf(a), platform::ui::redOf(b)),
                           mix(platform::ui::greenOf(a), platform::ui::greenOf(b)),
                           mix(platform::ui::blueOf(a), platform::ui::blueOf(b)));
}

}  // namespace s::gui::drawer
