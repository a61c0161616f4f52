#include "s/gui/drawer/combo/win/Thin.h"

#include <algorithm>

#include "s/gui/drawer/Glyph.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::combo::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

void Thin::reset() { frame_ = text_ = background_ = disabled_ = 0; }

void Thin::configure(const SkinColors& colors) {
  frame_ = colors[Role::kCompFg];
  text_ = colors[Role::kText];
  background_ = colors[Role::kWindowBg];
  disabled_ = colors[Role::kCompDisabled];
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = frame_;
  colors[Role::kText] = text_;
  colors[Role::kWindowBg] = background_;
  colors[Role::kCompDisabled] = disabled_;
}

void Thin::paint(const ComboState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const auto frame = s.enabled ? frame_ : disabled_;
  canvas.fillRect(rect, background_);
  border_->paint({1, s.open ? 2 : s.hover, frame}, rect, canvas);
  const int button = std::min(rect.height(), rect.width() / 2);
  const Rect arrow{rect.right - button, rect.top, rect.right, rect.bottom};
  canvas.fillRect({arrow.left, rect.top + 3, arrow.left + 1, rect.bottom - 3}, frame);
  Glyph::paint(u"#Down", arrow.inset(3), frame, canvas);
  const auto color = s.font.hasColor ? s.font.color : s.enabled ? text_ : disabled_;
  canvas.drawText(s.text, {rect.left + 4, rect.top + 1, arrow.left - 2, rect.bottom - 1}, s.font.font,
                  color, flag::kVCenter | flag::kEndEllipsis);
}

platform::ui::Size Thin::measure(const ComboState& s) const {
  auto& c = text::win::Basic::measuringCanvas();
  const platform::ui::Size text = c.measureText(s.text, s.font.font);
  const int h = std::max(text.height, c.lineHeight(s.font.font)) + 6;
  return {text.width + 8 + h, h};
}

}  // namespace s::gui::drawer::combo::win
