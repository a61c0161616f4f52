#include "s/gui/drawer/listheader/win/Thin.h"

#include "s/gui/drawer/ClipScope.h"
#include "s/gui/drawer/Glyph.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::listheader::win {

namespace flag = platform::ui::text;
using platform::ui::Rect;

void Thin::configure(const SkinColors& colors) {
  border_ = colors[Role::kCompFg];
  background_ = colors[Role::kListHeaderBg];
  caption_ = colors[Role::kListHeaderFont];
}

void Thin::readColors(SkinColors& colors) const {
  colors[Role::kCompFg] = border_;
  colors[Role::kListHeaderBg] = background_;
  colors[Role::kListHeaderFont] = caption_;
}

int Thin::height(const FontStyle& font) const {
  return text::win::Basic::measuringCanvas().lineHeight(font.font) + 6;
}

void Thin::paintBackground(const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  canvas.fillRect(rect, background_);
  canvas.fillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, border_);
}

void Thin::paintItem(const ListHeaderItemState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const ClipScope clip(canvas, rect);
  paintBackground(rect, canvas);
  // separator at the right, clear of the top and bottom lines
  canvas.fillRect({rect.right - 1, rect.top + 3, rect.right, rect.bottom - 3}, border_);
  if (s.hover == 1) canvas.fillRect({rect.left, rect.bottom - 2, rect.right - 1, rect.bottom}, border_);
  const int shift = s.hover == 2 ? 1 : 0;
  Rect text{rect.left + 4 + shift, rect.top + shift, rect.right - 5 + shift, rect.bottom - 1 + shift};
  if (s.sort != 0 && text.width() > 16) {
    const Rect arrow = Rect::fromSize(text.right - 10, rect.top + (rect.height() - 8) / 2, 10, 8);
    Glyph::paint(s.sort > 0 ? u"#Up" : u"#Down", arrow, caption_, canvas);
    text.right -= 12;
  }
  const auto color = s.font.hasColor ? s.font.color : caption_;
  canvas.drawText(s.caption, text, s.font.font, color,
                  (s.align & (flag::kCenter | flag::kRight)) | flag::kVCenter | flag::kEndEllipsis);
}

}  // namespace s::gui::drawer::listheader::win
