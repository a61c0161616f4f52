#include "s/gui/drawer/slider/win/Thin.h"

#include <algorithm>
#include <cstdint>

#include "s/gui/drawer/ColorModel.h"
#include "s/gui/drawer/Glyph.h"

namespace s::gui::drawer::slider::win {

using platform::ui::Color;
using platform::ui::Rect;

void Thin::reset() {
  frameStyle_ = 1;
  frame_ = fill_ = background_ = disabled_ = 0;
}

void Thin::configure(const SkinColors& colors) {
  frame_ = fill_ = colors[Role::kCompFg];
  background_ = colors[Role::kSliderBg];
  disabled_ = colors[Role::kCompDisabled];
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = frame_;
  colors[Role::kSliderBg] = background_;
  colors[Role::kCompDisabled] = disabled_;
}

Color Thin::trackColor(const SliderState& s, double t) const {
  const int p = s.trackP, q = s.trackQ;
  const int hue = static_cast<int>(t * 359 + 0.5), percent = static_cast<int>(t * 100 + 0.5);
  switch (s.trackMode) {
    case 1: return ColorModel::blend(static_cast<Color>(p), static_cast<Color>(q), t);
    case 2: return ColorModel::fromHsv(hue, p, q);
    case 3: return ColorModel::fromHsv(p, percent, q);
    case 4: return ColorModel::fromHsv(p, q, percent);
    case 5: return ColorModel::fromHsl(hue, p, q);
    case 6: return ColorModel::fromHsl(p, percent, q);
    default: return ColorModel::fromHsl(p, q, percent);
  }
}

void Thin::paint(const SliderState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const Color frame = s.enabled ? frame_ : disabled_;
  const Color fill = s.enabled ? fill_ : disabled_;
  const int w = rect.width(), h = rect.height();
  const int l = rect.left, t = rect.top;
  canvas.fillRect(rect, background_);
  const std::int64_t range = static_cast<std::int64_t>(s.maximum) - s.minimum;
  const int travel = w - ISlider::kThumbWidth;
  if (range <= 0 || travel <= 0) {
    // Nothing to place a thumb on: the empty track.
    border_->paint({frameStyle_, 0, frame}, rect, canvas);
    return;
  }
  auto at = [&](int v, int span) {
    const std::int64_t clamped = std::clamp<std::int64_t>(v, s.minimum, s.maximum);
    return static_cast<int>((clamped - s.minimum) * span / range);
  };
  const int thumb = at(s.value, travel);
  const int limitThumb = at(s.limit, travel);
  const int reference = std::clamp(at(s.reference, w), 1, std::max(w - 1, 1));
  const int inner = std::max(h - 2, 0);
  auto columns = [&](int x0, int x1, Color c) {
    x0 = std::max(x0, 1);
    x1 = std::min(x1, w - 1);
    if (x1 > x0) canvas.fillRect(Rect::fromSize(l + x0, t + 1, x1 - x0, inner), c);
  };
  if (s.trackMode > 0 && w > 2) {
    for (int x = 1; x <= w - 2; ++x) {
      if (x >= thumb && x < thumb + ISlider::kThumbWidth) continue;
      columns(x, x + 1, trackColor(s, w > 3 ? double(x - 1) / (w - 3) : 0.0));
    }
  }
  if (s.highlight) {
    if (s.limitMode) columns(thumb + ISlider::kThumbWidth, limitThumb, fill);
    else if (s.reference <= s.minimum) columns(1, thumb, fill);
    else if (reference <= thumb) columns(reference, thumb, fill);
    else columns(thumb + ISlider::kThumbWidth, reference, fill);
  }
  border_->paint({frameStyle_, 0, frame}, rect, canvas);
  auto drawThumb = [&](int x) {
    const Rect r = Rect::fromSize(l + x, t, ISlider::kThumbWidth, h);
    canvas.fillRect(r.inset(1), background_);
    border_->paint({frameStyle_, 0, frame}, r, canvas);
    Glyph::paint(u"#ThumbLineV", r, frame, canvas);
  };
  if (s.limitMode) drawThumb(limitThumb);
  drawThumb(thumb);
}

}  // namespace s::gui::drawer::slider::win
