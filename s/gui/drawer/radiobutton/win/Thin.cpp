#include "s/gui/drawer/radiobutton/win/Thin.h"

#include <algorithm>

#include "platform/ui/Image.h"

namespace s::gui::drawer::radiobutton::win {

using platform::ui::Rect;

namespace {
constexpr int kScratch = 52;
constexpr auto kInside = platform::ui::rgb(255, 255, 255);
}  // namespace

void Thin::reset() {
  frame_ = mark_ = disabled_ = 0;
  text_->reset();
}

void Thin::configure(const SkinColors& colors) {
  frame_ = mark_ = colors[Role::kCompFg];
  disabled_ = colors[Role::kCompDisabled];
  text_->configure(colors);
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = frame_;
  colors[Role::kCompDisabled] = disabled_;
  colors[Role::kText] = text_->colorFor({}, Look::kNormal);
}

void Thin::paint(const CheckState& state, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const auto frame = state.enabled ? frame_ : disabled_;
  const auto mark = state.enabled ? mark_ : disabled_;
  thread_local platform::ui::Image scratch(kScratch, kScratch);
  scratch.clear(scratch.bounds());
  {
    platform::ui::Canvas big(scratch);
    big.fillEllipse(scratch.bounds(), frame);
    big.fillEllipse(scratch.bounds().inset(4), kInside);
    if (state.checked) {
      big.fillEllipse({12, 12, 40, 40}, kInside);
      big.fillEllipse(Rect{12, 12, 40, 40}.inset(4), mark);
    }
  }
  const int top = rect.top + rect.height() / 2 - 6;
  canvas.drawImageScaled(scratch, scratch.bounds(), Rect::fromSize(rect.left, top, kCircle, kCircle));
  const Look look = state.enabled ? Look::kNormal : Look::kDisabled;
  const Rect caption{rect.left + kCircle + kCircle / 6, rect.top, rect.right, rect.bottom};
  text_->draw(canvas, state.caption, caption, state.font, text_->colorFor(state.font, look),
              platform::ui::text::kVCenter | platform::ui::text::kEndEllipsis);
}

platform::ui::Size Thin::measure(const CheckState& state) const {
  const platform::ui::Size text = text_->measure({state.caption, state.font, Look::kNormal, 0});
  return {text.width + kCircle + kCircle / 6, std::max(text.height, kCircle)};
}

}  // namespace s::gui::drawer::radiobutton::win
