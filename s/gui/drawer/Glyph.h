#pragma once
#include <string_view>

#include "platform/ui/Canvas.h"

namespace s::gui::drawer {

// Captions that begin with "#" are pictures, not text: transport symbols, arrows, marks and
// colour swatches, drawn pixel by pixel so that they stay sharp at 22 x 16. A glyph is laid out
// in the button rectangle inset by 1 pixel, in a square of the inset's smaller side rounded down
// to an even number, centred.
class Glyph {
 public:
  static bool isGlyphCaption(std::u16string_view caption) {
    return !caption.empty() && caption.front() == u'#';
  }
  // Draws the glyph named by `caption` in `color`; false (and nothing drawn) for an unknown name
  // or a colour swatch whose colour is not valid.
  static bool paint(std::u16string_view caption, const platform::ui::Rect& buttonRect,
                    platform::ui::Color color, platform::ui::Canvas& canvas);
  // The colour of a "#Color-00BBGGRR" caption; false when the caption is not one.
  static bool parseColor(std::u16string_view caption, platform::ui::Color& color);
};

}  // namespace s::gui::drawer
