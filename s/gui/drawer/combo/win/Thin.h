#pragma once
#include "s/gui/drawer/ICombo.h"
#include "s/gui/drawer/FrameColors.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::combo::win {

// A framed field with the chosen entry and a down arrow at the right.
class Thin final : public PooledDrawer<Thin, ICombo> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const ComboState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Size measure(const ComboState& state) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_combo_win_Thin"; }
  void reset() override;

 private:
  FrameColors colors_;
  thread::Pooled<border::win::Thin> border_{border::win::Thin::create()};
};

}  // namespace s::gui::drawer::combo::win
