#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct StatusBarState {
  std::u16string_view text;
  FontStyle font;
  bool grip = false;  // a size grip in the bottom-right corner
};

class IStatusBar : public IDrawer {
 public:
  virtual void paint(const StatusBarState& state, const platform::ui::Rect& rect,
                     platform::ui::Canvas& canvas) const = 0;
  virtual int height(const FontStyle& font) const = 0;
};

}  // namespace s::gui::drawer
