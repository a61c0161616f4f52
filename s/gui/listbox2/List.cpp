#include "s/gui/listbox2/List.h"

#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/Record.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::listbox2 {

using Guard = thread::ObjLocker::Guard;

List* List::create() { return thread::PoolOf<List>::acquire(); }

void List::release() { thread::PoolOf<List>::release(this); }

List::~List() { reset(); }

int List::insertRow(Record* row, int at) {
  if (!row) return -1;
  Guard hold(lock_);
  if (row->list_) return -1;
  const int count = static_cast<int>(rows_.size());
  if (at < 0 || at > count) at = count;
  rows_.insert(rows_.begin() + at, row);
  row->list_ = this;
  if (row->selected_) ++selectedCount_;
  renumber(at);
  return at;
}

Record* List::removeRowAt(int index) {
  Guard hold(lock_);
  if (index < 0 || index >= static_cast<int>(rows_.size())) return nullptr;
  Record* row = rows_[static_cast<std::size_t>(index)];
  rows_.erase(rows_.begin() + index);
  detach(row);
  renumber(index);
  return row;
}

bool List::removeRow(Record* row) {
  if (!row) return false;
  Guard hold(lock_);
  const int index = row->index_;
  if (row->list_ != this || index < 0 || index >= static_cast<int>(rows_.size()) ||
      rows_[static_cast<std::size_t>(index)] != row)
    return false;
  return removeRowAt(index) == row;
}

void List::removeAllRows() {
  Guard hold(lock_);
  for (Record* row : rows_) detach(row);
  rows_.clear();
  selectedCount_ = 0;
}

bool List::moveRows(const std::vector<int>& indices, int to) {
  Guard hold(lock_);
  const int count = static_cast<int>(rows_.size());
  if (to == -1) to = count;
  if (to < 0 || to > count) return false;
  std::vector<char> moving(static_cast<std::size_t>(count), 0);
  for (int i : indices) {
    if (i < 0 || i >= count) return false;
    moving[static_cast<std::size_t>(i)] = 1;
  }
  if (indices.empty()) return true;

  // The rows stay where they are relative to the rows that do not move: they land after every
  // unmoved row that stood before `to`, which makes a drop onto the moved block itself a no-op.
  std::vector<Record*> staying, moved;
  staying.reserve(rows_.size());
  std::size_t landing = 0;
  for (int i = 0; i < count; ++i) {
    Record* row = rows_[static_cast<std::size_t>(i)];
    if (moving[static_cast<std::size_t>(i)]) {
      moved.push_back(row);
    } else {
      staying.push_back(row);
      if (i < to) landing = staying.size();
    }
  }
  staying.insert(staying.begin() + static_cast<std::ptrdiff_t>(landing), moved.begin(), moved.end());
  rows_.swap(staying);
  renumber(0);
  return true;
}

void List::renumber(int from) {
  Guard hold(lock_);
  for (std::size_t i = from < 0 ? 0 : static_cast<std::size_t>(from); i < rows_.size(); ++i)
    rows_[i]->index_ = static_cast<int>(i);
}

int List::selectedCount() {
  Guard hold(lock_);
  return selectedCount_;
}

void List::noteSelected(bool on) {
  Guard hold(lock_);
  selectedCount_ += on ? 1 : -1;
}

// The row is already out of rows_; it leaves deselected, so a row that comes back to a list
// never brings a stale selection with it.
void List::detach(Record* row) {
  if (row->selected_) {
    row->selected_ = false;
    row->selectionStamp_ = 0;
    --selectedCount_;
  }
  row->list_ = nullptr;
  row->index_ = -1;
}

void List::reset() {
  Guard hold(lock_);
  removeAllRows();
  for (DataType* column : columns_) column->release();
  columns_.clear();
  columnOrder_.clear();
  sortKeys_.clear();
  selectedCount_ = 0;
}

}  // namespace s::gui::listbox2
