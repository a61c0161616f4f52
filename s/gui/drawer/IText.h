#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct TextState {
  std::u16string_view text;
  FontStyle font;
  Look look = Look::kNormal;
  // Layout flags of platform::ui::text: kCenter centres on one line (with an ellipsis when it does
  // not fit), kWordWrap wraps, kRight ends with an ellipsis when it does not fit, none is one line.
  unsigned flags = 0;
};

// Text of labels and captions, with the font's effect (outline, shadow, raised, sunken).
class IText : public IDrawer {
 public:
  virtual void paint(const TextState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  // The size a label needs for the text, margins and effect included; maxWidth >= 0 wraps there.
  virtual platform::ui::Size measure(const TextState& state, int maxWidth = -1) const = 0;
  // Height of one line of text in the font.
  virtual int lineHeight(const FontStyle& font) const = 0;
};

}  // namespace s::gui::drawer
