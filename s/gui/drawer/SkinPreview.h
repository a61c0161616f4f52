#pragma once
#include <string_view>

#include "platform/ui/Image.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/IWindow.h"

namespace s::gui::counter {
class CounterData;
}

namespace s::gui::drawer {

class ISkin;

// Widgets of a skin painted on their own, off screen: for looking at a skin without the player
// (the command line's paint command, the skin customizer's sample, reviewed test images).
// Each widget stands on the skin's window background, as it would in the player.
class SkinPreview {
 public:
  static platform::ui::Image button(const ISkin& skin, const ButtonState& state, platform::ui::Size size);
  // A check box, or with `radio` a radio button.
  static platform::ui::Image check(const ISkin& skin, bool radio, const CheckState& state, platform::ui::Size size);
  static platform::ui::Image slider(const ISkin& skin, const SliderState& state, platform::ui::Size size);
  static platform::ui::Image counter(const ISkin& skin, int style, const counter::CounterData& series,
                                     platform::ui::Size size);
  // A header and a few rows: one selected, the current-row mark below another, alternate rows.
  static platform::ui::Image list(const ISkin& skin, platform::ui::Size size);
  // The frame, with the pixels outside the window region made transparent.
  static platform::ui::Image window(const ISkin& skin, const WindowState& state, platform::ui::Size size);
  // Every glyph in a button of the given size, in rows; a second row set shows them checked.
  static platform::ui::Image glyphs(const ISkin& skin, platform::ui::Size buttonSize);
  // Each pixel as a square of scale x scale pixels, for looking at exact pixels.
  static platform::ui::Image enlarge(const platform::ui::Image& image, int scale);
};

}  // namespace s::gui::drawer
