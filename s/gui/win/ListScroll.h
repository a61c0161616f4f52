#pragma once
#include <algorithm>

namespace s::gui::win {

// Where a list view stands: the first row shown, how far the columns are scrolled sideways, and
// what that depends on (rows, row height, the room for rows, the columns' total width). The
// scroll bars and the painting both read this one record, so they cannot disagree.
//
// Invariant after every setter: 0 <= firstRow <= lastFirstRow() and 0 <= xOffset <= lastXOffset().
class ListScroll {
 public:
  void setRows(int count) { rows_ = std::max(0, count); clamp(); }
  void setRowHeight(int h) { rowHeight_ = std::max(1, h); clamp(); }
  void setViewSize(int width, int height) {
    viewWidth_ = std::max(0, width);
    viewHeight_ = std::max(0, height);
    clamp();
  }
  void setContentWidth(int w) { contentWidth_ = std::max(0, w); clamp(); }

  int rows() const { return rows_; }
  int rowHeight() const { return rowHeight_; }
  int viewWidth() const { return viewWidth_; }
  int viewHeight() const { return viewHeight_; }
  int contentWidth() const { return contentWidth_; }
  int firstRow() const { return firstRow_; }
  int xOffset() const { return xOffset_; }

  // Rows that fit whole; at least one, so that paging always moves.
  int pageRows() const { return std::max(1, viewHeight_ / rowHeight_); }
  int lastFirstRow() const { return std::max(0, rows_ - pageRows()); }
  int lastXOffset() const { return std::max(0, contentWidth_ - viewWidth_); }
  bool needsVertical() const { return rows_ > pageRows(); }
  bool needsHorizontal() const { return contentWidth_ > viewWidth_; }

  // True when the position changed.
  bool setFirstRow(int row) { return assign(firstRow_, std::clamp(row, 0, lastFirstRow())); }
  bool setXOffset(int x) { return assign(xOffset_, std::clamp(x, 0, lastXOffset())); }
  bool scrollRows(int by) { return setFirstRow(firstRow_ + by); }
  // Scrolls the least that shows `row` whole.
  bool ensureVisible(int row) {
    if (row < 0 || row >= rows_) return false;
    if (row < firstRow_) return setFirstRow(row);
    if (row >= firstRow_ + pageRows()) return setFirstRow(row - pageRows() + 1);
    return false;
  }

  // The rows any part of which is in view: [first, end).
  int endRow() const {
    return std::min(rows_, firstRow_ + (viewHeight_ + rowHeight_ - 1) / rowHeight_);
  }
  // Row at a y of the rows' area; -1 below the last row or above the first.
  int rowAt(int y) const {
    if (y < 0) return -1;
    const int row = firstRow_ + y / rowHeight_;
    return row < rows_ ? row : -1;
  }
  int rowTop(int row) const { return (row - firstRow_) * rowHeight_; }

 private:
  static bool assign(int& field, int value) {
    if (field == value) return false;
    field = value;
    return true;
  }
  void clamp() {
    firstRow_ = std::clamp(firstRow_, 0, lastFirstRow());
    xOffset_ = std::clamp(xOffset_, 0, lastXOffset());
  }

  int rows_ = 0;
  int rowHeight_ = 1;
  int viewWidth_ = 0, viewHeight_ = 0;
  int contentWidth_ = 0;
  int firstRow_ = 0;
  int xOffset_ = 0;
};

}  // namespace s::gui::win
