#pragma once

namespace s::gui::drawer {

class Skinner;

// The skin set carried inside the program.
class BuiltInSkins {
 public:
  // Loads it into the manager, replacing the list; false (the list untouched) when the set
  // cannot be read or holds no skin.
  static bool load(Skinner& skinner);
};

}  // namespace s::gui::drawer
