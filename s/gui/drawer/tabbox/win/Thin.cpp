#include "s/gui/drawer/tabbox/win/Thin.h"

#include <algorithm>

#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::tabbox::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

void Thin::configure(const SkinColors& colors) { colors_.configure(colors); }

void Thin::readColors(SkinColors& colors) const { colors_.read(colors); }

void Thin::paintTab(const TabState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  // An unselected tab stands 2 pixels lower and is closed at the bottom by the page's line.
  const Rect tab = s.selected ? rect : Rect{rect.left, rect.top + 2, rect.right, rect.bottom};
  canvas.fillRect(tab, colors_.background);
  canvas.fillRect({tab.left + 1, tab.top, tab.right - 1, tab.top + 1}, colors_.frame);
  canvas.fillRect({tab.left, tab.top + 1, tab.left + 1, tab.bottom}, colors_.frame);
  canvas.fillRect({tab.right - 1, tab.top + 1, tab.right, tab.bottom}, colors_.frame);
  if (!s.selected) canvas.fillRect({tab.left, tab.bottom - 1, tab.right, tab.bottom}, colors_.frame);
  if (s.hover == 1 && !s.selected) canvas.fillRect({tab.left + 1, tab.top + 1, tab.right - 1, tab.top + 2}, colors_.frame);
  const auto color = s.font.hasColor ? s.font.color : s.enabled ? colors_.text : colors_.disabled;
  canvas.drawText(s.caption, tab.inset(2), s.font.font, color, flag::kCenter | flag::kVCenter | flag::kEndEllipsis);
}

void Thin::paintPage(const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  canvas.fillRect(rect, colors_.background);
  canvas.frameRect(rect, colors_.frame);
}

platform::ui::Size Thin::measureTab(const TabState& s) const {
  auto& c = text::win::Basic::measuringCanvas();
  const platform::ui::Size text = c.measureText(s.caption, s.font.font);
  return {text.width + 12, std::max(text.height, c.lineHeight(s.font.font)) + 6};
}

}  // namespace s::gui::drawer::tabbox::win
