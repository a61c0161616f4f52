#include "s/gui/drawer/combo/win/Thin.h"

#include <algorithm>

#include "s/gui/drawer/Glyph.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::combo::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

void Thin::reset() { colors_ = {}; }

void Thin::configure(const SkinColors& colors) { colors_.configure(colors); }

void Thin::readColors(SkinColors& colors) const { colors_.read(colors); }

void Thin::paint(const ComboState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const auto frame = s.enabled ? colors_.frame : colors_.disabled;
  canvas.fillRect(rect, colors_.background);
  border_->paint({1, s.open ? 2 : s.hover, frame}, rect, canvas);
  const int button = std::min(rect.height(), rect.width() / 2);
  const Rect arrow{rect.right - button, rect.top, rect.right, rect.bottom};
  canvas.fillRect({arrow.left, rect.top + 3, arrow.left + 1, rect.bottom - 3}, frame);
  Glyph::paint(u"#Down", arrow.inset(3), frame, canvas);
  const auto color = s.font.hasColor ? s.font.color : s.enabled ? colors_.text : colors_.disabled;
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
