#pragma once
#include <string>

#include "platform/ui/Image.h"
#include "platform/ui/desktop/MenuModel.h"

namespace platform::ui::desktop {

// The window's icon in the desktop's notification area, shown while the object lives. What the
// user does with it reaches the owner window as posted messages:
// - msg::kTrayNotify, lParam the mouse message: msg::kLButtonDown for a left click (activate),
//   msg::kRButtonDown for a request to open the owner's own menu (only where the desktop cannot
//   show the exported one), msg::kMButtonDown for a middle click; wParam packPoint(screen point);
// - msg::kTrayMenuOpening just before the desktop shows the exported menu, so that the owner can
//   bring its marks up to date with setMenu;
// - msg::kCommand (wParam: command id) when an item of the exported menu is chosen;
// - msg::kTrayHostChanged (wParam: 1 shown, 0 nothing shows the icon any more) when the desktop's
//   notification area comes or goes, so that a hidden owner can show itself again.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void setIcon(const Image& icon) = 0;
  virtual void setTitle(const std::string& title) = 0;      // UTF-8: the program's name
  virtual void setToolTip(const std::string& text) = 0;     // UTF-8: follows the window title
  virtual void setMenu(const MenuModel& menu) = 0;
  // Whether something on the desktop shows the icon now. When nothing does, a window that hides
  // itself into the tray could never be brought back: it should minimize instead.
  virtual bool available() const = 0;
};

}  // namespace platform::ui::desktop
