#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Window.h"

namespace s::gui::win {

// A desktop menu opened for the first time costs far more than one opened again (its items'
// styles and theme images), enough for a user to notice the delay after a right click. So the
// desktop builds our menus when they are set and after each opening, not when they are asked for.
void Window::prepareMenu(IPopupMenu* menu) {
  if (auto* popup = dynamic_cast<PopupMenu*>(menu)) ws_.backend().desktop().prepareMenu(popup->toModel());
}

}  // namespace s::gui::win
