#include "s/gui/win/Window.h"

#include "platform/text/Utf.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "s/gui/win/PopupMenu.h"

// The window's icon in the desktop's tray: hiding into it, and its tool tip and menu.

namespace s::gui::win {

using namespace platform::ui;

void Window::iconize() {
  run([&] {
    if (iconized_) return;
    bool made = !tray_ && makeTray();
    if (tray_ && tray_->available()) {
      ws_.show(top_, false);
      iconized_ = true;
      return;
    }
    // Nothing on this desktop shows tray icons: hiding would leave the user no way back.
    if (made) dropTray();
    ws_.setState(top_, WindowState::kMinimized);
  });
}

void Window::showTrayIcon(bool on) {
  run([&] {
    if (!on) {
      dropTray();
      return;
    }
    if (!tray_) makeTray();
  });
}

bool Window::makeTray() {
  tray_ = ws_.backend().desktop().createTrayIcon(ws_, top_);
  if (!tray_) return false;
  tray_->setToolTip(platform::text::utf16ToUtf8(getTitle()));
  if (auto* menu = dynamic_cast<PopupMenu*>(trayMenu_)) tray_->setMenu(menu->toModel());
  return true;
}

void Window::dropTray() {
  tray_.reset();
  // A window hidden into an icon that goes away is shown again.
  if (iconized_ && !closed_) {
    iconized_ = false;
    ws_.show(top_, true);
  }
}

void Window::setTrayMenu(IPopupMenu* menu) {
  run([&] {
    trayMenu_ = menu;
    prepareMenu(menu);
    if (tray_) {
      auto* popup = dynamic_cast<PopupMenu*>(menu);
      tray_->setMenu(popup ? popup->toModel() : desktop::MenuModel{});
    }
  });
}

}  // namespace s::gui::win
