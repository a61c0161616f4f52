#pragma once
#include <mutex>

#include "platform/ui/desktop/TrayIcon.h"
#include "platform/ui/Message.h"

namespace platform::ui {
class WindowSystem;
}

namespace platform::ui::desktop {

class HeadlessDesktop;

// A tray icon that only remembers what it was given; a test clicks it with the methods below,
// which post to the owner what a desktop's notification area would make it post.
class HeadlessTrayIcon : public TrayIcon {
 public:
  HeadlessTrayIcon(HeadlessDesktop& desktop, WindowSystem& ws, Handle owner);
  ~HeadlessTrayIcon() override;

  void setIcon(const Image& icon) override;
  void setTitle(const std::string& title) override;
  void setToolTip(const std::string& text) override;
  void setMenu(const MenuModel& menu) override;
  bool available() const override;

  Handle owner() const { return owner_; }
  Image icon() const;
  std::string title() const;
  std::string toolTip() const;
  MenuModel menu() const;

  void click(Point screen);         // left click
  void contextClick(Point screen);  // right click where the desktop cannot show the menu itself
  void openMenu();                  // the desktop is about to show the exported menu
  // The user picks `command` in the exported menu; false (nothing posted) when the menu holds
  // no enabled item with it.
  bool chooseFromMenu(int command);
  void hostChanged(bool available);

 private:
  HeadlessDesktop& desktop_;
  WindowSystem& ws_;
  Handle owner_;
  mutable std::mutex mutex_;
  Image icon_;
  std::string title_;
  std::string toolTip_;
  MenuModel menu_;
};

}  // namespace platform::ui::desktop
