// The window's tray icon on a private session bus whose notification area is a stand-in: the
// tray menu is exported, the panel's Activate reaches the window and a menu click runs a command.
#include <gtest/gtest.h>

#include <gio/gio.h>

#include <memory>
#include <string>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Window.h"
#include "s/thread/Pooled.h"
#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/platform/ui/desktop/WatcherStandIn.h"
#include "tests/s/gui/win/WindowTestSupport.h"

namespace {

using namespace desktoptest;
using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;
using s::gui::win::Window;

GVariant* call(GDBusConnection* bus, const std::string& name, const char* path, const char* iface,
               const char* method, GVariant* args) {
  return g_dbus_connection_call_sync(bus, name.c_str(), path, iface, method, args, nullptr,
                                     G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
}

// The exported menu's first entry: its dbusmenu id and its whole printed layout.
std::pair<int, std::string> firstEntry(GDBusConnection* bus, const std::string& item) {
  GVariant* reply = call(bus, item, "/MenuBar", "com.canonical.dbusmenu", "GetLayout",
                         g_variant_new("(ii@as)", 0, -1, g_variant_new_strv(nullptr, 0)));
  if (!reply) return {-1, ""};
  gchar* printed = g_variant_print(reply, FALSE);
  std::string text = printed;
  g_free(printed);
  GVariant* root = g_variant_get_child_value(reply, 1);
  GVariant* children = g_variant_get_child_value(root, 2);
  int id = -1;
  if (g_variant_n_children(children) > 0) {
    GVariant* boxed = g_variant_get_child_value(children, 0);
    GVariant* first = g_variant_get_variant(boxed);
    g_variant_get_child(first, 0, "i", &id);
    g_variant_unref(first);
    g_variant_unref(boxed);
  }
  g_variant_unref(children);
  g_variant_unref(root);
  g_variant_unref(reply);
  return {id, text};
}

TEST(WindowTray, TheTrayMenuIsExportedAndThePanelsClicksReachTheWindow) {
  PrivateDisplay ownDisplay;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) GTEST_SKIP() << "needs Xvfb or an X display: run scripts/setup";
  setenv("NO_AT_BRIDGE", "1", 1);
  SessionBus bus;
  ASSERT_FALSE(bus.address().empty()) << "dbus-daemon could not be started: run scripts/setup";
  WatcherStandIn watcher(bus.address());
  ASSERT_TRUE(watcher.owned());
  std::string error;
  auto backend = platform::ui::GtkBackend::create(error);
  ASSERT_TRUE(backend) << error;
  platform::ui::WindowSystem ws(std::move(backend));
  {
    Window window(ws);
    wintest::EventLog log;
    window.addWindowListener(Window::kTrayLeftClick, &log);
    window.addWindowListener(Window::kTrayRightClick, &log);
    s::thread::Pooled<PopupMenu> menu{PopupMenu::create()};
    menu->addItem(MenuItem::fromText(u"E&xit", 11000));
    guitest::Heard chosen;
    menu->addListener(&chosen);
    window.setTitle(u"Song - Artist");
    window.setTrayMenu(menu.get());
    window.showTrayIcon(true);
    ASSERT_TRUE(waitFor([&] { return !watcher.lastItem().empty(); })) << "the icon never registered";
    std::string item = watcher.lastItem();

    GDBusConnection* panel = g_dbus_connection_new_for_address_sync(
        bus.address().c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    ASSERT_NE(panel, nullptr);
    auto [id, layout] = firstEntry(panel, item);
    EXPECT_NE(layout.find("E_xit"), std::string::npos) << layout;
    const char* sni = "org.kde.StatusNotifierItem";
    if (GVariant* r = call(panel, item, "/StatusNotifierItem", sni, "Activate", g_variant_new("(ii)", 10, 20)))
      g_variant_unref(r);
    if (GVariant* r = call(panel, item, "/MenuBar", "com.canonical.dbusmenu", "Event",
                           g_variant_new("(isvu)", id, "clicked", g_variant_new_int32(0), 0u)))
      g_variant_unref(r);
    auto heard = [&](auto&& done) {
      return waitFor([&] {
        bool ok = false;
        window.run([&] { ok = done(); });
        return ok;
      });
    };
    EXPECT_TRUE(heard([&] { return log.codes == std::vector<int>{Window::kTrayLeftClick}; }));
    EXPECT_TRUE(heard([&] { return chosen.events.size() == 1; })) << "the menu's command never ran";
    EXPECT_EQ(menu->getChosenId(), 11000);
    g_object_unref(panel);
    window.setTrayMenu(nullptr);
  }
}

}  // namespace
