#include "s/gui/win/ListBox2.h"

#include <algorithm>
#include <utility>

#include "platform/ui/WindowSystem.h"

#include "s/gui/events/IEventListener.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2State.h"
#include "s/gui/win/ListViewport.h"
#include "s/lang/Localizer.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using listbox2::DataType;
using listbox2::Record;
using Guard = thread::ObjLocker::Guard;


namespace {
using ListPool = thread::PoolOf<ListBox2, thread::EasyPooler::kNeverKeep>;
}  // namespace

ListBox2* ListBox2::create() { return ListPool::acquire(); }

void ListBox2::release() { ListPool::release(this); }

ListBox2::ListBox2() : state_(new State), viewport_(nullptr) {
  state_->list = listbox2::List::create();
  viewport_ = new ListViewport(*this);
  setMinSize(40, 40);
  setMaxSize(kUnbounded, kUnbounded);
}

ListBox2::~ListBox2() {
  stopListening();
  setParent(nullptr);
  delete viewport_;
  state_->list->release();
  delete state_;
}

void ListBox2::reset() {
  resetComponent();
  setMinSize(40, 40);
  setMaxSize(kUnbounded, kUnbounded);
  stopListening();
  listbox2::List* list = state_->list;
  {
    Guard hold(list->lock());
    list->reset();
    *state_ = State();
    state_->list = list;
  }
  viewport_->reset();
}

void ListBox2::stopListening() {
  std::vector<lang::Localizer*> localizers;
  {
    Guard hold(state_->list->lock());
    localizers.swap(state_->localizers);
  }
  for (lang::Localizer* localizer : localizers) localizer->removeListener(this);
}

listbox2::List* ListBox2::model() { return state_->list; }
ListViewport& ListBox2::viewport() { return *viewport_; }

// ---- configuration ----

#define SONVIA_LIST_FLAG(setter, getter, field)  \
  void ListBox2::setter(bool on) {               \
    {                                            \
      Guard hold(state_->list->lock());          \
      state_->field = on;                        \
    }                                            \
    viewChanged();                               \
  }                                              \
  bool ListBox2::getter() const {                \
    Guard hold(state_->list->lock());            \
    return state_->field;                        \
  }
SONVIA_LIST_FLAG(setMultiSelect, isMultiSelect, multiSelect)
SONVIA_LIST_FLAG(setAlternateRows, hasAlternateRows, alternateRows)
SONVIA_LIST_FLAG(setFullRowSelect, hasFullRowSelect, fullRowSelect)
SONVIA_LIST_FLAG(setReorderAllowed, isReorderAllowed, reorderAllowed)
SONVIA_LIST_FLAG(setGridLines, hasGridLines, gridLines)
SONVIA_LIST_FLAG(setCheckBoxes, hasCheckBoxes, checkBoxes)
#undef SONVIA_LIST_FLAG

void ListBox2::setAcceptFiles(bool on) {
  {
    Guard hold(state_->list->lock());
    state_->acceptFiles = on;
  }
  applyAcceptFiles();
}

void ListBox2::setOleDropTarget(bool on) {
  {
    Guard hold(state_->list->lock());
    state_->oleDropTarget = on;
  }
  applyAcceptFiles();
}

void ListBox2::applyAcceptFiles() {
  runOnOwner([this] {
    if (nativeHandle() != platform::ui::kNoWindow) windowSystem()->acceptFiles(nativeHandle(), acceptsFiles());
  });
}

bool ListBox2::isOleDropTarget() const {
  Guard hold(state_->list->lock());
  return state_->oleDropTarget;
}

bool ListBox2::acceptsFiles() const {
  Guard hold(state_->list->lock());
  return state_->acceptFiles || state_->oleDropTarget;
}

void ListBox2::setViewIcon() { Guard hold(state_->list->lock()); state_->viewMode = 0; }
void ListBox2::setViewList() { Guard hold(state_->list->lock()); state_->viewMode = 1; }
void ListBox2::setViewReport() { Guard hold(state_->list->lock()); state_->viewMode = 2; }

int ListBox2::getViewMode() const {
  Guard hold(state_->list->lock());
  return state_->viewMode;
}

void ListBox2::setHeaderShown(bool on) {
  {
    Guard hold(state_->list->lock());
    state_->headerShown = on;
  }
  runOnOwner([this] { doLayout(); });
}

bool ListBox2::isHeaderShown() const {
  Guard hold(state_->list->lock());
  return state_->headerShown;
}


void ListBox2::setFont(const drawer::FontStyle& font) {
  {
    Guard hold(state_->list->lock());
    state_->font = font;
  }
  runOnOwner([this] { doLayout(); });
}

drawer::FontStyle ListBox2::getFont() const {
  Guard hold(state_->list->lock());
  return state_->font;
}

void ListBox2::setDrawer(const drawer::IListBox* drawer) {
  {
    Guard hold(state_->list->lock());
    state_->drawer = drawer;
  }
  runOnOwner([this] { doLayout(); });
}

const drawer::IListBox* ListBox2::getDrawer() const {
  Guard hold(state_->list->lock());
  return state_->drawer;
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
  bool listen = false;
  {
    listbox2::List& list = *state_->list;
    Guard hold(list.lock());
    list.columnOrder().push_back(static_cast<int>(list.columns().size()));
    list.columns().push_back(column);
    auto& localizers = state_->localizers;
    listen = textId >= 0 && localizer &&
             std::find(localizers.begin(), localizers.end(), localizer) == localizers.end();
    if (listen) localizers.push_back(localizer);
  }
  // After the column, so that the column has its new title when the list repaints.
  if (listen) localizer->addListener(this);
  viewChanged();
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
  {
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
  }
  viewChanged();
  return true;
}

int ListBox2::getColumnWidth(int i) {
  Guard hold(state_->list->lock());
  DataType* column = getColumn(i);
  return column ? column->getWidth() : 0;
}

void ListBox2::setColumnWidth(int i, int width) {
  {
    Guard hold(state_->list->lock());
    DataType* column = getColumn(i);
    if (!column || column->getWidth() == std::max(width, 0)) return;
    column->setWidth(std::max(width, 0));
  }
  viewChanged();
}

void ListBox2::setRedraw(bool on) {
  bool resumed = false;
  {
    Guard hold(state_->list->lock());
    if (!on) {
      ++state_->redrawSuspended;
    } else if (state_->redrawSuspended > 0) {
      resumed = --state_->redrawSuspended == 0;
    }
  }
  if (resumed) viewChanged();
}

bool ListBox2::isRedrawSuspended() const {
  Guard hold(state_->list->lock());
  return state_->redrawSuspended > 0;
}

// ---- rows ----

int ListBox2::addRow(Record* row, int at) {
  const int index = state_->list->insertRow(row, at);
  if (index >= 0) viewChanged();
  return index;
}

Record* ListBox2::removeRow(int index) {
  Record* row = state_->list->removeRowAt(index);
  if (row) viewChanged();
  return row;
}

void ListBox2::removeAll() {
  state_->list->removeAllRows();
  viewChanged();
}

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
  if (!state_->list->moveRows(indices, to)) return false;
  viewChanged();
  return true;
}

}  // namespace s::gui::win
