#pragma once
#include "s/gui/win/Component.h"
#include "s/gui/win/ListInput.h"

namespace s::gui::win {

class ListBox2;

// The rows of a list: paints the rows in view (and only those) cell by cell with the list's
// drawer, and turns the pointer and the keys into selection, scrolling, double-clicks and drags
// of rows (the wheel goes on to the list, which scrolls for rows and header alike). A drag of rows may end in this list (reordering it when allowed), on one of
// its drag targets, or leave the window, where the rows' files go to other programs.
class ListRows : public Component {
 public:
  explicit ListRows(ListBox2& list) : list_(list), input_(list) {}
  const char16_t* typeName() const override { return u"s_gui_win_ListRows"; }
  base::IObject* newInstance() const override { return nullptr; }
  void reset();

  bool isDragging() const { return drag_ == Drag::kDragging; }
  // Where dragged rows would land: before this row; the row count means below the last row.
  int dropIndex() const { return dropIndex_; }
  int focusRow() const { return input_.focusRow(); }
  // The drop position for a point of this component.
  int dropIndexAt(platform::ui::Point p) const;

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onDoubleClick(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onCaptureLost() override;
  void onTimer(unsigned id) override;
  bool onKeyDown(const KeyEvent& e) override;

 private:
  enum class Drag { kNone, kPressed, kDragging };
  struct PaintPass;
  void paintRow(platform::ui::Canvas& canvas, const PaintPass& pass, int index, int top);
  // Whether a point of this component lies on a row's check box (with check boxes on).
  bool onCheckBox(int row, platform::ui::Point p) const;
  void startDrag();
  // Moves the drop indicator to where the pointer last was.
  void trackDrop();
  // The pointer left the window while dragging: the rows' files go to whoever takes them.
  bool dragOut(platform::ui::Point screen);
  void drop(platform::ui::Point screen);
  void endDrag();

  ListBox2& list_;
  ListInput input_;
  Drag drag_ = Drag::kNone;
  bool selectOnRelease_ = false;  // the press was on a selected row: it alone is chosen on release
  int pressedRow_ = -1;
  platform::ui::Point pressPoint_;
  int dropIndex_ = -1;
  platform::ui::Point dragPoint_;  // where the pointer last was while dragging
};

}  // namespace s::gui::win
