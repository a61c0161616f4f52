#pragma once
#include "s/gui/drawer/IButton.h"

namespace s::gui::win {
class Component;
}

namespace s::sound::gui::dialogs::player {

// The player's square transport and window buttons, painted by the current skin's button drawer
// with the glyph one pixel further in than the skin puts it. The skin's glyphs fill the face up
// to the frame, which suits its wide buttons; side by side at 18 x 18, "#Stop" and "#Pause" would
// run into their frames and into each other. Owned by the player window, not pooled; asks the
// button's tree for the skin's drawer every time, so a change of skin is followed.
class SquareButtonDrawer final : public s::gui::drawer::IButton {
 public:
  explicit SquareButtonDrawer(const s::gui::win::Component& anyOfTheTree) : tree_(anyOfTheTree) {}

  void paint(const s::gui::drawer::ButtonState& state, const platform::ui::Rect& rect,
             platform::ui::Canvas& canvas) const override;
  platform::ui::Size measure(const s::gui::drawer::ButtonState& state) const override;

  void configure(const s::gui::drawer::SkinColors&) override {}
  void readColors(s::gui::drawer::SkinColors& colors) const override;

  const char16_t* typeName() const override { return u"s_sound_gui_dialogs_player_SquareButtonDrawer"; }
  base::IObject* newInstance() const override { return nullptr; }
  void release() override {}
  void reset() override {}

 private:
  const s::gui::drawer::IButton* skinDrawer() const;

  const s::gui::win::Component& tree_;
};

}  // namespace s::sound::gui::dialogs::player
