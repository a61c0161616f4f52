#pragma once
#include "s/gui/drawer/IText.h"
#include "s/gui/drawer/PooledDrawer.h"

namespace s::gui::drawer::text::win {

// Plain text with the eight effects. Also the one place where other drawers draw their
// captions, so that every caption in a skin looks alike.
class Basic final : public PooledDrawer<Basic, IText> {
 public:
  void configure(const SkinColors& colors) override;
  void readColors(SkinColors& colors) const override;
  void paint(const TextState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Size measure(const TextState& state, int maxWidth = -1) const override;
  int lineHeight(const FontStyle& font) const override;

  // The text in `color` with the font's effect; `flags` are platform::ui::text flags as given.
  void draw(platform::ui::Canvas& canvas, std::u16string_view text, const platform::ui::Rect& rect,
            const FontStyle& font, platform::ui::Color color, unsigned flags) const;
  // The colour of a look, unless the font brings its own.
  platform::ui::Color colorFor(const FontStyle& font, Look look) const;
  // Layout flags for the widget-level flags of TextState (centred, wrapped, right, plain).
  static unsigned layoutFlags(unsigned flags);
  // A canvas for measuring text outside painting, one per thread.
  static platform::ui::Canvas& measuringCanvas();

  const char16_t* typeName() const override { return u"s_gui_drawer_text_win_Basic"; }
  void reset() override { *this = Basic(); }

 private:
  platform::ui::Color text_ = 0;
  platform::ui::Color disabled_ = 0;
  platform::ui::Color emphasised_ = 0;
  platform::ui::Color background_ = 0;
  platform::ui::Color outline_ = 0;
};

}  // namespace s::gui::drawer::text::win
