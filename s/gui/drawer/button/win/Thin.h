#pragma once
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::button::win {

// Button faces. A checked button has its face filled with the pressed colour, its caption in the
// checked colour, and its hover and pressed looks swapped, so that pressing it looks like letting
// it go. A caption starting with "#" is a glyph (see Glyph).
class Thin final : public PooledDrawer<Thin, IButton> {
 public:
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
  thread::Pooled<border::win::Thin> border_{border::win::Thin::create()};
  thread::Pooled<text::win::Basic> text_{text::win::Basic::create()};
};

}  // namespace s::gui::drawer::button::win
