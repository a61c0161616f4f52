#include "s/gui/drawer/listbox/win/Basic.h"

#include <algorithm>

#include "s/gui/drawer/ClipScope.h"
#include "s/gui/drawer/ColorModel.h"
#include "s/gui/drawer/Glyph.h"
#include "s/gui/drawer/text/win/Basic.h"

namespace s::gui::drawer::listbox::win {

namespace flag = platform::ui::text;
using platform::ui::Color;
using platform::ui::Rect;

namespace {
constexpr int kTextPad = 2;
constexpr Color kLink = platform::ui::rgb(0, 0, 255);
}  // namespace

void Basic::configure(const SkinColors& colors) {
  background_ = colors[Role::kListBg];
  text_ = colors[Role::kListFont];
  selection_ = colors[Role::kListHeaderBg];
  selectedText_ = colors[Role::kListHeaderFont];
  alternate_ = colors[Role::kListAlternate];
}

void Basic::readColors(SkinColors& colors) const {
  colors[Role::kListBg] = background_;
  colors[Role::kListFont] = text_;
  colors[Role::kListHeaderBg] = selection_;
  colors[Role::kListHeaderFont] = selectedText_;
  colors[Role::kListAlternate] = alternate_;
}

int Basic::rowHeight(const FontStyle& font) const {
  return text::win::Basic::measuringCanvas().lineHeight(font.font) + 3;
}

void Basic::paintBackground(const Rect& rect, platform::ui::Canvas& canvas) const {
  canvas.fillRect(rect, background_);
}

void Basic::paintCell(const ListCellState& s, const Rect& rect, platform::ui::Canvas& canvas) const {
  if (rect.empty()) return;
  const ClipScope clip(canvas, rect);
  const Color cellBg = s.alternate ? alternate_ : background_;
  canvas.fillRect(rect, cellBg);
  const int h = rect.height();
  Rect textRect{rect.left + kTextPad, rect.top, rect.right - kTextPad, rect.bottom};
  Color markColor = s.selected ? selectedText_ : text_;
  if (s.treeLevel >= 0) {
    const int indent = treeIndent(s.treeLevel);
    if (s.treeHasChildren) {
      const Rect box = Rect::fromSize(rect.left + indent - 17, rect.top + (h - 12) / 2, 14, 12);
      Glyph::paint(s.treeOpen ? u"#TreeOpen" : u"#TreeClosed", box, text_, canvas);
    }
    textRect.left = rect.left + indent;
  }
  Rect button;
  if (s.cellButton > 0) {
    const int side = std::clamp(h - 4, 7, 13);
    button = Rect::fromSize(textRect.left, rect.top + (h - side) / 2, side, side);
    textRect.left = button.right + 3;
  }
  if (s.selected) {
    Rect fill = rect;
    if (!s.fullRowSelect) {
      const int width = text::win::Basic::measuringCanvas().measureText(s.text, s.font.font).width;
      const int x = s.align == flag::kRight    ? textRect.right - width
                    : s.align == flag::kCenter ? textRect.left + (textRect.width() - width) / 2
                                               : textRect.left;
      fill = Rect{x - 2, rect.top, std::min(x + width + 2, rect.right), rect.bottom};
    }
    canvas.fillRect(fill, selection_);
  }
  if (s.gridLines) {
    // Faint on plain and alternate rows alike, and across the selection, so that the columns stay
    // apart everywhere; the current-row mark goes over it.
    const Color grid = ColorModel::blend(background_, text_, 0.2);
    canvas.fillRect(Rect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, grid);
    canvas.fillRect(Rect{rect.right - 1, rect.top, rect.right, rect.bottom}, grid);
  }
  if (s.mark == 1) {
    canvas.fillRect(Rect::fromSize(rect.left, rect.top, rect.width(), s.markEmphasised ? 2 : 1), selection_);
  } else if (s.mark == 2) {
    const int thick = s.markEmphasised || s.lastRow ? 2 : 1;
    canvas.fillRect(Rect{rect.left, rect.bottom - thick, rect.right, rect.bottom}, selection_);
  }
  if (s.cellButton > 0) {
    // The box keeps the cell's own background inside, even on a selected row.
    canvas.fillRect(button, markColor);
    canvas.fillRect(button.inset(2), cellBg);
    if (s.cellButton == 3) canvas.fillRect(button.inset(4), markColor);
    if (s.cellButton == 2) Glyph::paint(u"#Check", button.inset(1), markColor, canvas);
  }
  if (s.text.empty()) return;
  platform::ui::Font font = s.font.font;
  Color color = s.selected ? selectedText_ : text_;
  if (s.link) {
    color = kLink;
    font.underline = true;
  } else if (s.font.hasColor && !s.selected) {
    color = s.font.color;
  }
  unsigned flags = (s.align & (flag::kCenter | flag::kRight)) | flag::kVCenter;
  if (s.ellipsis) flags |= flag::kEndEllipsis;
  canvas.drawText(s.text, textRect, font, color, flags);
}

}  // namespace s::gui::drawer::listbox::win
