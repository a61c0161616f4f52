#pragma once
#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/drawer/PooledDrawer.h"
#include "s/gui/drawer/border/win/Thin.h"
#include "s/thread/Pooled.h"

namespace s::gui::drawer::scrollbar::win {

// A track in the slider colour with square arrow buttons at its ends and a solid thumb.
class Thin final : public PooledDrawer<Thin, IScrollBar> {
 public:
  static constexpr int kMinThumb = 8;

  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const ScrollBarState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  ScrollBarParts parts(const ScrollBarState& state, const platform::ui::Rect& rect) const override;

  const char16_t* typeName() const override { return u"s_gui_drawer_scrollbar_win_Thin"; }
  void reset() override;

 private:
  platform::ui::Color foreground_ = 0;
  platform::ui::Color background_ = 0;
  thread::Pooled<border::win::Thin> border_{border::win::Thin::create()};
};

}  // namespace s::gui::drawer::scrollbar::win
