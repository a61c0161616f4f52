#include "s/gui/win/Font.h"

#include "platform/ui/Canvas.h"

namespace s::gui::win {

int Font::getLineHeight(double scale) const {
  platform::ui::Image none;
  platform::ui::Canvas canvas(none);
  return canvas.lineHeight(style(scale).font);
}

}  // namespace s::gui::win
