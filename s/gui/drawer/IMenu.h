#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct MenuItemState {
  std::u16string_view text;
  std::u16string_view shortcut;  // right-aligned key text, may be empty
  FontStyle font;
  bool separator = false;
  bool highlighted = false;
  bool enabled = true;
  int mark = 0;  // 0 none, 1 check mark, 2 radio mark
  bool subMenu = false;
};

class IMenu : public IDrawer {
 public:
  virtual void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const = 0;
  virtual void paintItem(const MenuItemState& state, const platform::ui::Rect& rect,
                         platform::ui::Canvas& canvas) const = 0;
  virtual platform::ui::Size measureItem(const MenuItemState& state) const = 0;
};

}  // namespace s::gui::drawer
