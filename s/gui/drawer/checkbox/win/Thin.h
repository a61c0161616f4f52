#pragma once
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::text::win {
class Basic;
}

namespace s::gui::drawer::checkbox::win {

// A white box with a 2-pixel frame, as high as a line of the caption, and the caption after it.
class Thin final : public PooledDrawer<Thin, ICheckBox> {
 public:
  Thin();
  ~Thin() override;
  Thin(const Thin&) = delete;
  Thin& operator=(const Thin&) = delete;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const CheckState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Size measure(const CheckState& state) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_checkbox_win_Thin"; }
  void reset() override;

 private:
  platform::ui::Color frame_ = 0;
  platform::ui::Color disabled_ = 0;
  text::win::Basic* text_;
};

}  // namespace s::gui::drawer::checkbox::win
