#pragma once
#include <string_view>
#include <vector>

#include "s/gui/drawer/SkinColors.h"

namespace s::gui::drawer {

// The skins a new manager starts with, so that the player can paint even when the built-in skin
// set cannot be read.
class FallbackSkins {
 public:
  struct Entry {
    std::u16string_view name;
    SkinColors colors;
  };
  static const std::vector<Entry>& all();
};

}  // namespace s::gui::drawer
