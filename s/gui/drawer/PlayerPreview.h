#pragma once
#include "platform/ui/Canvas.h"
#include "platform/ui/Image.h"

namespace s::gui::counter {
class CounterData;
}

namespace s::gui::drawer {

class ISkin;
class Skinner;

// A picture of the player's window in a skin: frame, display with graph and labels, transport
// buttons, sliders, the list with its header and scroll bar, and the status line; about forty
// widgets, as many as the real window paints.
class PlayerPreview {
 public:
  static constexpr int kWidth = 350;
  static constexpr int kHeight = 280;

  // Paints at the canvas's origin; `graph` is the display's series.
  static void paint(const ISkin& skin, const counter::CounterData& graph, platform::ui::Canvas& canvas);
  // Every skin of the manager, reduced to half size, with its name below, `columns` to a row.
  static platform::ui::Image contactSheet(const Skinner& skinner, int columns);
};

}  // namespace s::gui::drawer
