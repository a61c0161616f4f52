#include "s/gui/drawer/radiobutton/win/Thin.h"

#include <algorithm>

#include "platform/ui/Image.h"

namespace s::gui::drawer::radiobutton::win {

using platform::ui::Rect;

namespace {
constexpr int kScratch = 52;
constexpr int kFactor = kScratch / Thin::kCircle;
constexpr auto kInside = platform::ui::rgb(255, 255, 255);

// Reduces the 4x drawing by averaging each 4 x 4 block and lays it over what the canvas already
// holds: the pixels outside the circle keep the widget's background, the edge blends into it.
void reduceOnto(const platform::ui::Image& big, platform::ui::Canvas& canvas, int left, int top) {
  const platform::ui::Image& under = canvas.target();
  const platform::ui::Point origin = canvas.origin();
  for (int y = 0; y < Thin::kCircle; ++y)
    for (int x = 0; x < Thin::kCircle; ++x) {
      int r = 0, g = 0, b = 0, opaque = 0;
      for (int dy = 0; dy < kFactor; ++dy)
        for (int dx = 0; dx < kFactor; ++dx) {
          const int sx = x * kFactor + dx, sy = y * kFactor + dy;
          if (big.alpha(sx, sy) == 0) continue;
          const auto c = big.pixel(sx, sy);
          r += platform::ui::redOf(c);
          g += platform::ui::greenOf(c);
          b += platform::ui::blueOf(c);
          ++opaque;
        }
      if (opaque == 0) continue;
      constexpr int kBlock = kFactor * kFactor;
      const auto d = under.pixel(origin.x + left + x, origin.y + top + y);
      auto mix = [&](int sum, int dest) { return (sum + dest * (kBlock - opaque) + kBlock / 2) / kBlock; };
      canvas.setPixel(left + x, top + y,
                      platform::ui::rgb(mix(r, platform::ui::redOf(d)), mix(g, platform::ui::greenOf(d)),
                                        mix(b, platform::ui::blueOf(d))));
    }
}
}  // namespace

void Thin::reset() {
  frame_ = disabled_ = 0;
  text_->reset();
}

void Thin::configure(const SkinColors& colors) {
  frame_ = colors[Role::kCompFg];
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
  thread_local platform::ui::Image scratch(kScratch, kScratch);
  scratch.clear(scratch.bounds());
  {
    platform::ui::Canvas big(scratch);
    big.fillEllipse(scratch.bounds(), frame);
    big.fillEllipse(scratch.bounds().inset(4), kInside);
    if (state.checked) {
      big.fillEllipse({12, 12, 40, 40}, kInside);
      big.fillEllipse(Rect{12, 12, 40, 40}.inset(4), frame);
    }
  }
  const int top = rect.top + rect.height() / 2 - 6;
  reduceOnto(scratch, canvas, rect.left, top);
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
