#pragma once
#include "s/gui/win/FontSetting.h"

namespace s::gui::win {

// A font in use: the setting and what it measures. The line height is taken from real text
// ("test" laid out in the font), so a row sized by it holds one line whatever the face.
class Font : public FontSetting {
 public:
  int getLineHeight(double scale = 1) const;
  const char16_t* typeName() const override { return u"s_gui_win_Font"; }
  base::IObject* newInstance() const override { return new Font; }
};

}  // namespace s::gui::win
