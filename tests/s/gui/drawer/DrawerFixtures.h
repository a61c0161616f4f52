#pragma once
#include "platform/ui/Canvas.h"
#include "platform/ui/Image.h"
#include "s/gui/drawer/SkinColors.h"

namespace drawer_test {

using s::gui::drawer::Role;
using s::gui::drawer::SkinColors;

// A palette whose fifteen colours all differ, so that a pixel tells which role painted it.
inline SkinColors distinctPalette() {
  SkinColors c;
  for (int i = 0; i < s::gui::drawer::kRoleCount; ++i)
    c.colors[i] = platform::ui::rgb(10 + 15 * i, 200 - 11 * i, (37 * i) % 256);
  return c;
}

constexpr auto kPaper = platform::ui::rgb(1, 2, 3);  // no role has it

inline platform::ui::Image paper(int w, int h) {
  platform::ui::Image image(w, h);
  image.fill(kPaper);
  return image;
}

// Pixels of one colour in a rectangle.
inline int count(const platform::ui::Image& image, const platform::ui::Rect& r, platform::ui::Color c) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += image.pixel(x, y) == c;
  return n;
}

// Pixels nearer to `ink` than to `ground`: anti-aliased text counts by these, since only the
// middle of its strokes takes the exact colour.
inline int inked(const platform::ui::Image& image, const platform::ui::Rect& r, platform::ui::Color ink,
                 platform::ui::Color ground) {
  auto distance = [](platform::ui::Color a, platform::ui::Color b) {
    const int dr = platform::ui::redOf(a) - platform::ui::redOf(b);
    const int dg = platform::ui::greenOf(a) - platform::ui::greenOf(b);
    const int db = platform::ui::blueOf(a) - platform::ui::blueOf(b);
    return dr * dr + dg * dg + db * db;
  };
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const auto p = image.pixel(x, y);
      n += p != ground && distance(p, ink) < distance(p, ground);
    }
  return n;
}

}  // namespace drawer_test
