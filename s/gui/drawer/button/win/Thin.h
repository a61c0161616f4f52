#pragma once
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::border::win {
class Thin;
}
namespace s::gui::drawer::text::win {
class Basic;
}

namespace s::gui::drawer::button::win {

// Button faces. A checked button looks pressed at rest and raised under the pointer; its face is
// filled with the pressed colour and its caption takes the checked colour. A caption starting
// with "#" is a glyph (see Glyph).
class Thin final : public PooledDrawer<Thin, IButton> {
 public:
  Thin();
  ~Thin() override;
  Thin(const Thin&) = delete;
  Thin& operator=(const Thin&) = delete;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const ButtonState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Size measure(const ButtonState& state) const override;

  void setFrameStyle(int style) { frameStyle_ = style; }
  void setShift(bool on) { shift_ = on; }

  const char16_t* typeName() const override { return u"s_gui_drawer_button_win_Thin"; }
  void reset() override;

 private:
  platform::ui::Color captionColor(const ButtonState& state) const;

  int frameStyle_ = 1;
  bool shift_ = true;
  platform::ui::Color normal_ = 0;    // frame and glyph
  platform::ui::Color disabled_ = 0;
  platform::ui::Color checked_ = 0;
  platform::ui::Color fill_ = 0;      // face of a checked or pressed button
  platform::ui::Color captionNormal_ = 0;
  platform::ui::Color captionChecked_ = 0;
  border::win::Thin* border_;
  text::win::Basic* text_;
};

}  // namespace s::gui::drawer::button::win
