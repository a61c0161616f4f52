#include "s/gui/win/SizingRules.h"

#include "platform/ui/Message.h"

namespace s::gui::win {

using namespace platform::ui;

int SizingRules::edgeCode(int platformEdge) {
  switch (platformEdge) {
    case edge::kLeft: return 1;
    case edge::kRight: return 2;
    case edge::kTop: return 3;
    case edge::kBottom: return 4;
    case edge::kTopLeft: return 5;
    case edge::kTopRight: return 6;
    case edge::kBottomLeft: return 7;
    case edge::kBottomRight: return 8;
    default: return 0;
  }
}

void SizingRules::limitHeight(Rect& r, int edge, int usableHeight) {
  if (usableHeight <= 0 || r.height() <= usableHeight) return;
  if (edge == 4 || edge == 7 || edge == 8)
    r.bottom = r.top + usableHeight;
  else
    r.top = r.bottom - usableHeight;
}

void SizingRules::enforceMinimum(Rect& r, int edge, int minWidth, int minHeight, bool width,
                                 bool height) {
  if (width && r.width() < minWidth) {
    if (edge == 1 || edge == 5 || edge == 7)
      r.left = r.right - minWidth;
    else
      r.right = r.left + minWidth;
  }
  if (height && r.height() < minHeight) {
    if (edge == 3 || edge == 5 || edge == 6)
      r.top = r.bottom - minHeight;
    else
      r.bottom = r.top + minHeight;
  }
}

}  // namespace s::gui::win
