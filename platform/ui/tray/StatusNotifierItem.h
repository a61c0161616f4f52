#pragma once
#include <memory>
#include <string>

#include "platform/ui/Image.h"
#include "platform/ui/tray/DbusMenu.h"

typedef struct _GDBusConnection GDBusConnection;

namespace platform::ui::tray {

// A tray icon as today's desktops take it: an org.kde.StatusNotifierItem object at
// /StatusNotifierItem on the session bus, registered with the panel's
// org.kde.StatusNotifierWatcher, with its menu exported as com.canonical.dbusmenu. The watcher
// is followed: when the panel restarts, the item registers again.
//
// Posts (through `post`) msg::kTrayNotify for Activate (kLButtonDown), ContextMenu
// (kRButtonDown) and SecondaryActivate (kMButtonDown), and what DbusMenu posts. `changed` is
// called whenever the item learns whether a panel shows it (also when the answer stays the same:
// the first answer is news too).
//
// Made, used and destroyed on one thread whose main context runs (GTK's); the bus's calls are
// answered there.
class StatusNotifierItem {
 public:
  // Without a session bus, connected() is false and the item does nothing.
  StatusNotifierItem(Post post, std::function<void()> changed);
  ~StatusNotifierItem();
  StatusNotifierItem(const StatusNotifierItem&) = delete;
  StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

  bool connected() const { return connection_ != nullptr; }
  // Registered with a watcher that reports a panel showing items.
  bool shown() const { return registered_ && hostPresent_; }

  void setIcon(const Image& icon);
  void setTitle(const std::string& title);
  void setToolTip(const std::string& text);
  void setMenu(const desktop::MenuModel& menu);

  // The session bus's address from the environment, or empty. GIO would otherwise start a bus of
  // its own through X11 when none is announced, and leave it running after us.
  static std::string sessionBusAddress();

 private:
  struct Bus;  // GIO callbacks
  friend struct Bus;
  void registerWithWatcher();
  void readHostPresence();
  void setShown(bool registered, bool host);
  void emit(const char* signal, GVariant* args = nullptr);

  Post post_;
  GDBusConnection* connection_ = nullptr;
  std::string busName_;
  unsigned objectRegistration_ = 0;
  unsigned watcherWatch_ = 0;
  unsigned hostSignals_[2] = {0, 0};
  std::unique_ptr<DbusMenu> menu_;
  bool registered_ = false;
  bool hostPresent_ = false;
  std::function<void()> changed_;
  std::string title_;
  std::string toolTip_;
  Image icon_;
  // Calls still on their way hold this; the item clears it when it goes.
  std::shared_ptr<StatusNotifierItem*> alive_;
};

}  // namespace platform::ui::tray
