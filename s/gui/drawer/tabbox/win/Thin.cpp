#include "s/gui/drawer/tabbox/win/Thin.h"

#include <algorithm>

#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::tabbox::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

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

void Thin::paintTab(const TabState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  // An unselected tab stands 2 pixels lower and is closed at the bottom by the page's line.
  const Rect tab = s.selected ? rect : Rect{rect.left, rect.top + 2, rect.right, rect.bottom};
  canvas.fillRect(tab, background_);
  canvas.fillRect({tab.left + 1, tab.top, tab.right - 1, tab.top + 1}, frame_);
  canvas.fillRect({tab.left, tab.top + 1, tab.left + 1, tab.bottom}, frame_);
  canvas.fillRect({tab.right - 1, tab.top + 1, tab.right, tab.bottom}, frame_);
  if (!s.selected) canvas.fillRect({tab.left, tab.bottom - 1, tab.right, tab.bottom}, frame_);
  if (s.hover == 1 && !s.selected) canvas.fillRect({tab.left + 1, tab.top + 1, tab.right - 1, tab.top + 2}, frame_);
  const auto color = s.font.hasColor ? s.font.color : s.enabled ? text_ : disabled_;
  canvas.drawText(s.caption, tab.inset(2), s.font.font, color, flag::kCenter | flag::kVCenter | flag::kEndEllipsis);
}

void Thin::paintPage(const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  canvas.fillRect(rect, background_);
  canvas.frameRect(rect, frame_);
}

platform::ui::Size Thin::measureTab(const TabState& s) const {
  auto& c = text::win::Basic::measuringCanvas();
  const platform::ui::Size text = c.measureText(s.caption, s.font.font);
  return {text.width + 12, std::max(text.height, c.lineHeight(s.font.font)) + 6};
}

}  // namespace s::gui::drawer::tabbox::win
