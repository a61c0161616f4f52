#include "s/gui/drawer/window/win/Thin.h"

namespace s::gui::drawer::window::win {

using platform::ui::Rect;
using platform::ui::Region;

namespace {

// Runs from the outer edge, one per line from the frame inwards, that make each corner style.
constexpr int kSlight[] = {2};
constexpr int kRound[] = {5, 3, 2, 2, 1};

// Draws the runs of one corner pair. `line0` is the first line inside the frame and `step`
// +1 for the top corners, -1 for the bottom ones.
void corners(platform::ui::Canvas& canvas, const Rect& rect, int style, int line0, int step,
             platform::ui::Color c) {
  const int w = rect.width();
  const int* runs = style == 1 ? kSlight : kRound;
  const int count = style == 1 ? 1 : 5;
  for (int i = 0; i < count; ++i) {
    const int y = line0 + step * i;
    canvas.fillRect(Rect{0, y, runs[i], y + 1}.offset(rect.left, rect.top), c);
    canvas.fillRect(Rect{w - runs[i], y, w, y + 1}.offset(rect.left, rect.top), c);
  }
}

int ellipseFor(int style) { return style == 1 ? 5 : 11; }

}  // namespace

void Thin::configure(const SkinColors& colors) {
  background_ = colors[Role::kWindowBg];
  frame_ = colors[Role::kWindowFg];
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kWindowBg] = background_;
  colors[Role::kWindowFg] = frame_;
}

void Thin::paint(const WindowState& state, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const int h = rect.height();
  if (!transparent_) canvas.fillRect(rect, background_);
  canvas.frameRect(rect, frame_);
  if (state.topCorners == 1 || state.topCorners == 2) corners(canvas, rect, state.topCorners, 1, 1, frame_);
  if (state.bottomCorners == 1 || state.bottomCorners == 2)
    corners(canvas, rect, state.bottomCorners, h - 2, -1, frame_);
}

Region Thin::region(const WindowState& state, platform::ui::Size size) const {
  const Rect whole{0, 0, size.width, size.height};
  const int top = state.topCorners == 1 || state.topCorners == 2 ? state.topCorners : 0;
  const int bottom = state.bottomCorners == 1 || state.bottomCorners == 2 ? state.bottomCorners : 0;
  if (top == 0 && bottom == 0) return Region(whole);
  if (top == bottom) return Region::roundRect(whole, ellipseFor(top), ellipseFor(top));
  if (bottom == 0) {
    // the bottom rows stay square
    Region r = Region::roundRect(whole, ellipseFor(top), ellipseFor(top));
    const int rows = top == 1 ? 3 : 5;
    r.unite(Rect{0, size.height - rows, size.width, size.height});
    return r;
  }
  if (top == 0) {
    Region r = Region::roundRect(whole, ellipseFor(bottom), ellipseFor(bottom));
    const int rows = bottom == 1 ? 4 : 6;
    r.unite(Rect{0, 0, size.width, rows});
    return r;
  }
  // Different rounded styles: the upper half shaped by the top style, the lower by the bottom.
  const int middle = size.height / 2;
  Region upper = Region::roundRect(whole, ellipseFor(top), ellipseFor(top));
  upper.intersect(Rect{0, 0, size.width, middle});
  Region lower = Region::roundRect(whole, ellipseFor(bottom), ellipseFor(bottom));
  lower.intersect(Rect{0, middle, size.width, size.height});
  upper.unite(lower);
  return upper;
}

}  // namespace s::gui::drawer::window::win
