#include "s/gui/drawer/statusbar/win/Thin.h"

#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::statusbar::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

void Thin::configure(const SkinColors& colors) { colors_.configure(colors); }

void Thin::readColors(SkinColors& colors) const { colors_.read(colors); }

int Thin::height(const FontStyle& font) const {
  return text::win::Basic::measuringCanvas().lineHeight(font.font) + 6;
}

void Thin::paint(const StatusBarState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  canvas.fillRect(rect, colors_.background);
  canvas.fillRect({rect.left, rect.top, rect.right, rect.top + 1}, colors_.frame);
  int right = rect.right - 3;
  if (s.grip) {
    // three rows of dots stepping down to the corner
    for (int row = 0; row < 3; ++row)
      for (int col = 2 - row; col < 3; ++col)
        canvas.fillRect(Rect::fromSize(rect.right - 4 - 3 * (2 - col), rect.bottom - 4 - 3 * (2 - row), 2, 2), colors_.frame);
    right -= 10;
  }
  canvas.drawText(s.text, {rect.left + 4, rect.top + 1, right, rect.bottom}, s.font.font,
                  s.font.hasColor ? s.font.color : colors_.text, flag::kVCenter | flag::kEndEllipsis);
}

}  // namespace s::gui::drawer::statusbar::win
