#pragma once
#include <string_view>

#include "s/gui/drawer/IDrawer.h"

namespace s::gui::drawer {

struct ListHeaderItemState {
  std::u16string_view caption;
  FontStyle font;
  unsigned align = 0;  // platform::ui::text::kLeft, kCenter or kRight
  int hover = 0;       // 0 none, 1 hover, 2 pressed
  int sort = 0;        // 0 unsorted, 1 ascending, -1 descending
};

// The header row of a list: one call per column, and one for the empty rest of the row.
class IListHeader : public IDrawer {
 public:
  virtual void paintItem(const ListHeaderItemState& state, const platform::ui::Rect& rect,
                         platform::ui::Canvas& canvas) const = 0;
  virtual void paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const = 0;
  // Height of the header row for the font.
  virtual int height(const FontStyle& font) const = 0;
};

}  // namespace s::gui::drawer
