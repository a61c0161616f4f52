#pragma once
#include "platform/ui/Geometry.h"

namespace s::gui::win {

// How a top-level window keeps the user's sizing within limits. Edge codes are the window's own:
// left 1, right 2, top 3, bottom 4, top-left 5, top-right 6, bottom-left 7, bottom-right 8. The
// edge being dragged is the one that gives way, so the opposite edge stays where the user left it.
class SizingRules {
 public:
  // The window's edge code for the window system's edge of a sizing drag (0 when unknown).
  static int edgeCode(int platformEdge);
  // No taller than the monitor's usable height: the bottom edge moves when it is dragged, else
  // the top edge.
  static void limitHeight(platform::ui::Rect& r, int edge, int usableHeight);
  // At least the minimum width (height) when enforced: the left (top) edge moves when it is
  // dragged, else the right (bottom) edge.
  static void enforceMinimum(platform::ui::Rect& r, int edge, int minWidth, int minHeight,
                             bool width, bool height);
};

}  // namespace s::gui::win
