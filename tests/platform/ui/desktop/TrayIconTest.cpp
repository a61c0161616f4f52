#include <gtest/gtest.h>

#include <gio/gio.h>

#include "tests/platform/ui/desktop/DesktopSession.h"
#include "tests/platform/ui/desktop/WatcherStandIn.h"
#include "platform/ui/GtkBackend.h"
#include "platform/ui/desktop/DesktopServices.h"

namespace {

using namespace platform::ui;
using namespace platform::ui::desktop;
using namespace desktoptest;

// One item of the menu as the panel reads it.
struct Shown {
  int id = 0;
  std::string type, label, toggleType;
  int toggleState = -2;  // -2: no toggle state sent
  bool enabled = true;
  std::vector<Shown> children;
};

Shown readLayout(GVariant* node) {
  Shown s;
  GVariant* props = nullptr;
  GVariant* children = nullptr;
  g_variant_get(node, "(i@a{sv}@av)", &s.id, &props, &children);
  const char* text = nullptr;
  if (g_variant_lookup(props, "type", "&s", &text)) s.type = text;
  if (g_variant_lookup(props, "label", "&s", &text)) s.label = text;
  if (g_variant_lookup(props, "toggle-type", "&s", &text)) s.toggleType = text;
  g_variant_lookup(props, "toggle-state", "i", &s.toggleState);
  gboolean enabled = TRUE;
  if (g_variant_lookup(props, "enabled", "b", &enabled)) s.enabled = enabled;
  GVariantIter it;
  GVariant* child = nullptr;
  g_variant_iter_init(&it, children);
  while (g_variant_iter_next(&it, "v", &child)) {
    s.children.push_back(readLayout(child));
    g_variant_unref(child);
  }
  g_variant_unref(props);
  g_variant_unref(children);
  return s;
}

// The panel's side: calls on the item over the test's own connection.
class Panel {
 public:
  explicit Panel(const std::string& address)
      : bus_(g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr)) {}
  ~Panel() {
    if (bus_) g_object_unref(bus_);
  }
  GVariant* call(const std::string& name, const char* path, const char* iface, const char* method, GVariant* args) {
    return g_dbus_connection_call_sync(bus_, name.c_str(), path, iface, method, args, nullptr,
                                       G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
  }
  GVariant* property(const std::string& name, const char* path, const char* iface, const char* property) {
    GVariant* reply = call(name, path, "org.freedesktop.DBus.Properties", "Get", g_variant_new("(ss)", iface, property));
    if (!reply) return nullptr;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    g_variant_unref(reply);
    return value;
  }
  Shown layout(const std::string& name) {
    GVariant* reply = call(name, "/MenuBar", "com.canonical.dbusmenu", "GetLayout",
                           g_variant_new("(ii@as)", 0, -1, g_variant_new_strv(nullptr, 0)));
    if (!reply) return {};
    GVariant* root = g_variant_get_child_value(reply, 1);
    Shown s = readLayout(root);
    g_variant_unref(root);
    g_variant_unref(reply);
    return s;
  }
  void drop(GVariant* v) {
    if (v) g_variant_unref(v);
  }
  GDBusConnection* bus() const { return bus_; }

 private:
  GDBusConnection* bus_;
};

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = std::make_unique<PrivateDisplay>();
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "needs Xvfb or an X display: run scripts/setup";
    // GTK's accessibility bridge would otherwise have the private bus start a bus of its own.
    setenv("NO_AT_BRIDGE", "1", 1);
  }
  void start() {
    std::string error;
    auto backend = GtkBackend::create(error);
    ASSERT_TRUE(backend) << error;
    ws_ = std::make_unique<WindowSystem>(std::move(backend));
    WindowSetup setup;
    setup.bounds = Rect::fromSize(50, 50, 200, 100);
    setup.proc = [this](const Message& m) -> LResult {
      seen_.push_back(m);
      return ws_->defaultProc(m);
    };
    owner_ = ws_->create(setup);
  }
  std::vector<Message> posted(std::uint32_t code) const {
    std::vector<Message> out;
    for (const Message& m : seen_)
      if (m.code == code) out.push_back(m);
    return out;
  }
  bool hostChangedTo(WParam shown) {
    return pumpUntil(*ws_, [&] {
      auto changes = posted(msg::kTrayHostChanged);
      return !changes.empty() && changes.back().wParam == shown;
    });
  }

  std::unique_ptr<PrivateDisplay> display_;  // goes last
  std::unique_ptr<WindowSystem> ws_;
  Handle owner_ = kNoWindow;
  std::vector<Message> seen_;
};

const Shown* find(const Shown& menu, const std::string& label) {
  for (const Shown& c : menu.children) {
    if (c.label == label) return &c;
    if (const Shown* deeper = find(c, label)) return deeper;
  }
  return nullptr;
}

MenuModel trayMenu(bool repeat, bool full = true) {
  MenuEntry exit = MenuEntry::item("E&xit", 11000);
  exit.enabled = false;
  return {MenuEntry::item("Play / Pause", 9000), MenuEntry::separator(),
          MenuEntry::subMenu("Volume", {MenuEntry::radioItem("100 %", 8120, full), MenuEntry::radioItem("90 %", 8119, !full)}),
          MenuEntry::item("Repeat Song", 9005, repeat), exit};
}

// Counts a signal of the exported menu; GIO calls back on GTK's thread (the default context).
struct SignalCount {
  SignalCount(GDBusConnection* bus, const char* name)
      : bus_(bus), id_(g_dbus_connection_signal_subscribe(bus, nullptr, "com.canonical.dbusmenu", name, "/MenuBar",
                                                          nullptr, G_DBUS_SIGNAL_FLAGS_NONE, count, &seen, nullptr)) {}
  ~SignalCount() { g_dbus_connection_signal_unsubscribe(bus_, id_); }
  static void count(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant*, gpointer n) {
    ++*static_cast<std::atomic<int>*>(n);
  }
  std::atomic<int> seen{0};
  GDBusConnection* bus_;
  unsigned id_;
};

TEST_F(TrayIconTest, ItemRegistersShowsTheMenuWithItsMarksAndReportsClicks) {
  SessionBus bus;
  ASSERT_FALSE(bus.address().empty()) << "dbus-daemon could not be started: run scripts/setup";
  auto watcher = std::make_unique<WatcherStandIn>(bus.address());
  ASSERT_TRUE(watcher->owned());
  start();
  auto tray = ws_->backend().desktop().createTrayIcon(*ws_, owner_);
  Image icon(2, 1);
  icon.fill(rgb(255, 0, 0));
  tray->setIcon(icon);
  tray->setTitle("Pruv Sonvia");
  tray->setToolTip("Song \xe2\x80\x93 Artist");
  tray->setMenu(trayMenu(true));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return tray->available(); })) << "the item never registered";
  ASSERT_TRUE(hostChangedTo(1));
  std::string item = watcher->lastItem();
  EXPECT_EQ(item.rfind("org.kde.StatusNotifierItem-", 0), 0u) << item;

  Panel panel(bus.address());
  const char* sni = "org.kde.StatusNotifierItem";
  panel.drop(panel.call(item, "/StatusNotifierItem", sni, "Activate", g_variant_new("(ii)", 10, 20)));
  panel.drop(panel.call(item, "/StatusNotifierItem", sni, "ContextMenu", g_variant_new("(ii)", 30, 40)));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return posted(msg::kTrayNotify).size() == 2; }));
  auto clicks = posted(msg::kTrayNotify);
  EXPECT_EQ(clicks[0].lParam, static_cast<LParam>(msg::kLButtonDown));
  EXPECT_EQ(unpackPoint(static_cast<LParam>(clicks[0].wParam)), (Point{10, 20}));
  EXPECT_EQ(clicks[1].lParam, static_cast<LParam>(msg::kRButtonDown));

  GVariant* tip = panel.property(item, "/StatusNotifierItem", sni, "ToolTip");
  ASSERT_NE(tip, nullptr);
  const char* tipTitle = nullptr;
  g_variant_get_child(tip, 2, "&s", &tipTitle);
  EXPECT_STREQ(tipTitle, "Song \xe2\x80\x93 Artist");
  panel.drop(tip);
  GVariant* pixmaps = panel.property(item, "/StatusNotifierItem", sni, "IconPixmap");
  ASSERT_NE(pixmaps, nullptr);
  ASSERT_EQ(g_variant_n_children(pixmaps), 1u);
  gint32 w = 0, h = 0;
  GVariant* bytes = nullptr;
  g_variant_get_child(pixmaps, 0, "(ii@ay)", &w, &h, &bytes);
  gsize size = 0;
  auto* argb = static_cast<const guchar*>(g_variant_get_fixed_array(bytes, &size, 1));
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 1);
  ASSERT_EQ(size, 8u);
  EXPECT_EQ((std::vector<int>{argb[0], argb[1], argb[2], argb[3]}), (std::vector<int>{255, 255, 0, 0}));
  g_variant_unref(bytes);
  panel.drop(pixmaps);

  Shown menu = panel.layout(item);
  ASSERT_EQ(menu.children.size(), 5u);
  EXPECT_EQ(menu.children[1].type, "separator");
  const Shown* repeat = find(menu, "Repeat Song");
  const Shown* full = find(menu, "100 %");
  const Shown* ninety = find(menu, "90 %");
  const Shown* exit = find(menu, "E_xit");
  ASSERT_TRUE(repeat && full && ninety && exit);
  EXPECT_EQ(repeat->toggleType, "checkmark");
  EXPECT_EQ(repeat->toggleState, 1);
  EXPECT_EQ(full->toggleType, "radio");
  EXPECT_EQ(full->toggleState, 1);
  EXPECT_EQ(ninety->toggleState, 0);
  EXPECT_FALSE(exit->enabled);
  EXPECT_EQ(find(menu, "Volume")->children.size(), 2u);

  const char* dbusmenu = "com.canonical.dbusmenu";
  panel.drop(panel.call(item, "/MenuBar", dbusmenu, "AboutToShow", g_variant_new("(i)", 0)));
  for (int id : {ninety->id, exit->id, menu.children[1].id})
    panel.drop(panel.call(item, "/MenuBar", dbusmenu, "Event",
                          g_variant_new("(isvu)", id, "clicked", g_variant_new_int32(0), 0u)));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return !posted(msg::kCommand).empty() && !posted(msg::kTrayMenuOpening).empty(); }));
  ws_->processPending();
  ASSERT_EQ(posted(msg::kCommand).size(), 1u) << "a disabled item or a separator was chosen";
  EXPECT_EQ(posted(msg::kCommand)[0].wParam, 8119u);

  // A radio mark that moves travels as changed properties under the same ids; an item that
  // loses its check mark shows no mark at all, as in the window's own menus.
  SignalCount propertiesChanged(panel.bus(), "ItemsPropertiesUpdated");
  SignalCount layoutChanged(panel.bus(), "LayoutUpdated");
  int ninetyId = ninety->id;
  tray->setMenu(trayMenu(true, false));
  ASSERT_TRUE(waitFor([&] { return propertiesChanged.seen > 0; }));
  Shown after = panel.layout(item);
  ASSERT_NE(find(after, "90 %"), nullptr);
  EXPECT_EQ(find(after, "90 %")->id, ninetyId);
  EXPECT_EQ(find(after, "90 %")->toggleState, 1);
  EXPECT_EQ(find(after, "100 %")->toggleState, 0);
  tray->setMenu(trayMenu(false, false));
  ASSERT_TRUE(waitFor([&] { return layoutChanged.seen > 0; }));
  EXPECT_EQ(find(panel.layout(item), "Repeat Song")->toggleType, "");
  EXPECT_EQ(propertiesChanged.seen, 1);

  // The panel restarts: the icon is gone meanwhile (nothing else shows it on this display), and
  // the item registers with the new watcher.
  watcher.reset();
  ASSERT_TRUE(hostChangedTo(0));
  EXPECT_FALSE(tray->available());
  watcher = std::make_unique<WatcherStandIn>(bus.address());
  ASSERT_TRUE(hostChangedTo(1));
  EXPECT_TRUE(tray->available());
  EXPECT_EQ(watcher->lastItem(), item);
  tray.reset();
}

TEST_F(TrayIconTest, WithoutSessionBusNothingShowsTheIcon) {
  ScopedEnv announced("DBUS_SESSION_BUS_ADDRESS"), runtime("XDG_RUNTIME_DIR");
  announced.unset();
  runtime.unset();
  start();
  auto tray = ws_->backend().desktop().createTrayIcon(*ws_, owner_);
  tray->setToolTip("Sonvia");
  tray->setMenu(trayMenu(true));
  EXPECT_TRUE(hostChangedTo(0)) << "the owner must hear that nothing shows its icon";
  EXPECT_FALSE(tray->available());
  tray.reset();
}

}  // namespace
