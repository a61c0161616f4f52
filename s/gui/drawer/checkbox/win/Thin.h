#pragma once
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::checkbox::win {

// A white box with a 2-pixel frame, as high as a line of the caption, and the caption after it.
class Thin final : public PooledDrawer<Thin, ICheckBox> {
 public:
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
  thread::Pooled<text::win::Basic> text_{text::win::Basic::create()};
};

}  // namespace s::gui::drawer::checkbox::win
