#pragma once
#include <atomic>
#include <memory>

#include "platform/ui/desktop/DesktopServices.h"

namespace platform::ui {
class GtkBackend;
}

namespace platform::ui::desktop {

// Popup menus in the desktop's own look (GtkMenu). One menu is open at a time, as with any
// desktop's context menus. The menu lives on GTK's thread; the caller only waits until it is up.
class GtkMenus {
 public:
  explicit GtkMenus(GtkBackend& backend);
  ~GtkMenus();

  bool show(WindowSystem& ws, Handle owner, const MenuModel& menu, Point screen, MenuEdge edge);
  bool open() const;
  // Builds the menu for `menu` on GTK's thread ahead of its showing; returns at once.
  void prepare(const MenuModel& menu);

  struct State;  // shared with the GTK callbacks of the menus still around

 private:
  GtkBackend& backend_;
  std::shared_ptr<State> state_;
};

}  // namespace platform::ui::desktop
