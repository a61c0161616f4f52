#pragma once
#include "s/gui/layout/Arrangement.h"

namespace s::gui::layout {

// One row or one column: the arithmetic of the horizontal and the vertical box, which is the
// same along either axis. Children start at their minimum size along the axis; room beyond the
// sum of the minima is shared out in proportion to what each child may still grow (a float
// ratio, truncated per child), and what truncation leaves goes to the first children that can
// still take it, in one pass: when every child is at its maximum the rest stays unused. Across
// the axis every child is stretched to the container within its own maximum.
//
// A gap comes after a child only when that child is at least 1 pixel long, so an empty child
// adds no gap of its own (heights 10, 0, 10 with gap 5 are placed at 0, 15, 15).
class Linear {
 public:
  enum class Axis { kHorizontal, kVertical };
  static ContentSizes arrange(IContainer& container, const Arrangement& how, Axis axis);
};

}  // namespace s::gui::layout
