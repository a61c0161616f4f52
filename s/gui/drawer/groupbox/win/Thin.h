#pragma once
#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::groupbox::win {

// A 2-pixel frame with rounded corners, broken at the top for the caption.
class Thin final : public PooledDrawer<Thin, IGroupBox> {
 public:
  static constexpr int kCaptionX = 9;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const GroupBoxState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Rect inner(const GroupBoxState& state, const platform::ui::Rect& rect) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_groupbox_win_Thin"; }
  void reset() override;

 private:
  platform::ui::Color frame_ = 0;
  thread::Pooled<text::win::Basic> text_{text::win::Basic::create()};
};

}  // namespace s::gui::drawer::groupbox::win
