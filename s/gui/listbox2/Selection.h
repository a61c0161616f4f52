#pragma once
#include <vector>

namespace s::gui::listbox2 {

class List;

// The selection changes of a list view, made on the model with its lock held. Each returns the
// event codes the change is to be reported with (see win::ListBox2), in order, so that the list
// can raise them once the lock is let go; empty when nothing changed.
class Selection {
 public:
  static constexpr int kSelected = 1;
  static constexpr int kDeselected = 2;
  static constexpr int kOnlySelected = 20;
  static constexpr int kNoneSelected = 21;

  // One row on or off; a single-selection list first deselects the others.
  static std::vector<int> select(List& list, int index, bool on, bool multiSelect);
  // Every row; a single-selection list takes no "all on".
  static std::vector<int> selectAll(List& list, bool on, bool multiSelect);
  // The rows from `from` to `to` (either order) on; with `only`, every other row off.
  static std::vector<int> selectRange(List& list, int from, int to, bool only, bool multiSelect);
};

}  // namespace s::gui::listbox2
