#pragma once
#include "s/gui/win/Input.h"

namespace s::gui::win {

class ListBox2;

// How clicks and keys move the selection of a list, as users of file managers expect: a click
// selects one row, Shift extends from the anchor, Ctrl toggles one row; the arrows, Page Up/Down,
// Home and End move the focus row, selecting it alone, extending with Shift, leaving the
// selection as it is with Ctrl (Ctrl+Space then toggles); Ctrl+A selects every row. The focus
// row is the keyboard's place in the list, drawn by nothing but kept in view.
class ListInput {
 public:
  explicit ListInput(ListBox2& list) : list_(list) {}
  void reset() { focus_ = anchor_ = -1; }

  int focusRow() const { return focus_; }
  // A press on `row` (-1: below the rows).
  void click(int row, bool shift, bool control);
  // A press on a selected row that may become a drag: the focus moves but the selection waits
  // for the release (releaseWithoutDrag), so that a drag takes every selected row.
  void pressSelected(int row);
  void releaseWithoutDrag(int row);
  // True when the key was one of ours; `pageRows` rows make a page.
  bool key(const KeyEvent& e, int pageRows);

 private:
  void moveFocus(int row, bool shift, bool control);

  ListBox2& list_;
  int focus_ = -1;
  int anchor_ = -1;
};

}  // namespace s::gui::win
