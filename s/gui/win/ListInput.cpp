#include "s/gui/win/ListInput.h"

#include <algorithm>

#include "platform/ui/Message.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"

namespace s::gui::win {

namespace vk = platform::ui::vk;

void ListInput::click(int row, bool shift, bool control) {
  if (row < 0) {
    // A press below the rows clears the selection, unless it is meant to add to it.
    if (!shift && !control) list_.selectAll(false);
    return;
  }
  if (shift && anchor_ >= 0 && list_.isMultiSelect()) {
    list_.selectRange(anchor_, row, !control);
  } else if (control && list_.isMultiSelect()) {
    listbox2::Record* record = list_.getRow(row);
    list_.select(row, !(record && record->isSelected()));
    anchor_ = row;
  } else {
    list_.selectRange(row, row, true);
    anchor_ = row;
  }
  focus_ = row;
}

void ListInput::pressSelected(int row) {
  focus_ = row;
  anchor_ = row;
}

void ListInput::releaseWithoutDrag(int row) {
  if (row >= 0) list_.selectRange(row, row, true);
}

void ListInput::moveFocus(int row, bool shift, bool control) {
  const int count = list_.getRowCount();
  if (count == 0) return;
  row = std::clamp(row, 0, count - 1);
  focus_ = row;
  if (shift && list_.isMultiSelect()) {
    if (anchor_ < 0) anchor_ = row;
    list_.selectRange(anchor_, row, true);
  } else if (!control) {
    list_.selectRange(row, row, true);
    anchor_ = row;
  }
}

bool ListInput::key(const KeyEvent& e, int pageRows) {
  const int count = list_.getRowCount();
  const int from = std::clamp(focus_, -1, count - 1);
  switch (e.key) {
    case vk::kUp: moveFocus(from < 0 ? 0 : from - 1, e.shift, e.control); return true;
    case vk::kDown: moveFocus(from + 1, e.shift, e.control); return true;
    case vk::kPageUp: moveFocus(from - std::max(1, pageRows - 1), e.shift, e.control); return true;
    case vk::kPageDown: moveFocus(std::max(0, from) + std::max(1, pageRows - 1), e.shift, e.control); return true;
    case vk::kHome: moveFocus(0, e.shift, e.control); return true;
    case vk::kEnd: moveFocus(count - 1, e.shift, e.control); return true;
    case vk::kSpace:
      if (!e.control || from < 0) return false;
      if (listbox2::Record* row = list_.getRow(from)) list_.select(from, !row->isSelected());
      anchor_ = from;
      return true;
    case 'A':
      if (!e.control) return false;
      list_.selectAll(true);
      return true;
    default:
      return false;
  }
}

}  // namespace s::gui::win
