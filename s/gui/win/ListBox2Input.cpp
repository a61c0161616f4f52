// ListBox2's operations that answer the user: header clicks, drops, drags, keys and the events
// they raise, and its place in the component tree. The model's own operations are in
// ListBox2.cpp.
#include <algorithm>

#include "platform/ui/WindowSystem.h"
#include "s/gui/events/IEventListener.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/Sorter.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListBox2State.h"
#include "s/gui/win/ListRows.h"
#include "s/gui/win/ListViewport.h"

namespace s::gui::win {

using listbox2::DataType;
using listbox2::Record;
using Guard = thread::ObjLocker::Guard;

void ListBox2::clickColumn(int column) {
  std::vector<int> raised;
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
      std::vector<listbox2::Sorter::Key> active;
      for (int key : keys) {
        DataType* keyColumn = getColumn(key);
        if (keyColumn && keyColumn->isSortable())
          active.push_back({keyColumn->getCompare(), key, keyColumn->getSortDirection()});
      }
      listbox2::Sorter::sortRows(list.rows(), active);
      list.renumber(0);
      raised.push_back(kRowsSorted);
    }
    raised.push_back(kColumnClicked);
  }
  viewChanged();
  raise(raised);
}

int ListBox2::getClickedColumn() const {
  Guard hold(state_->list->lock());
  return state_->clickedColumn;
}

// ---- drops ----

bool ListBox2::dropFiles(const std::vector<std::string>& paths) {
  {
    Guard hold(state_->list->lock());
    if ((!state_->acceptFiles && !state_->oleDropTarget) || paths.empty()) return false;
    // Paths are kept whole and as bytes: cutting or re-encoding a path would name another file.
    state_->droppedPaths = paths;
  }
  raise({kFilesDropped});
  return true;
}

std::vector<std::string> ListBox2::getDroppedPaths() const {
  Guard hold(state_->list->lock());
  return state_->droppedPaths;
}

void ListBox2::onFilesDropped(platform::ui::Point, const std::vector<std::string>& paths) {
  dropFiles(paths);
}

void ListBox2::dropSelectedRows(int to) {
  {
    Guard hold(state_->list->lock());
    std::vector<int> selected = getSelectedIndices();
    if (selected.empty()) return;
    const int count = getRowCount();
    if (to < 0 || to > count) to = count;
    state_->list->moveRows(selected, to);
    state_->dropTarget = this;
    state_->dropIndex = to;
  }
  viewChanged();
  raise({kRowsDropped});
}

// ---- dragging rows ----

void ListBox2::addDragTarget(ListBox2* other) {
  Guard hold(state_->list->lock());
  auto& targets = state_->dragTargets;
  if (other && std::find(targets.begin(), targets.end(), other) == targets.end()) targets.push_back(other);
}

void ListBox2::removeDragTarget(ListBox2* other) {
  Guard hold(state_->list->lock());
  auto& targets = state_->dragTargets;
  targets.erase(std::remove(targets.begin(), targets.end(), other), targets.end());
}

std::vector<ListBox2*> ListBox2::getDragTargets() const {
  Guard hold(state_->list->lock());
  return state_->dragTargets;
}

ListBox2* ListBox2::getDropTarget() const {
  Guard hold(state_->list->lock());
  return state_->dropTarget;
}

int ListBox2::getDropIndex() const {
  Guard hold(state_->list->lock());
  return state_->dropIndex;
}

void ListBox2::dropRowsOn(ListBox2* target, int index) {
  {
    Guard hold(state_->list->lock());
    state_->dropTarget = target;
    state_->dropIndex = index;
  }
  raise({kRowsDropped});
}

void ListBox2::setFileOfRow(std::function<std::string(Record*)> fileOf) {
  Guard hold(state_->list->lock());
  state_->fileOfRow = std::move(fileOf);
}

std::vector<std::string> ListBox2::filesOfSelectedRows() {
  Guard hold(state_->list->lock());
  std::vector<std::string> files;
  if (!state_->fileOfRow) return files;
  for (Record* row : state_->list->rows()) {
    if (!row->isSelected()) continue;
    std::string file = state_->fileOfRow(row);
    if (!file.empty()) files.push_back(std::move(file));
  }
  return files;
}

void ListBox2::startRowDrag() { raise({kDragStarted}); }

void ListBox2::doubleClickRow(int row) {
  {
    Guard hold(state_->list->lock());
    if (row < 0 || row >= static_cast<int>(state_->list->rows().size())) return;
    state_->doubleClickedRow = row;
  }
  raise({kRowDoubleClicked});
}

void ListBox2::switchCheck(int row) {
  {
    Guard hold(state_->list->lock());
    if (row < 0 || row >= static_cast<int>(state_->list->rows().size())) return;
    listbox2::Record* record = state_->list->rows()[static_cast<std::size_t>(row)];
    record->setChecked(!record->isChecked());
    state_->checkSwitchedRow = row;
  }
  viewport_->rows().repaint();
  raise({kRowCheckSwitched});
}

int ListBox2::getCheckSwitchedRow() const {
  Guard hold(state_->list->lock());
  return state_->checkSwitchedRow;
}

int ListBox2::getDoubleClickedRow() const {
  Guard hold(state_->list->lock());
  return state_->doubleClickedRow;
}

// ---- keys and listeners ----

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

// ---- the component ----

void ListBox2::viewChanged() {
  if (nativeHandle() == platform::ui::kNoWindow || isRedrawSuspended()) return;
  runOnOwner([this] { viewport_->refresh(); });
}

void ListBox2::doLayout() { viewport_->layout(); }

int ListBox2::getComponentCount() const { return viewport_->partCount(); }

IComponent* ListBox2::getComponent(int i) const { return viewport_->part(i); }

void ListBox2::onRealised() {
  if (acceptsFiles()) windowSystem()->acceptFiles(nativeHandle(), true);
  viewport_->realise();
}

void ListBox2::onGeometrySet() { viewport_->layout(); }

bool ListBox2::onWheel(const WheelEvent& e) {
  viewport_->scrollRows(-e.notches() * kWheelRows);
  return true;
}

// Besides the scroll bars, the list hears the localizers of its columns: a new language brings
// new captions, whose columns have taken them by now.
void ListBox2::onEvent(base::IObject* source, int code) {
  if (!viewport_->onScrollBar(source, code)) viewChanged();
}

}  // namespace s::gui::win
