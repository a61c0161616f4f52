#pragma once
#include "s/gui/win/Component.h"

namespace s::gui::win {

class ListBox2;

// The header row of a list: one caption per column in the user's order, painted by the skin's
// list-header drawer. Dragging near a column's right edge resizes that column; dragging a
// caption elsewhere moves the column; a click without a drag sorts by it (ListBox2::clickColumn).
class ListHeader : public Component {
 public:
  // How near a column's right edge (in pixels, either side) a press takes the edge.
  static constexpr int kEdgeGrip = 3;

  explicit ListHeader(ListBox2& list) : list_(list) {}
  const char16_t* typeName() const override { return u"s_gui_win_ListHeader"; }
  base::IObject* newInstance() const override { return nullptr; }
  void reset();

  // The column whose right edge is at x (within kEdgeGrip), or -1; the rightmost such column, so
  // that a column narrowed to nothing can be widened again.
  int edgeAt(int x) const;
  // The column under x, or -1.
  int columnAt(int x) const;
  // Where a column dropped at x lands in the column order.
  int orderSlotAt(int x, int moving) const;

 protected:
  void paint(platform::ui::Canvas& canvas, const platform::ui::Rect& client) override;
  void onMouseDown(const MouseEvent& e) override;
  void onMouseMove(const MouseEvent& e) override;
  void onMouseUp(const MouseEvent& e) override;
  void onCaptureLost() override;

 private:
  enum class Drag { kNone, kPressed, kResizing, kMoving };
  void endDrag();

  ListBox2& list_;
  Drag drag_ = Drag::kNone;
  int column_ = -1;   // the column pressed, resized or moved
  int pressX_ = 0;
  int startWidth_ = 0;
};

}  // namespace s::gui::win
