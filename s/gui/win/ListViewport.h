#pragma once
#include <vector>

#include "platform/ui/Geometry.h"
#include "s/gui/win/ListScroll.h"

namespace s::base {
class IObject;
}
namespace s::gui {
class IComponent;
}
namespace s::gui::drawer {
class IListBox;
class IListHeader;
}

namespace s::gui::win {

class ListBox2;
class ListHeader;
class ListRows;
class ScrollBar;

// The visible side of a list: the header, the rows and the two scroll bars, laid out inside the
// list, all reading one scroll position (ListScroll). The bars show only when there is more to
// see than fits. Everything here runs on the tree's thread.
class ListViewport {
 public:
  // A column as shown: its index in the model and its left and right edges in the view (the
  // horizontal scroll applied), in the user's column order.
  struct ColumnSpan {
    int column;
    int left, right;
  };

  static constexpr int kBarThickness = 16;

  explicit ListViewport(ListBox2& list);
  ~ListViewport();
  ListViewport(const ListViewport&) = delete;
  ListViewport& operator=(const ListViewport&) = delete;

  void reset();
  // The list's native window exists: its parts get theirs.
  void realise();
  // Places the parts for the list's size, the font and the rows; repaints what changed.
  void layout();
  // The model changed: counts, widths, order or selection.
  void refresh();
  // Repaints the rows from..to (inclusive, clamped), where they are in view.
  void repaintRows(int from, int to);
  // A change of one of the bars; false when `source` is not one of them.
  bool onScrollBar(base::IObject* source, int code);

  // Scrolling, kept in step with the bars; true when the view moved.
  bool scrollRows(int by);
  bool ensureVisible(int row);
  bool setXOffset(int x);

  const ListScroll& scroll() const { return scroll_; }
  const drawer::IListBox& listDrawer() const;
  const drawer::IListHeader& headerDrawer() const;
  int rowHeight() const { return scroll_.rowHeight(); }
  std::vector<ColumnSpan> columnSpans() const;
  ListHeader& header() { return *header_; }
  ListRows& rows() { return *rows_; }
  ScrollBar& verticalBar() { return *vertical_; }
  ScrollBar& horizontalBar() { return *horizontal_; }

  int partCount() const { return 4; }
  IComponent* part(int i) const;

 private:
  void syncBars();
  // After the first row changed (moved): the bar and the rows follow. Returns `moved`.
  bool showRowsMoved(bool moved);
  // Row height from the drawer and the font: never lower than one line of the font.
  int measureRowHeight() const;
  int measureHeaderHeight() const;
  int columnsWidth() const;

  ListBox2& list_;
  ListScroll scroll_;
  ListHeader* header_;
  ListRows* rows_;
  ScrollBar* vertical_;
  ScrollBar* horizontal_;
};

}  // namespace s::gui::win
