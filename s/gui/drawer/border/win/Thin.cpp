#include "s/gui/drawer/border/win/Thin.h"

#include <algorithm>

namespace s::gui::drawer::border::win {

using platform::ui::Rect;

void Thin::paint(const BorderState& state, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const auto c = state.color;
  const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  auto hline = [&](int x0, int x1, int y) {  // x1 excluded
    if (x1 > x0) canvas.fillRect({x0, y, x1, y + 1}, c);
  };
  auto vline = [&](int x, int y0, int y1) {
    if (y1 > y0) canvas.fillRect({x, y0, x + 1, y1}, c);
  };
  const int cut = std::clamp(state.style, 0, 2);
  hline(l + cut, r - cut, t);
  hline(l + cut, r - cut, b - 1);
  vline(l, t + cut, b - cut);
  vline(r - 1, t + cut, b - cut);
  if (cut == 2) {
    canvas.setPixel(l + 1, t + 1, c);
    canvas.setPixel(r - 2, t + 1, c);
    canvas.setPixel(l + 1, b - 2, c);
    canvas.setPixel(r - 2, b - 2, c);
  }
  const int in = cut == 2 ? 2 : 1;  // the inner line stays clear of the rounded corners
  if (state.look == 1) {
    hline(l + in, r - in, b - 2);
    vline(r - 2, t + in, b - in);
  } else if (state.look == 2) {
    hline(l + in, r - in, t + 1);
    vline(l + 1, t + in, b - in);
  }
}

}  // namespace s::gui::drawer::border::win
