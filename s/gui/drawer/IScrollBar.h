#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct ScrollBarState {
  bool vertical = true;
  int minimum = 0;
  int maximum = 0;   // inclusive, as a scroll range
  int page = 0;      // visible amount; the thumb's share of the track
  int position = 0;
  int hover = 0;     // 0 none, 1 first arrow, 2 second arrow, 3 thumb, 4 track
  bool pressed = false;
  bool enabled = true;
  bool hasColor = false;  // the widget's bar colour, when set, replaces the skin's
  platform::ui::Color color = 0;
};

// Where the parts of a scroll bar are, so that the widget hit-tests what the drawer paints.
struct ScrollBarParts {
  platform::ui::Rect firstArrow;  // up or left
  platform::ui::Rect secondArrow; // down or right
  platform::ui::Rect track;       // between the arrows
  platform::ui::Rect thumb;       // empty when everything is visible
};

class IScrollBar : public IDrawer {
 public:
  virtual void paint(const ScrollBarState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  virtual ScrollBarParts parts(const ScrollBarState& state, const platform::ui::Rect& rect) const = 0;
};

}  // namespace s::gui::drawer
