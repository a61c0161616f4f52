#include "s/gui/win/ListBox2.h"

#include <algorithm>
#include <utility>

#include "s/gui/events/IEventListener.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using listbox2::DataType;
using listbox2::Record;
using listbox2::SubRecord;
using Guard = thread::ObjLocker::Guard;

struct ListBox2::State {
  listbox2::List* list = nullptr;
  // A fresh list is a report list with a header and several rows selectable, the way the
  // player shows songs.
  int viewMode = 2;
  bool multiSelect = true;
  bool headerShown = true;
  bool checkBoxes = false;
  bool fullRowSelect = false;
  bool gridLines = false;
  bool acceptFiles = false;
  bool alternateRows = false;
  int redrawSuspended = 0;
  int currentRow = -1;
  int currentMode = kMarkAbove;
  int clickedColumn = -1;
  std::vector<std::u16string> droppedPaths;
  int lastKey = 0;
  std::vector<std::pair<int, events::IEventListener*>> listeners;
};

namespace {

// Events gathered while the model's lock is held and raised once it is let go, so that a
// listener may call back into the list from any thread without deadlocking against it.
using Raised = std::vector<int>;

}  // namespace

ListBox2* ListBox2::create() { return thread::PoolOf<ListBox2>::acquire(); }

void ListBox2::release() { thread::PoolOf<ListBox2>::release(this); }

ListBox2::ListBox2() : state_(new State) { state_->list = listbox2::List::create(); }

ListBox2::~ListBox2() {
  state_->list->release();
  delete state_;
}

void ListBox2::reset() {
  listbox2::List* list = state_->list;
  Guard hold(list->lock());
  list->reset();
  *state_ = State();
  state_->list = list;
}

listbox2::List* ListBox2::model() { return state_->list; }

// ---- configuration ----

void ListBox2::setViewIcon() {
  Guard hold(state_->list->lock());
  state_->viewMode = 0;
}

void ListBox2::setViewList() {
  Guard hold(state_->list->lock());
  state_->viewMode = 1;
}

void ListBox2::setViewReport() {
  Guard hold(state_->list->lock());
  state_->viewMode = 2;
}

int ListBox2::getViewMode() const {
  Guard hold(state_->list->lock());
  return state_->viewMode;
}

void ListBox2::setMultiSelect(bool on) {
  Guard hold(state_->list->lock());
  state_->multiSelect = on;
}

bool ListBox2::isMultiSelect() const {
  Guard hold(state_->list->lock());
  return state_->multiSelect;
}

void ListBox2::setHeaderShown(bool on) {
  Guard hold(state_->list->lock());
  state_->headerShown = on;
}

void ListBox2::setCheckBoxes(bool on) {
  Guard hold(state_->list->lock());
  state_->checkBoxes = on;
}

void ListBox2::setFullRowSelect(bool on) {
  Guard hold(state_->list->lock());
  state_->fullRowSelect = on;
}

void ListBox2::setGridLines(bool on) {
  Guard hold(state_->list->lock());
  state_->gridLines = on;
}

void ListBox2::setAcceptFiles(bool on) {
  Guard hold(state_->list->lock());
  state_->acceptFiles = on;
}

bool ListBox2::acceptsFiles() const {
  Guard hold(state_->list->lock());
  return state_->acceptFiles;
}

void ListBox2::setAlternateRows(bool on) {
  Guard hold(state_->list->lock());
  state_->alternateRows = on;
}

// ---- columns ----

DataType* ListBox2::addColumn(std::u16string_view title, int textId, lang::Localizer* localizer,
                              int alignment, int width, std::uint32_t drawFlags) {
  DataType* column = DataType::create();
  column->setTitle(title);
  // The localizer's title wins over the given one; without a localizer the id is only kept.
  column->setTextId(textId, textId >= 0 ? localizer : nullptr);
  const bool knownAlignment = alignment == DataType::kAlignLeft ||
                              alignment == DataType::kAlignCentre ||
                              alignment == DataType::kAlignRight;
  column->setAlignment(knownAlignment ? alignment : DataType::kAlignLeft);
  column->setWidth(std::max(width, 0));
  column->setDrawFlags(drawFlags);

  listbox2::List& list = *state_->list;
  Guard hold(list.lock());
  list.columnOrder().push_back(static_cast<int>(list.columns().size()));
  list.columns().push_back(column);
  return column;
}

int ListBox2::getColumnCount() {
  Guard hold(state_->list->lock());
  return static_cast<int>(state_->list->columns().size());
}

DataType* ListBox2::getColumn(int i) {
  Guard hold(state_->list->lock());
  auto& columns = state_->list->columns();
  return i >= 0 && i < static_cast<int>(columns.size()) ? columns[static_cast<std::size_t>(i)]
                                                        : nullptr;
}

std::vector<int> ListBox2::getColumnOrder() {
  Guard hold(state_->list->lock());
  return state_->list->columnOrder();
}

bool ListBox2::setColumnOrder(const std::vector<int>& order) {
  Guard hold(state_->list->lock());
  const std::size_t count = state_->list->columns().size();
  if (order.size() != count) return false;
  // A stored order from an older layout or a damaged setting must not hide or double a column.
  std::vector<bool> seen(count, false);
  for (int column : order) {
    if (column < 0 || static_cast<std::size_t>(column) >= count) return false;
    if (seen[static_cast<std::size_t>(column)]) return false;
    seen[static_cast<std::size_t>(column)] = true;
  }
  state_->list->columnOrder() = order;
  return true;
}

int ListBox2::getColumnWidth(int i) {
  Guard hold(state_->list->lock());
  DataType* column = getColumn(i);
  return column ? column->getWidth() : 0;
}

void ListBox2::setColumnWidth(int i, int width) {
  Guard hold(state_->list->lock());
  if (DataType* column = getColumn(i)) column->setWidth(std::max(width, 0));
}

void ListBox2::setRedraw(bool on) {
  Guard hold(state_->list->lock());
  if (!on)
    ++state_->redrawSuspended;
  else if (state_->redrawSuspended > 0)
    --state_->redrawSuspended;
}

bool ListBox2::isRedrawSuspended() const {
  Guard hold(state_->list->lock());
  return state_->redrawSuspended > 0;
}

// ---- rows ----

int ListBox2::addRow(Record* row, int at) { return state_->list->insertRow(row, at); }

Record* ListBox2::removeRow(int index) { return state_->list->removeRowAt(index); }

void ListBox2::removeAll() { state_->list->removeAllRows(); }

int ListBox2::getRowCount() {
  Guard hold(state_->list->lock());
  return static_cast<int>(state_->list->rows().size());
}

Record* ListBox2::getRow(int i) {
  Guard hold(state_->list->lock());
  auto& rows = state_->list->rows();
  return i >= 0 && i < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(i)] : nullptr;
}

int ListBox2::indexOf(Record* row) {
  if (!row) return -1;
  Guard hold(state_->list->lock());
  if (row->getList() != state_->list) return -1;
  return getRow(row->getIndex()) == row ? row->getIndex() : -1;
}

bool ListBox2::moveRows(const std::vector<int>& indices, int to) {
  listbox2::List& list = *state_->list;
  Guard hold(list.lock());
  auto& rows = list.rows();
  const int count = static_cast<int>(rows.size());
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
  staying.reserve(rows.size());
  std::size_t landing = 0;
  for (int i = 0; i < count; ++i) {
    Record* row = rows[static_cast<std::size_t>(i)];
    if (moving[static_cast<std::size_t>(i)]) {
      moved.push_back(row);
    } else {
      staying.push_back(row);
      if (i < to) landing = staying.size();
    }
  }
  staying.insert(staying.begin() + static_cast<std::ptrdiff_t>(landing), moved.begin(),
                 moved.end());
  rows.swap(staying);
  list.renumber(0);
  return true;
}

// ---- selection ----

void ListBox2::select(int index, bool on) {
  Raised raised;
  {
    listbox2::List& list = *state_->list;
    Guard hold(list.lock());
    Record* row = getRow(index);
    if (!row || row->isSelected() == on) return;
    if (on && !state_->multiSelect && list.selectedCount() > 0) {
      for (Record* other : list.rows())
        if (other->isSelected()) other->setSelected(false);
      raised.push_back(kRowDeselected);
      raised.push_back(kNoRowSelected);
    }
    row->setSelected(on);
    if (on) {
      if (list.selectedCount() == 1) raised.push_back(kOnlyRowSelected);
      raised.push_back(kRowSelected);
    } else {
      raised.push_back(kRowDeselected);
      if (list.selectedCount() == 0) raised.push_back(kNoRowSelected);
    }
  }
  raise(raised);
}

// The whole change is reported once, not once per row: a list of many thousand songs would
// otherwise flood its listeners.
void ListBox2::selectAll(bool on) {
  Raised raised;
  {
    listbox2::List& list = *state_->list;
    Guard hold(list.lock());
    // A single-selection list never holds more than one selected row.
    if (on && !state_->multiSelect) return;
    bool changed = false;
    for (Record* row : list.rows()) {
      if (row->isSelected() == on) continue;
      row->setSelected(on);
      changed = true;
    }
    if (!changed) return;
    if (on) {
      if (list.selectedCount() == 1) raised.push_back(kOnlyRowSelected);
      raised.push_back(kRowSelected);
    } else {
      raised.push_back(kRowDeselected);
      raised.push_back(kNoRowSelected);
    }
  }
  raise(raised);
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
  Guard hold(state_->list->lock());
  if (row == state_->currentRow && mode == state_->currentMode) return false;
  state_->currentRow = row;
  state_->currentMode = mode;
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

// ---- sorting ----

namespace {

struct SortKey {
  DataType::Compare compare;
  int column;
  bool ascending;
};

// Stable, so rows that the keys find equal keep the order of the previous sort: clicking Artist
// after Title gives titles in order within each artist. The cell of the first key travels with
// its row through the sort, which spares most comparisons two pointer hops through the row.
void sortRows(std::vector<Record*>& rows, const std::vector<SortKey>& keys) {
  if (keys.empty() || rows.size() < 2) return;
  SubRecord blank;  // stands in for the cell of a row shorter than the key's column
  auto cellOf = [&blank](Record* row, int column) {
    SubRecord* cell = row->getCell(column);
    return cell ? cell : &blank;
  };
  struct Item {
    SubRecord* firstCell;
    Record* row;
  };
  std::vector<Item> items;
  items.reserve(rows.size());
  for (Record* row : rows) items.push_back({cellOf(row, keys.front().column), row});
  const SortKey& first = keys.front();
  std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    int order = first.compare(a.firstCell, b.firstCell);
    if (order != 0) return first.ascending ? order < 0 : order > 0;
    for (std::size_t k = 1; k < keys.size(); ++k) {
      const SortKey& key = keys[k];
      order = key.compare(cellOf(a.row, key.column), cellOf(b.row, key.column));
      if (order != 0) return key.ascending ? order < 0 : order > 0;
    }
    return false;
  });
  for (std::size_t i = 0; i < items.size(); ++i) rows[i] = items[i].row;
}

}  // namespace

void ListBox2::clickColumn(int column) {
  Raised raised;
  {
    listbox2::List& list = *state_->list;
    Guard hold(list.lock());
    DataType* clicked = getColumn(column);
    if (!clicked) return;
    state_->clickedColumn = column;
    if (clicked->isSortable()) {
      clicked->setSortDirection(!clicked->getSortDirection());
      auto& keys = list.sortKeys();
      keys.erase(std::remove(keys.begin(), keys.end(), column), keys.end());
      keys.insert(keys.begin(), column);

      std::vector<SortKey> active;
      for (int key : keys) {
        DataType* keyColumn = getColumn(key);
        if (keyColumn && keyColumn->isSortable())
          active.push_back({keyColumn->getCompare(), key, keyColumn->getSortDirection()});
      }
      sortRows(list.rows(), active);
      list.renumber(0);
      raised.push_back(kRowsSorted);
    }
    raised.push_back(kColumnClicked);
  }
  raise(raised);
}

int ListBox2::getClickedColumn() const {
  Guard hold(state_->list->lock());
  return state_->clickedColumn;
}

// ---- drops and keys ----

bool ListBox2::dropFiles(const std::vector<std::u16string>& paths) {
  {
    Guard hold(state_->list->lock());
    if (!state_->acceptFiles || paths.empty()) return false;
    // Paths are kept whole: cutting a long path would name another file, or none.
    state_->droppedPaths = paths;
  }
  raise({kFilesDropped});
  return true;
}

const std::vector<std::u16string>& ListBox2::getDroppedPaths() const {
  return state_->droppedPaths;
}

void ListBox2::dropSelectedRows(int to) {
  {
    Guard hold(state_->list->lock());
    std::vector<int> selected = getSelectedIndices();
    if (selected.empty()) return;
    const int count = getRowCount();
    if (to < 0 || to > count) to = count;
    moveRows(selected, to);
  }
  raise({kRowsDropped});
}

void ListBox2::pressKey(int keyCode) {
  {
    Guard hold(state_->list->lock());
    state_->lastKey = keyCode;
  }
  raise({kKeyPressed});
}

int ListBox2::getLastKey() const {
  Guard hold(state_->list->lock());
  return state_->lastKey;
}

// ---- listeners ----

void ListBox2::addListener(int code, events::IEventListener* listener) {
  if (!listener) return;
  Guard hold(state_->list->lock());
  auto& listeners = state_->listeners;
  const std::pair<int, events::IEventListener*> entry(code, listener);
  if (std::find(listeners.begin(), listeners.end(), entry) == listeners.end())
    listeners.push_back(entry);
}

void ListBox2::removeListener(int code, events::IEventListener* listener) {
  Guard hold(state_->list->lock());
  auto& listeners = state_->listeners;
  listeners.erase(std::remove(listeners.begin(), listeners.end(),
                              std::pair<int, events::IEventListener*>(code, listener)),
                  listeners.end());
}

void ListBox2::raise(const std::vector<int>& codes) {
  for (int code : codes) {
    std::vector<events::IEventListener*> targets;
    {
      Guard hold(state_->list->lock());
      for (const auto& [listenerCode, listener] : state_->listeners)
        if (listenerCode == code) targets.push_back(listener);
    }
    for (events::IEventListener* listener : targets) listener->onEvent(this, code);
  }
}

}  // namespace s::gui::win
