#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct GroupBoxState {
  std::u16string_view caption;
  FontStyle font;
  bool enabled = true;
};

class IGroupBox : public IDrawer {
 public:
  virtual void paint(const GroupBoxState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  // The area inside the frame, where the group box piles its children.
  virtual platform::ui::Rect inner(const GroupBoxState& state, const platform::ui::Rect& rect) const = 0;
};

}  // namespace s::gui::drawer
