#pragma once
#include "s/gui/drawer/IDrawer.h"

namespace s::gui::counter {
class CounterData;
}

namespace s::gui::drawer {

struct CounterState {
  int style = 0;  // 0 none, 1 bar (newest sample), 2 history
  const ::s::gui::counter::CounterData* first = nullptr;
  const ::s::gui::counter::CounterData* second = nullptr;  // null when the second series is not shown
  bool swapColors = false;
};

// The graph panel's data series; the panel fills its own background and draws its labels.
class ICounter : public IDrawer {
 public:
  virtual void paint(const CounterState& state, const platform::ui::Rect& graph,
                     platform::ui::Canvas& canvas) const = 0;
};

}  // namespace s::gui::drawer
