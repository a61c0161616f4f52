// ListBox2's selection and current row; the model's other operations are in ListBox2.cpp.
#include <algorithm>
#include <utility>

#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/Selection.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListBox2State.h"
#include "s/gui/win/ListViewport.h"

namespace s::gui::win {

using listbox2::Record;
using listbox2::Selection;
using Guard = thread::ObjLocker::Guard;

// ---- selection ----

void ListBox2::select(int index, bool on) {
  std::vector<int> raised;
  {
    Guard hold(state_->list->lock());
    raised = Selection::select(*state_->list, index, on, state_->multiSelect);
  }
  if (raised.empty()) return;
  viewChanged();
  raise(raised);
}

void ListBox2::selectAll(bool on) {
  std::vector<int> raised;
  {
    Guard hold(state_->list->lock());
    raised = Selection::selectAll(*state_->list, on, state_->multiSelect);
  }
  if (raised.empty()) return;
  viewChanged();
  raise(raised);
}

bool ListBox2::selectRange(int from, int to, bool only) {
  std::vector<int> raised;
  {
    Guard hold(state_->list->lock());
    raised = Selection::selectRange(*state_->list, from, to, only, state_->multiSelect);
  }
  if (raised.empty()) return false;
  viewChanged();
  raise(raised);
  return true;
}

int ListBox2::getSelectedCount() { return state_->list->selectedCount(); }

std::vector<int> ListBox2::getSelectedIndices() {
  Guard hold(state_->list->lock());
  std::vector<int> indices;
  indices.reserve(static_cast<std::size_t>(state_->list->selectedCount()));
  const auto& rows = state_->list->rows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i]->isSelected()) indices.push_back(static_cast<int>(i));
  return indices;
}

std::vector<int> ListBox2::getSelectionOrder() {
  Guard hold(state_->list->lock());
  std::vector<std::pair<std::uint64_t, int>> stamped;
  const auto& rows = state_->list->rows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i]->isSelected()) stamped.emplace_back(rows[i]->getSelectionStamp(), static_cast<int>(i));
  std::sort(stamped.begin(), stamped.end());
  std::vector<int> order;
  order.reserve(stamped.size());
  for (const auto& entry : stamped) order.push_back(entry.second);
  return order;
}

bool ListBox2::setCurrentRow(int row, int mode) {
  int before = -1;
  {
    Guard hold(state_->list->lock());
    if (row == state_->currentRow && mode == state_->currentMode) return false;
    before = state_->currentRow;
    state_->currentRow = row;
    state_->currentMode = mode;
    if (state_->redrawSuspended > 0) return true;
  }
  // A mark above a row is also the bottom edge of the row before it.
  runOnOwner([this, before, row] {
    viewport_->repaintRows(before - 1, before);
    viewport_->repaintRows(row - 1, row);
  });
  return true;
}

int ListBox2::getCurrentRow() const {
  Guard hold(state_->list->lock());
  return state_->currentRow;
}

int ListBox2::getCurrentRowMode() const {
  Guard hold(state_->list->lock());
  return state_->currentMode;
}

}  // namespace s::gui::win
