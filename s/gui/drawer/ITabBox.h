#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct TabState {
  std::u16string_view caption;
  FontStyle font;
  bool selected = false;
  int hover = 0;  // 0 none, 1 hover
  bool enabled = true;
};

// Tabs along the top of a page, and the page's frame below them.
class ITabBox : public IDrawer {
 public:
  virtual void paintTab(const TabState& state, const platform::ui::Rect& rect,
                        platform::ui::Canvas& canvas) const = 0;
  virtual void paintPage(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const = 0;
  virtual platform::ui::Size measureTab(const TabState& state) const = 0;
};

}  // namespace s::gui::drawer
