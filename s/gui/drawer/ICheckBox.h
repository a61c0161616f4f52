#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

// What a check box or radio button passes: its caption, font and states.
struct CheckState {
  std::u16string_view caption;
  FontStyle font;
  bool checked = false;
  bool enabled = true;
  int hover = 0;  // 0 none, 1 hover, 2 pressed
};

class ICheckBox : public IDrawer {
 public:
  virtual void paint(const CheckState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  // Box and caption together.
  virtual platform::ui::Size measure(const CheckState& state) const = 0;
};

}  // namespace s::gui::drawer
