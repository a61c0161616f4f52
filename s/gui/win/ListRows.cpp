#include "s/gui/win/ListRows.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "s/gui/drawer/IListBox.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListViewport.h"

namespace s::gui::win {

using namespace platform::ui;
using listbox2::Record;

namespace {
constexpr unsigned kAutoScrollTimer = 1;
constexpr unsigned kAutoScrollMs = 50;
}  // namespace

void ListRows::reset() {
  input_.reset();
  drag_ = Drag::kNone;
  selectOnRelease_ = false;
  pressedRow_ = dropIndex_ = -1;
}

// ---- painting ----

// What every row of one paint shares, read once.
struct ListRows::PaintPass {
  const drawer::IListBox* drawer;
  std::vector<ListViewport::ColumnSpan> spans;
  drawer::FontStyle font;
  int count, height, current, mode;
  bool alternate, fullRowSelect, gridLines, checkBoxes;
};

void ListRows::paint(Canvas& canvas, const Rect& client) {
  const ListViewport& view = list_.viewport();
  const ListScroll& scroll = view.scroll();
  listbox2::List& model = *list_.model();
  // Painting reads the rows while another thread may be changing them.
  thread::ObjLocker::Guard hold(model.lock());
  PaintPass pass{&view.listDrawer(), view.columnSpans(), list_.getFont(),
                 static_cast<int>(model.rows().size()), view.rowHeight(), list_.getCurrentRow(),
                 list_.getCurrentRowMode(), list_.hasAlternateRows(), list_.hasFullRowSelect(),
                 list_.hasGridLines(), list_.hasCheckBoxes()};
  const int first = scroll.firstRow(), end = std::min(scroll.endRow(), pass.count);
  for (int i = first; i < end; ++i) paintRow(canvas, pass, i, scroll.rowTop(i));
  const int bottom = std::max(0, scroll.rowTop(end));
  int right = 0;
  for (const auto& span : pass.spans) right = std::max(right, span.right);
  if (bottom < client.bottom) pass.drawer->paintBackground(Rect{client.left, bottom, client.right, client.bottom}, canvas);
  if (right < client.right && bottom > 0) pass.drawer->paintBackground(Rect{right, 0, client.right, bottom}, canvas);
}

void ListRows::paintRow(Canvas& canvas, const PaintPass& pass, int index, int top) {
  Record* row = list_.model()->rows()[static_cast<std::size_t>(index)];
  const bool isCurrent = index == pass.current;
  drawer::ListCellState cell;
  cell.alternate = pass.alternate && index % 2 == 1;
  cell.fullRowSelect = pass.fullRowSelect;
  cell.gridLines = pass.gridLines;
  if (isCurrent && pass.mode == ListBox2::kMarkAbove) cell.mark = 1;
  if (isCurrent && pass.mode == ListBox2::kMarkBelow) cell.mark = 2;
  cell.lastRow = index == pass.count - 1;
  // The drop indicator: a line above the row the rows would land before, or a thicker one below
  // the last row.
  if (drag_ == Drag::kDragging && dropIndex_ == index) cell.mark = 1;
  if (drag_ == Drag::kDragging && dropIndex_ == pass.count && cell.lastRow) {
    cell.mark = 2;
    cell.markEmphasised = true;
  }
  const bool selected = row->isSelected() || (isCurrent && pass.mode == ListBox2::kMarkAsSelected);
  bool firstShown = true;
  for (const auto& span : pass.spans) {
    const bool shownFirst = firstShown;
    firstShown = false;
    if (span.right <= 0 || span.left >= getWidth() || span.right <= span.left) continue;
    listbox2::SubRecord* sub = row->getCell(span.column);
    cell.text = sub ? std::u16string_view(sub->getText()) : std::u16string_view();
    cell.font = pass.font;
    const bool bold = (row->getFlags() & Record::kBold) || (sub && (sub->getFlags() & listbox2::SubRecord::kBold));
    if (bold) cell.font.font.weight = 700;
    cell.selected = selected && (cell.fullRowSelect || shownFirst);
    listbox2::DataType* column = list_.model()->columns()[static_cast<std::size_t>(span.column)];
    cell.align = static_cast<unsigned>(column->getAlignment());
    cell.cellButton = pass.checkBoxes && shownFirst ? (row->isChecked() ? 2 : 1) : 0;
    pass.drawer->paintCell(cell, Rect{span.left, top, span.right, top + pass.height}, canvas);
  }
}

// ---- pointer ----

void ListRows::onMouseDown(const MouseEvent& e) {
  takeFocus();
  const int row = list_.viewport().scroll().rowAt(e.point.y);
  if (e.button == 1) {
    // The context menu acts on the row under the pointer, selected alone unless it already is.
    Record* record = list_.getRow(row);
    if (record && !record->isSelected()) input_.click(row, false, false);
    return;
  }
  if (e.button != 0) return;
  if (onCheckBox(row, e.point)) {
    list_.switchCheck(row);
    return;
  }
  Record* record = list_.getRow(row);
  selectOnRelease_ = record && record->isSelected() && !e.shift && !e.control;
  if (selectOnRelease_)
    input_.pressSelected(row);
  else
    input_.click(row, e.shift, e.control);
  list_.viewport().ensureVisible(row);
  record = list_.getRow(row);
  if (record && record->isSelected()) {
    drag_ = Drag::kPressed;
    pressedRow_ = row;
    pressPoint_ = e.point;
    captureMouse();
  }
}

// The box sits at the start of the leftmost column, a row's height wide (the drawer draws it a
// little smaller, so the whole square around it counts).
bool ListRows::onCheckBox(int row, Point p) const {
  if (!list_.hasCheckBoxes() || row < 0 || row >= list_.getRowCount()) return false;
  const auto spans = list_.viewport().columnSpans();
  return !spans.empty() && p.x >= spans.front().left && p.x < spans.front().left + list_.viewport().rowHeight();
}

void ListRows::onDoubleClick(const MouseEvent& e) {
  if (e.button != 0) return onMouseDown(e);
  // A quick second click on a check box switches it back, as the first one did.
  if (onCheckBox(list_.viewport().scroll().rowAt(e.point.y), e.point)) return onMouseDown(e);
  const int row = list_.viewport().scroll().rowAt(e.point.y);
  if (row < 0) return;
  input_.click(row, false, false);
  list_.doubleClickRow(row);
}

int ListRows::dropIndexAt(Point p) const {
  const ListScroll& scroll = list_.viewport().scroll();
  // Between rows: the nearer boundary.
  const int y = p.y + scroll.rowHeight() / 2;
  if (y < 0) return scroll.firstRow();
  return std::min(scroll.rows(), scroll.firstRow() + y / scroll.rowHeight());
}

void ListRows::onMouseMove(const MouseEvent& e) {
  if (drag_ == Drag::kNone) return;
  if (drag_ == Drag::kPressed) {
    if (std::abs(e.point.x - pressPoint_.x) <= ListBox2::kDragThreshold &&
        std::abs(e.point.y - pressPoint_.y) <= ListBox2::kDragThreshold)
      return;
    startDrag();
  }
  const Point screen = windowSystem()->clientToScreen(nativeHandle(), e.point);
  if (!windowSystem()->boundsOf(windowSystem()->topLevelOf(nativeHandle())).contains(screen) && dragOut(screen))
    return;
  dragPoint_ = e.point;
  trackDrop();
  // Held beyond the top or bottom edge, the list keeps scrolling a row at a time, so that any
  // row can be reached without moving the pointer.
  if (e.point.y < 0 || e.point.y >= getHeight())
    startTimer(kAutoScrollTimer, kAutoScrollMs);
  else
    stopTimer(kAutoScrollTimer);
}

void ListRows::trackDrop() {
  const int index = dropIndexAt(dragPoint_);
  if (index == dropIndex_) return;
  list_.viewport().repaintRows(std::min(index, dropIndex_) - 1, std::max(index, dropIndex_));
  dropIndex_ = index;
}

void ListRows::onTimer(unsigned id) {
  if (id != kAutoScrollTimer) return;
  if (drag_ != Drag::kDragging || (dragPoint_.y >= 0 && dragPoint_.y < getHeight())) {
    stopTimer(kAutoScrollTimer);
    return;
  }
  list_.viewport().scrollRows(dragPoint_.y < 0 ? -1 : 1);
  trackDrop();
}

void ListRows::startDrag() {
  drag_ = Drag::kDragging;
  selectOnRelease_ = false;
  dropIndex_ = -1;
  list_.startRowDrag();
}

bool ListRows::dragOut(Point) {
  const std::vector<std::string> files = list_.filesOfSelectedRows();
  if (files.empty()) return false;
  const Handle top = windowSystem()->topLevelOf(nativeHandle());
  endDrag();
  windowSystem()->backend().desktop().beginFileDrag(top, files);
  return true;
}

void ListRows::onMouseUp(const MouseEvent& e) {
  if (e.button != 0 || drag_ == Drag::kNone) return;
  const Drag drag = drag_;
  const int pressed = pressedRow_;
  const bool selectAlone = selectOnRelease_;
  const Point screen = windowSystem()->clientToScreen(nativeHandle(), e.point);
  endDrag();
  if (drag == Drag::kDragging)
    drop(screen);
  else if (selectAlone)
    input_.releaseWithoutDrag(pressed);
}

void ListRows::drop(Point screen) {
  if (list_.containsScreenPoint(screen.x, screen.y)) {
    const Point here = windowSystem()->screenToClient(nativeHandle(), screen);
    if (list_.isReorderAllowed()) list_.dropSelectedRows(dropIndexAt(here));
    return;
  }
  for (ListBox2* target : list_.getDragTargets()) {
    if (target == &list_ || !target->containsScreenPoint(screen.x, screen.y)) continue;
    ListRows& rows = target->viewport().rows();
    const Point there = rows.windowSystem()->screenToClient(rows.nativeHandle(), screen);
    list_.dropRowsOn(target, rows.dropIndexAt(there));
    return;
  }
}

void ListRows::endDrag() {
  const bool wasDragging = drag_ == Drag::kDragging;
  stopTimer(kAutoScrollTimer);
  drag_ = Drag::kNone;
  selectOnRelease_ = false;
  releaseMouse();
  if (wasDragging) repaint();
  dropIndex_ = -1;
}

void ListRows::onCaptureLost() {
  if (drag_ == Drag::kNone) return;
  stopTimer(kAutoScrollTimer);
  drag_ = Drag::kNone;
  dropIndex_ = -1;
  repaint();
}

// ---- keys ----

bool ListRows::onKeyDown(const KeyEvent& e) {
  const bool ours = input_.key(e, list_.viewport().scroll().pageRows());
  if (ours) list_.viewport().ensureVisible(input_.focusRow());
  // Every key is reported, ours too: the owner acts on Delete and Enter, and may on others.
  list_.pressKey(static_cast<int>(e.key));
  return true;
}

}  // namespace s::gui::win
