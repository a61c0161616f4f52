#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

// One cell of one row, as the list view knows it.
struct ListCellState {
  std::u16string_view text;
  FontStyle font;           // the list's font; selected cells use it in the selected colour
  bool alternate = false;  // an alternate row
  bool selected = false;
  bool fullRowSelect = true;  // else only the text's extent is filled
  // Current-row mark: 0 none, 1 at the top of the row, 2 at the bottom of the row.
  int mark = 0;
  bool markEmphasised = false;  // 2 pixels instead of 1
  bool lastRow = false;         // a bottom mark below the last row is 2 pixels
  unsigned align = 0;           // platform::ui::text::kLeft, kCenter or kRight
  bool ellipsis = true;
  int treeLevel = -1;  // -1 no tree; else the indentation level of a tree row
  bool treeOpen = false;
  bool treeHasChildren = false;
  int cellButton = 0;  // 0 none, 1 empty box, 2 box with a check mark, 3 box with a square
  bool link = false;   // drawn in blue and underlined
  bool gridLines = false;  // a thin line along the cell's bottom and right edges
};

class IListBox : public IDrawer {
 public:
  virtual void paintCell(const ListCellState& state, const platform::ui::Rect& rect,
                         platform::ui::Canvas& canvas) const = 0;
  // The area below the last row.
  virtual void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const = 0;
  // Height of a row for the font.
  virtual int rowHeight(const FontStyle& font) const = 0;
};

}  // namespace s::gui::drawer
