#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "s/gui/drawer/SkinColors.h"

namespace s::xml {
class Node;
}

namespace s::gui::drawer {

// The skin-set format: below the element `parentName` (a path of names separated by "\"), an
// element named after the skin type with the attribute "numOfSkins", and the skins as elements
// type + "_" + i with the attribute "name" and one child per colour role with "R", "G" and "B".
class SkinSetFile {
 public:
  struct Skin {
    std::u16string name;
    SkinColors colors;
  };

  // The skins of the set, in file order. A skin without a name is left out; a missing channel
  // reads as 0, except that groupBorder defaults to compFg and textOutLineSpecific to a grey
  // that stands out against the text colour.
  static std::vector<Skin> read(const xml::Node& node, std::u16string_view parentName,
                                std::u16string_view type);
  // Replaces the type element and the numbered skin elements below `parentName` (created when
  // missing) by the given skins.
  static void write(xml::Node& node, std::u16string_view parentName, std::u16string_view type,
                    const std::vector<Skin>& skins);
};

}  // namespace s::gui::drawer
