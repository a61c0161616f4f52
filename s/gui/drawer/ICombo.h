#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct ComboState {
  std::u16string_view text;  // the chosen entry
  FontStyle font;
  int hover = 0;  // 0 none, 1 hover, 2 pressed
  bool enabled = true;
  bool open = false;
};

class ICombo : public IDrawer {
 public:
  virtual void paint(const ComboState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  virtual platform::ui::Size measure(const ComboState& state) const = 0;
};

}  // namespace s::gui::drawer
