#include "s/gui/win/ListHeader.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/WindowSystem.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListViewport.h"

namespace s::gui::win {

using namespace platform::ui;

void ListHeader::reset() {
  drag_ = Drag::kNone;
  column_ = -1;
}

int ListHeader::edgeAt(int x) const {
  int found = -1;
  for (const auto& span : list_.viewport().columnSpans())
    if (std::abs(x - span.right) <= kEdgeGrip) found = span.column;
  return found;
}

int ListHeader::columnAt(int x) const {
  for (const auto& span : list_.viewport().columnSpans())
    if (x >= span.left && x < span.right) return span.column;
  return -1;
}

int ListHeader::orderSlotAt(int x, int moving) const {
  // The slot counts the other columns whose middle lies left of the pointer.
  int slot = 0;
  for (const auto& span : list_.viewport().columnSpans())
    if (span.column != moving && (span.left + span.right) / 2 < x) ++slot;
  return slot;
}

void ListHeader::paint(Canvas& canvas, const Rect& client) {
  const drawer::IListHeader& drawer = list_.viewport().headerDrawer();
  drawer::ListHeaderItemState item;
  item.font = list_.getFont();
  int sortColumn = -1;
  bool ascending = false;
  {
    listbox2::List& model = *list_.model();
    thread::ObjLocker::Guard hold(model.lock());
    if (!model.sortKeys().empty()) sortColumn = model.sortKeys().front();
  }
  int right = 0;
  for (const auto& span : list_.viewport().columnSpans()) {
    right = span.right;
    if (span.right <= client.left || span.left >= client.right) continue;
    listbox2::DataType* column = list_.getColumn(span.column);
    if (!column) continue;
    const std::u16string title = column->getTitle();
    item.caption = title;
    item.align = static_cast<unsigned>(column->getAlignment());
    item.hover = drag_ != Drag::kNone && drag_ != Drag::kResizing && span.column == column_ ? 2 : 0;
    ascending = column->getSortDirection();
    item.sort = span.column == sortColumn && column->isSortable() ? (ascending ? 1 : -1) : 0;
    drawer.paintItem(item, Rect{span.left, 0, span.right, client.bottom}, canvas);
  }
  if (right < client.right) drawer.paintBackground(Rect{std::max(right, client.left), 0, client.right, client.bottom}, canvas);
}

void ListHeader::onMouseDown(const MouseEvent& e) {
  if (e.button != 0) return;
  pressX_ = e.point.x;
  if ((column_ = edgeAt(e.point.x)) >= 0) {
    drag_ = Drag::kResizing;
    startWidth_ = list_.getColumnWidth(column_);
  } else if ((column_ = columnAt(e.point.x)) >= 0) {
    drag_ = Drag::kPressed;
  } else {
    return;
  }
  captureMouse();
  repaint();
}

void ListHeader::onMouseMove(const MouseEvent& e) {
  if (drag_ == Drag::kNone) {
    if (windowSystem() && nativeHandle() != kNoWindow)
      windowSystem()->setCursor(nativeHandle(), edgeAt(e.point.x) >= 0 ? Cursor::kSizeWestEast : Cursor::kArrow);
    return;
  }
  const int moved = e.point.x - pressX_;
  if (drag_ == Drag::kResizing) {
    list_.setColumnWidth(column_, std::max(0, startWidth_ + moved));
  } else if (drag_ == Drag::kPressed && std::abs(moved) > ListBox2::kDragThreshold) {
    drag_ = Drag::kMoving;
  }
}

void ListHeader::onMouseUp(const MouseEvent& e) {
  if (e.button != 0 || drag_ == Drag::kNone) return;
  const Drag drag = drag_;
  const int column = column_;
  endDrag();
  if (drag == Drag::kResizing) {
    list_.setColumnWidth(column, std::max(0, startWidth_ + e.point.x - pressX_));
  } else if (drag == Drag::kMoving) {
    std::vector<int> order = list_.getColumnOrder();
    order.erase(std::remove(order.begin(), order.end(), column), order.end());
    const int slot = std::clamp(orderSlotAt(e.point.x, column), 0, static_cast<int>(order.size()));
    order.insert(order.begin() + slot, column);
    list_.setColumnOrder(order);
  } else if (drag == Drag::kPressed && columnAt(e.point.x) == column) {
    list_.clickColumn(column);
  }
}

void ListHeader::onCaptureLost() {
  drag_ = Drag::kNone;
  repaint();
}

void ListHeader::endDrag() {
  drag_ = Drag::kNone;
  releaseMouse();
  repaint();
}

}  // namespace s::gui::win
