#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct ButtonState {
  // A caption beginning with "#" names a glyph ("#Play", "#Color-00BBGGRR", ...).
  std::u16string_view caption;
  // The font the button chose (normal, disabled, or checked/inverted) and which of the three it is.
  FontStyle font;
  Look look = Look::kNormal;
  int hover = 0;  // 0 none, 1 hover, 2 pressed
  bool enabled = true;
  bool checked = false;
  bool frame = true;  // whether a frame is wanted in the current state
};

// Button faces: frame, checked fill, caption text or glyph.
class IButton : public IDrawer {
 public:
  virtual void paint(const ButtonState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  // The size the button needs for its caption; a glyph caption asks for a small square.
  virtual platform::ui::Size measure(const ButtonState& state) const = 0;
};

}  // namespace s::gui::drawer
