#include "s/gui/drawer/scrollbar/win/Thin.h"

#include <algorithm>
#include <cstdint>

#include "s/gui/drawer/Glyph.h"

namespace s::gui::drawer::scrollbar::win {

using platform::ui::Rect;

void Thin::reset() { foreground_ = background_ = 0; }

void Thin::configure(const SkinColors& colors) {
  foreground_ = colors[Role::kCompFg];
  background_ = colors[Role::kSliderBg];
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = foreground_;
  colors[Role::kSliderBg] = background_;
}

ScrollBarParts Thin::parts(const ScrollBarState& s, const Rect& rect) const {
  ScrollBarParts p;
  const int length = s.vertical ? rect.height() : rect.width();
  const int thickness = s.vertical ? rect.width() : rect.height();
  const int arrow = std::min(thickness, length / 2);
  auto span = [&](int from, int to) {  // a piece along the bar's axis
    return s.vertical ? Rect{rect.left, rect.top + from, rect.right, rect.top + to}
                      : Rect{rect.left + from, rect.top, rect.left + to, rect.bottom};
  };
  p.firstArrow = span(0, arrow);
  p.secondArrow = span(length - arrow, length);
  p.track = span(arrow, length - arrow);
  const std::int64_t range = static_cast<std::int64_t>(s.maximum) - s.minimum + 1;
  const int track = length - 2 * arrow;
  if (s.page <= 0 || s.page >= range || track <= 0) return p;
  const int thumb = std::clamp(static_cast<int>(track * static_cast<std::int64_t>(s.page) / range),
                               std::min(kMinThumb, track), track);
  const std::int64_t travel = range - s.page;
  const std::int64_t position = std::clamp<std::int64_t>(s.position - s.minimum, 0, travel);
  const int offset = static_cast<int>((track - thumb) * position / travel);
  p.thumb = span(arrow + offset, arrow + offset + thumb);
  return p;
}

void Thin::paint(const ScrollBarState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const auto fg = s.hasColor ? s.color : foreground_;
  canvas.fillRect(rect, background_);
  const ScrollBarParts p = parts(s, rect);
  auto arrow = [&](const Rect& r, const char16_t* glyph, int part) {
    if (r.empty()) return;
    const int look = s.hover == part ? (s.pressed ? 2 : 1) : 0;
    border_->paint({1, look, fg}, r, canvas);
    Glyph::paint(glyph, r.inset(2), fg, canvas);
  };
  arrow(p.firstArrow, s.vertical ? u"#Up" : u"#Left", 1);
  arrow(p.secondArrow, s.vertical ? u"#Down" : u"#Right", 2);
  if (!p.thumb.empty() && s.enabled) {
    canvas.fillRect(p.thumb.inset(1), fg);
    Glyph::paint(s.vertical ? u"#ThumbLineH" : u"#ThumbLineV", p.thumb.inset(1), background_, canvas);
  }
}

}  // namespace s::gui::drawer::scrollbar::win
