#pragma once
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::radiobutton::win {

// A round mark: drawn four times as large and reduced, so that the circle is smooth at 13 x 13
// while every other shape of the skin stays hard-edged.
class Thin final : public PooledDrawer<Thin, IRadioButton> {
 public:
  static constexpr int kCircle = 13;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const CheckState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Size measure(const CheckState& state) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_radiobutton_win_Thin"; }
  void reset() override;

 private:
  platform::ui::Color frame_ = 0;
  platform::ui::Color disabled_ = 0;
  thread::Pooled<text::win::Basic> text_{text::win::Basic::create()};
};

}  // namespace s::gui::drawer::radiobutton::win
