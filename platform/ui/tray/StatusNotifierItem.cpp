#include "platform/ui/tray/StatusNotifierItem.h"

#include <gio/gio.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace platform::ui::tray {

namespace {

constexpr const char* kPath = "/StatusNotifierItem";
constexpr const char* kInterface = "org.kde.StatusNotifierItem";
constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
constexpr const char* kIntrospection = R"xml(<node>
 <interface name="org.kde.StatusNotifierItem">
  <property name="Category" type="s" access="read"/>
  <property name="Id" type="s" access="read"/>
  <property name="Title" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="WindowId" type="i" access="read"/>
  <property name="IconThemePath" type="s" access="read"/>
  <property name="IconName" type="s" access="read"/>
  <property name="IconPixmap" type="a(iiay)" access="read"/>
  <property name="OverlayIconName" type="s" access="read"/>
  <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
  <property name="AttentionIconName" type="s" access="read"/>
  <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
  <property name="AttentionMovieName" type="s" access="read"/>
  <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
  <property name="ItemIsMenu" type="b" access="read"/>
  <property name="Menu" type="o" access="read"/>
  <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
  <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
  <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
  <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
  <signal name="NewTitle"/>
  <signal name="NewIcon"/>
  <signal name="NewAttentionIcon"/>
  <signal name="NewOverlayIcon"/>
  <signal name="NewToolTip"/>
  <signal name="NewStatus"><arg name="status" type="s"/></signal>
 </interface>
</node>)xml";

GVariant* pixmaps(const Image& icon) {
  GVariantBuilder list;
  g_variant_builder_init(&list, G_VARIANT_TYPE("a(iiay)"));
  if (icon.valid()) {
    // Straight (not premultiplied) ARGB, each pixel's bytes most significant first.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(icon.width()) * icon.height() * 4);
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x) {
        Color c = icon.pixel(x, y);
        bytes += static_cast<char>(icon.alpha(x, y));
        bytes += static_cast<char>(redOf(c));
        bytes += static_cast<char>(greenOf(c));
        bytes += static_cast<char>(blueOf(c));
      }
    GVariant* data = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, bytes.data(), bytes.size(), 1);
    g_variant_builder_add(&list, "(ii@ay)", icon.width(), icon.height(), data);
  }
  return g_variant_builder_end(&list);
}

using Alive = std::shared_ptr<StatusNotifierItem*>;

}  // namespace

// The GIO callbacks, with access to the item.
struct StatusNotifierItem::Bus {
  static void method(GDBusConnection*, const char*, const char*, const char*, const char* name, GVariant* args,
                     GDBusMethodInvocation* invocation, gpointer data) {
    auto* self = static_cast<StatusNotifierItem*>(data);
    std::string m = name;
    gint32 x = 0, y = 0;
    LParam button = 0;
    if (m == "Activate") button = msg::kLButtonDown;
    else if (m == "ContextMenu") button = msg::kRButtonDown;
    else if (m == "SecondaryActivate") button = msg::kMButtonDown;
    if (button) {
      g_variant_get(args, "(ii)", &x, &y);
      self->post_(msg::kTrayNotify, static_cast<WParam>(packPoint({x, y})), button);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
  }

  static GVariant* property(GDBusConnection*, const char*, const char*, const char*, const char* name, GError**,
                            gpointer data) {
    auto* self = static_cast<StatusNotifierItem*>(data);
    std::string p = name;
    if (p == "Category") return g_variant_new_string("ApplicationStatus");
    if (p == "Id") return g_variant_new_string(g_get_prgname() ? g_get_prgname() : "sonvia");
    if (p == "Title") return g_variant_new_string(self->title_.c_str());
    if (p == "Status") return g_variant_new_string("Active");
    if (p == "WindowId") return g_variant_new_int32(0);
    if (p == "IconPixmap") return pixmaps(self->icon_);
    if (p == "OverlayIconPixmap" || p == "AttentionIconPixmap") return pixmaps(Image());
    if (p == "ToolTip")
      return g_variant_new("(s@a(iiay)ss)", "", pixmaps(Image()), self->toolTip_.c_str(), "");
    if (p == "ItemIsMenu") return g_variant_new_boolean(FALSE);
    if (p == "Menu") return g_variant_new_object_path(DbusMenu::kPath);
    return g_variant_new_string("");  // the icon-name properties: we send pixels
  }

  static StatusNotifierItem* alive(gpointer data) { return *static_cast<Alive*>(data)->get(); }
  static void release(gpointer data) { delete static_cast<Alive*>(data); }

  static void watcherAppeared(GDBusConnection*, const char*, const char*, gpointer data) {
    if (StatusNotifierItem* self = alive(data)) self->registerWithWatcher();
  }
  static void watcherVanished(GDBusConnection*, const char*, gpointer data) {
    if (StatusNotifierItem* self = alive(data)) self->setShown(false, false);
  }
  static void hostSignal(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant*,
                         gpointer data) {
    if (StatusNotifierItem* self = alive(data)) self->readHostPresence();
  }

  static void registered(GObject* source, GAsyncResult* result, gpointer data) {
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    StatusNotifierItem* self = alive(data);
    release(data);
    if (reply) g_variant_unref(reply);
    if (!self) return;
    if (!reply) {
      self->setShown(false, false);
      return;
    }
    self->registered_ = true;
    self->readHostPresence();
  }

  static void hostPresence(GObject* source, GAsyncResult* result, gpointer data) {
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    StatusNotifierItem* self = alive(data);
    release(data);
    bool host = true;  // a watcher that cannot say is taken at its word that it shows items
    if (reply) {
      GVariant* value = nullptr;
      g_variant_get(reply, "(v)", &value);
      if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) host = g_variant_get_boolean(value);
      g_variant_unref(value);
      g_variant_unref(reply);
    }
    if (self && self->registered_) self->setShown(true, host);
  }
};

std::string StatusNotifierItem::sessionBusAddress() {
  const char* announced = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (announced && *announced) return announced;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return {};
  std::string socket = std::string(runtime) + "/bus";
  return access(socket.c_str(), F_OK) == 0 ? "unix:path=" + socket : std::string{};
}

StatusNotifierItem::StatusNotifierItem(Post post, std::function<void()> changed)
    : post_(std::move(post)), changed_(std::move(changed)), alive_(std::make_shared<StatusNotifierItem*>(this)) {
  std::string address = sessionBusAddress();
  if (address.empty()) return;
  connection_ = g_dbus_connection_new_for_address_sync(
      address.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, nullptr);
  if (!connection_) return;
  g_dbus_connection_set_exit_on_close(connection_, FALSE);

  static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
  static const GDBusInterfaceVTable vtable = {Bus::method, Bus::property, nullptr, {}};
  objectRegistration_ =
      g_dbus_connection_register_object(connection_, kPath, info->interfaces[0], &vtable, this, nullptr, nullptr);
  menu_ = std::make_unique<DbusMenu>(connection_, post_);

  // The name the watcher's protocol expects: one per item in the process.
  static std::atomic<int> serial{0};
  busName_ = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
  GVariant* reply = g_dbus_connection_call_sync(connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                "org.freedesktop.DBus", "RequestName",
                                                g_variant_new("(su)", busName_.c_str(), 4u /* no queueing */),
                                                G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
  if (reply) g_variant_unref(reply);
  else busName_ = g_dbus_connection_get_unique_name(connection_);

  for (int i = 0; i < 2; ++i)
    hostSignals_[i] = g_dbus_connection_signal_subscribe(
        connection_, kWatcher, kWatcher,
        i == 0 ? "StatusNotifierHostRegistered" : "StatusNotifierHostUnregistered", kWatcherPath, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, Bus::hostSignal, new Alive(alive_), Bus::release);
  watcherWatch_ = g_bus_watch_name_on_connection(connection_, kWatcher, G_BUS_NAME_WATCHER_FLAGS_NONE,
                                                 Bus::watcherAppeared, Bus::watcherVanished, new Alive(alive_),
                                                 Bus::release);
}

StatusNotifierItem::~StatusNotifierItem() {
  *alive_ = nullptr;
  if (!connection_) return;
  if (watcherWatch_) g_bus_unwatch_name(watcherWatch_);
  for (unsigned id : hostSignals_)
    if (id) g_dbus_connection_signal_unsubscribe(connection_, id);
  menu_.reset();
  if (objectRegistration_) g_dbus_connection_unregister_object(connection_, objectRegistration_);
  // Closing the connection takes our names off the bus, which tells the watcher the item is gone.
  g_dbus_connection_close(connection_, nullptr, nullptr, nullptr);
  g_object_unref(connection_);
}

void StatusNotifierItem::registerWithWatcher() {
  g_dbus_connection_call(connection_, kWatcher, kWatcherPath, kWatcher, "RegisterStatusNotifierItem",
                         g_variant_new("(s)", busName_.c_str()), nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
                         Bus::registered, new Alive(alive_));
}

void StatusNotifierItem::readHostPresence() {
  g_dbus_connection_call(connection_, kWatcher, kWatcherPath, "org.freedesktop.DBus.Properties", "Get",
                         g_variant_new("(ss)", kWatcher, "IsStatusNotifierHostRegistered"), G_VARIANT_TYPE("(v)"),
                         G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, Bus::hostPresence, new Alive(alive_));
}

void StatusNotifierItem::setShown(bool registered, bool host) {
  registered_ = registered;
  hostPresent_ = host;
  if (changed_) changed_();
}

void StatusNotifierItem::emit(const char* signal, GVariant* args) {
  if (connection_)
    g_dbus_connection_emit_signal(connection_, nullptr, kPath, kInterface, signal, args, nullptr);
}

void StatusNotifierItem::setIcon(const Image& icon) {
  icon_ = icon;
  emit("NewIcon");
}

void StatusNotifierItem::setTitle(const std::string& title) {
  if (title == title_) return;
  title_ = title;
  emit("NewTitle");
}

void StatusNotifierItem::setToolTip(const std::string& text) {
  if (text == toolTip_) return;
  toolTip_ = text;
  emit("NewToolTip");
}

void StatusNotifierItem::setMenu(const desktop::MenuModel& menu) {
  if (menu_) menu_->setMenu(menu);
}

}  // namespace platform::ui::tray
