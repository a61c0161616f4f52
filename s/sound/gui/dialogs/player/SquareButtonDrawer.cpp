#include "s/sound/gui/dialogs/player/SquareButtonDrawer.h"

#include "s/gui/win/Component.h"
#include "s/gui/drawer/Glyph.h"
#include "s/gui/win/Host.h"

namespace s::sound::gui::dialogs::player {

namespace drawer = s::gui::drawer;

const drawer::IButton* SquareButtonDrawer::skinDrawer() const {
  return tree_.host() ? &tree_.host()->button() : nullptr;
}

void SquareButtonDrawer::paint(const drawer::ButtonState& state, const platform::ui::Rect& rect,
                               platform::ui::Canvas& canvas) const {
  const drawer::IButton* skin = skinDrawer();
  if (!skin) return;
  if (!drawer::Glyph::isGlyphCaption(state.caption) || state.checked) {
    skin->paint(state, rect, canvas);
    return;
  }
  // The face and frame first, then the glyph alone (no frame, not checked: the skin draws it in
  // the frame's colour, as it does on a face) in the rectangle one pixel in.
  drawer::ButtonState face = state;
  face.caption = {};
  skin->paint(face, rect, canvas);
  drawer::ButtonState glyph = state;
  glyph.frame = false;
  skin->paint(glyph, rect.inset(1), canvas);
}

platform::ui::Size SquareButtonDrawer::measure(const drawer::ButtonState& state) const {
  const drawer::IButton* skin = skinDrawer();
  return skin ? skin->measure(state) : platform::ui::Size{0, 0};
}

void SquareButtonDrawer::readColors(drawer::SkinColors& colors) const {
  if (const drawer::IButton* skin = skinDrawer()) skin->readColors(colors);
}

}  // namespace s::sound::gui::dialogs::player
