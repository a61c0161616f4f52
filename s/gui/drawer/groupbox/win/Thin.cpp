#include "s/gui/drawer/groupbox/win/Thin.h"

#include <algorithm>

namespace s::gui::drawer::groupbox::win {

using platform::ui::Rect;

void Thin::reset() {
  frame_ = 0;
  text_->reset();
}

void Thin::configure(const SkinColors& colors) {
  frame_ = colors[Role::kGroupBorder];
  text_->configure(colors);
}

void Thin::readColors(SkinColors& colors) const { colors[Role::kGroupBorder] = frame_; }

Rect Thin::inner(const GroupBoxState& state, const Rect& rect) const {
  const int line = text_->lineHeight(state.font);
  return {rect.left + 4, rect.top + line + 2, rect.right - 4, rect.bottom - 4};
}

void Thin::paint(const GroupBoxState& state, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.width() < 6 || rect.height() < 6) return;
  const int line = text_->lineHeight(state.font);
  const int l = rect.left, r = rect.right, b = rect.bottom;
  const int t = rect.top + std::max(line / 2 - 1, 0);  // the top line runs through the caption
  auto fill = [&](int x0, int y0, int x1, int y1) {
    if (x1 > x0 && y1 > y0) canvas.fillRect({x0, y0, x1, y1}, frame_);
  };
  int captionWidth = 0;
  if (!state.caption.empty()) {
    captionWidth = text_->measure({state.caption, state.font, Look::kNormal, 0}).width;
    captionWidth = std::min(captionWidth, r - l - kCaptionX - 4);
  }
  const int captionLeft = l + kCaptionX, captionRight = captionLeft + captionWidth;
  if (captionWidth > 0) {
    fill(l + 2, t, captionLeft - 4, t + 2);
    fill(captionRight + 2, t, r - 2, t + 2);
  } else {
    fill(l + 2, t, r - 2, t + 2);
  }
  fill(l + 2, b - 2, r - 2, b);
  fill(l, t + 2, l + 2, b - 2);
  fill(r - 2, t + 2, r, b - 2);
  fill(l + 1, t + 1, l + 3, t + 3);
  fill(r - 3, t + 1, r - 1, t + 3);
  fill(l + 1, b - 3, l + 3, b - 1);
  fill(r - 3, b - 3, r - 1, b - 1);
  if (captionWidth <= 0) return;
  const Look look = state.enabled ? Look::kNormal : Look::kDisabled;
  text_->draw(canvas, state.caption, Rect{captionLeft, rect.top, captionRight, rect.top + line},
              state.font, text_->colorFor(state.font, look), platform::ui::text::kEndEllipsis);
}

}  // namespace s::gui::drawer::groupbox::win
