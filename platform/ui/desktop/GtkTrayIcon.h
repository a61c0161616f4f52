#pragma once
#include <atomic>
#include <memory>

#include "platform/ui/desktop/TrayIcon.h"
#include "platform/ui/Message.h"

namespace platform::ui {
class GtkBackend;
class WindowSystem;
}  // namespace platform::ui

namespace platform::ui::desktop {

// The tray icon of the GTK backend: a StatusNotifierItem where a panel takes those; on X11
// without one, the older XEmbed icon while a notification area embeds it. Which of them shows the
// icon may change while the program runs (a panel starts or quits); the owner hears of it by
// msg::kTrayHostChanged.
class GtkTrayIcon : public TrayIcon {
 public:
  GtkTrayIcon(GtkBackend& backend, WindowSystem& ws, Handle owner);
  ~GtkTrayIcon() override;

  void setIcon(const Image& icon) override;
  void setTitle(const std::string& title) override;
  void setToolTip(const std::string& text) override;
  void setMenu(const MenuModel& menu) override;
  bool available() const override;

  struct Side;  // lives on GTK's thread

 private:
  GtkBackend& backend_;
  std::shared_ptr<Side> side_;
};

}  // namespace platform::ui::desktop
