#pragma once
#include <optional>
#include <string>

#include "platform/ui/Font.h"
#include "s/base/IObject.h"
#include "s/gui/drawer/FontStyle.h"

namespace s::gui::win {

// A font choice carried to widgets and drawers: face, size, weight, style, colours and effect,
// each remembered as set explicitly or not. Sizes are points at 96 dots per inch.
class FontSetting : public base::IObject {
 public:
  static constexpr int kDefaultPointSize = 9;

  // The toolkit's size codes: |n| below 100 is a regular font of n + 10 points, 100 to 999 a bold
  // one of n mod 100 + 14 points, 100001 a regular 8-point font; other codes change nothing.
  // An explicit pixel height, when set, keeps its size.
  void setSizeCode(int n);
  void setPointSize(double points);
  // Pixel height of the font's em (at 96 dots per inch); wins over size codes.
  void setHeight(int pixels);
  void setBold(bool on) { setWeight(on ? 700 : 400); }
  void setWeight(int weight);
  void setItalic(bool on);
  void setUnderline(bool on);
  void setFaceName(const std::string& face);
  void setColor(int r, int g, int b);
  void setOutlineColor(int r, int g, int b);
  void setEffect(int effect);

  double pointSize() const { return font_.pointSize; }
  int weight() const { return font_.weight; }
  bool isItalic() const { return font_.italic; }
  std::optional<platform::ui::Color> color() const { return color_; }
  // True when any attribute was set explicitly.
  bool isCustomized() const { return customized_; }

  // The font at the display's scale, as a drawer takes it.
  drawer::FontStyle style(double scale = 1) const;
  const platform::ui::Font& font() const { return font_; }

  const char16_t* typeName() const override { return u"s_gui_win_FontSetting"; }
  base::IObject* newInstance() const override { return new FontSetting; }

 private:
  platform::ui::Font font_{"Noto Sans", kDefaultPointSize};
  bool heightSet_ = false;
  std::optional<platform::ui::Color> color_;
  std::optional<platform::ui::Color> outline_;
  int effect_ = 0;
  bool customized_ = false;
};

}  // namespace s::gui::win
