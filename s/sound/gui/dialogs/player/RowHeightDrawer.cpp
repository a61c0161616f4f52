#include "s/sound/gui/dialogs/player/RowHeightDrawer.h"

#include "s/gui/win/Component.h"
#include "s/gui/win/Host.h"

namespace s::sound::gui::dialogs::player {

namespace drawer = s::gui::drawer;

const drawer::IListBox& RowHeightDrawer::skinDrawer() const { return list_.host()->listBox(); }

void RowHeightDrawer::paintCell(const drawer::ListCellState& state, const platform::ui::Rect& rect,
                                platform::ui::Canvas& canvas) const {
  skinDrawer().paintCell(state, rect, canvas);
}

void RowHeightDrawer::paintBackground(const platform::ui::Rect& rect, platform::ui::Canvas& canvas) const {
  skinDrawer().paintBackground(rect, canvas);
}

void RowHeightDrawer::readColors(drawer::SkinColors& colors) const {
  if (list_.host()) skinDrawer().readColors(colors);
}

}  // namespace s::sound::gui::dialogs::player
