#include "s/gui/drawer/menu/win/Basic.h"

#include <algorithm>

#include "s/gui/drawer/Glyph.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::menu::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

void Basic::configure(const SkinColors& colors) { colors_.configure(colors); }

void Basic::readColors(SkinColors& colors) const { colors_.read(colors); }

void Basic::paintBackground(const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  canvas.fillRect(rect, colors_.background);
  canvas.frameRect(rect, colors_.frame);
}

void Basic::paintItem(const MenuItemState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  if (s.separator) {
    const int y = rect.top + rect.height() / 2;
    canvas.fillRect({rect.left + 4, y, rect.right - 4, y + 1}, colors_.frame);
    return;
  }
  const bool lit = s.highlighted && s.enabled;
  canvas.fillRect(rect, lit ? colors_.frame : colors_.background);
  const auto color = !s.enabled ? colors_.disabled : lit ? colors_.background : colors_.text;
  const Rect mark = Rect::fromSize(rect.left + 3, rect.top + (rect.height() - 14) / 2, 14, 14);
  if (s.mark == 1) Glyph::paint(u"#Check", mark, color, canvas);
  if (s.mark == 2) canvas.fillRect(Rect::fromSize(mark.left + 4, mark.top + 4, 6, 6), color);
  const int right = rect.right - (s.subMenu ? 16 : 8);
  canvas.drawText(s.text, {rect.left + kMarkColumn + 2, rect.top, right, rect.bottom}, s.font.font, color,
                  flag::kVCenter | flag::kEndEllipsis);
  if (!s.shortcut.empty())
    canvas.drawText(s.shortcut, {rect.left + kMarkColumn, rect.top, right, rect.bottom}, s.font.font, color,
                    flag::kRight | flag::kVCenter);
  if (s.subMenu)
    Glyph::paint(u"#Right", Rect::fromSize(rect.right - 14, rect.top + (rect.height() - 10) / 2, 10, 10),
                 color, canvas);
}

platform::ui::Size Basic::measureItem(const MenuItemState& s) const {
  if (s.separator) return {kMarkColumn, 7};
  auto& c = text::win::Basic::measuringCanvas();
  const platform::ui::Size text = c.measureText(s.text, s.font.font);
  const int shortcut = s.shortcut.empty() ? 0 : c.measureText(s.shortcut, s.font.font).width + 24;
  return {kMarkColumn + 2 + text.width + shortcut + 24, std::max(text.height, c.lineHeight(s.font.font)) + 6};
}

}  // namespace s::gui::drawer::menu::win
