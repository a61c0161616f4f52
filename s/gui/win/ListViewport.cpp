#include "s/gui/win/ListViewport.h"

#include <algorithm>

#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/win/Host.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListHeader.h"
#include "s/gui/win/ListRows.h"
#include "s/gui/win/ScrollBar.h"

namespace s::gui::win {

using platform::ui::kNoWindow;

ListViewport::ListViewport(ListBox2& list)
    : list_(list),
      header_(new ListHeader(list)),
      rows_(new ListRows(list)),
      vertical_(ScrollBar::create()),
      horizontal_(ScrollBar::create()) {
  reset();
}

ListViewport::~ListViewport() {
  for (int i = 0; i < partCount(); ++i) part(i)->setParent(nullptr);
  delete header_;
  delete rows_;
  vertical_->release();
  horizontal_->release();
}

void ListViewport::reset() {
  scroll_ = ListScroll();
  header_->reset();
  rows_->reset();
  vertical_->reset();
  horizontal_->reset();
  vertical_->setOrientation(ScrollBar::kVertical, kBarThickness);
  horizontal_->setOrientation(ScrollBar::kHorizontal, kBarThickness);
  vertical_->addChangeListener(&list_);
  horizontal_->addChangeListener(&list_);
}

IComponent* ListViewport::part(int i) const {
  switch (i) {
    case 0: return header_;
    case 1: return rows_;
    case 2: return vertical_;
    case 3: return horizontal_;
    default: return nullptr;
  }
}

void ListViewport::realise() {
  for (int i = 0; i < partCount(); ++i) part(i)->setParent(&list_);
  layout();
}

const drawer::IListBox& ListViewport::listDrawer() const {
  if (const drawer::IListBox* own = list_.getDrawer()) return *own;
  return list_.host()->listBox();
}

const drawer::IListHeader& ListViewport::headerDrawer() const { return list_.host()->listHeader(); }

int ListViewport::measureRowHeight() const {
  const drawer::FontStyle font = list_.getFont();
  const int line = drawer::text::win::Basic::measuringCanvas().lineHeight(font.font);
  return std::max(line, listDrawer().rowHeight(font));
}

int ListViewport::measureHeaderHeight() const {
  return list_.isHeaderShown() ? headerDrawer().height(list_.getFont()) : 0;
}

int ListViewport::columnsWidth() const {
  int width = 0;
  for (int i = 0, n = list_.getColumnCount(); i < n; ++i) width += list_.getColumnWidth(i);
  return width;
}

std::vector<ListViewport::ColumnSpan> ListViewport::columnSpans() const {
  std::vector<ColumnSpan> spans;
  int x = -scroll_.xOffset();
  for (int column : list_.getColumnOrder()) {
    const int width = list_.getColumnWidth(column);
    spans.push_back({column, x, x + width});
    x += width;
  }
  return spans;
}

void ListViewport::layout() {
  if (!list_.host()) return;
  const int width = list_.getWidth(), height = list_.getHeight();
  const int headerHeight = std::min(height, measureHeaderHeight());
  scroll_.setRowHeight(measureRowHeight());
  scroll_.setRows(list_.getRowCount());
  scroll_.setContentWidth(columnsWidth());
  // Each bar takes room from the other's direction, so whether one is needed can depend on the
  // other: settle it in two rounds.
  bool needV = false, needH = false;
  for (int round = 0; round < 2; ++round) {
    scroll_.setViewSize(width - (needV ? kBarThickness : 0),
                        height - headerHeight - (needH ? kBarThickness : 0));
    needV = scroll_.needsVertical();
    needH = scroll_.needsHorizontal();
  }
  scroll_.setViewSize(width - (needV ? kBarThickness : 0),
                      height - headerHeight - (needH ? kBarThickness : 0));
  const int viewWidth = scroll_.viewWidth(), viewHeight = scroll_.viewHeight();
  header_->setVisible(headerHeight > 0, false);
  header_->setBounds(0, 0, viewWidth, headerHeight);
  rows_->setBounds(0, headerHeight, viewWidth, viewHeight);
  vertical_->setVisible(needV, false);
  vertical_->setBounds(viewWidth, headerHeight, kBarThickness, viewHeight);
  horizontal_->setVisible(needH, false);
  horizontal_->setBounds(0, headerHeight + viewHeight, viewWidth, kBarThickness);
  syncBars();
  header_->repaint();
  rows_->repaint();
}

void ListViewport::refresh() { layout(); }

void ListViewport::syncBars() {
  vertical_->setRange(0, std::max(0, scroll_.rows() - 1), scroll_.pageRows());
  vertical_->setPosition(scroll_.firstRow());
  horizontal_->setRange(0, std::max(0, scroll_.contentWidth() - 1), std::max(1, scroll_.viewWidth()));
  horizontal_->setPosition(scroll_.xOffset());
}

void ListViewport::repaintRows(int from, int to) {
  from = std::max(from, scroll_.firstRow());
  to = std::min(to, scroll_.endRow() - 1);
  if (from > to) return;
  const int h = scroll_.rowHeight();
  rows_->repaintRect(0, scroll_.rowTop(from), scroll_.viewWidth(), (to - from + 1) * h);
}

bool ListViewport::onScrollBar(base::IObject* source, int code) {
  if (source != vertical_ && source != horizontal_) return false;
  if (code != ScrollBar::kChanged) return true;
  if (source == vertical_ && scroll_.setFirstRow(vertical_->getPosition())) rows_->repaint();
  if (source == horizontal_ && scroll_.setXOffset(horizontal_->getPosition())) {
    rows_->repaint();
    header_->repaint();
  }
  return true;
}

bool ListViewport::scrollRows(int by) { return showRowsMoved(scroll_.scrollRows(by)); }

bool ListViewport::ensureVisible(int row) { return showRowsMoved(scroll_.ensureVisible(row)); }

bool ListViewport::showRowsMoved(bool moved) {
  if (!moved) return false;
  vertical_->setPosition(scroll_.firstRow());
  rows_->repaint();
  return true;
}

bool ListViewport::setXOffset(int x) {
  if (!scroll_.setXOffset(x)) return false;
  horizontal_->setPosition(scroll_.xOffset());
  rows_->repaint();
  header_->repaint();
  return true;
}

}  // namespace s::gui::win
