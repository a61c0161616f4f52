#pragma once
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

namespace s::gui::drawer {

// A font as a widget hands it to a drawer. The toolkit's FontSetting maps onto it: face name to
// font.family, the size code's point size and weight to font.pointSize and font.weight, italic
// and underline as they are; a colour or outline colour that the setting sets explicitly to
// `color`/`hasColor` and `outline`/`hasOutline`; the effect number to `effect`. A colour that is
// not set comes from the drawer, that is from the skin: widgets normally leave it unset.
struct FontStyle {
  platform::ui::Font font;
  bool hasColor = false;
  platform::ui::Color color = 0;
  bool hasOutline = false;
  platform::ui::Color outline = 0;
  // 0 plain, 1 outlined, 2 shadow, 3 raised, 4 raised below, 5 sunken, 6 sunken below,
  // 7 outlined in the skin's outline colour.
  int effect = 0;

  friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// Which of its colours a drawer gives a text whose font sets none: the widget's normal look, its
// disabled look, or its emphasised look (a checked or pressed button, a highlighted text).
enum class Look { kNormal, kDisabled, kEmphasised };

}  // namespace s::gui::drawer
