#pragma once
#include <gio/gio.h>

#include <atomic>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace desktoptest {

// The part of a desktop panel that tray icons register with: org.kde.StatusNotifierWatcher on the
// session bus, reporting a host that shows items. Runs its own GLib loop on a thread of its own.
class WatcherStandIn {
 public:
  explicit WatcherStandIn(const std::string& busAddress) {
    context_ = g_main_context_new();
    loop_ = g_main_loop_new(context_, FALSE);
    std::promise<void> ready;
    auto started = ready.get_future();
    thread_ = std::thread([this, busAddress, &ready] {
      g_main_context_push_thread_default(context_);
      connection_ = g_dbus_connection_new_for_address_sync(
          busAddress.c_str(),
          static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                            G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
          nullptr, nullptr, nullptr);
      if (connection_) {
        static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kXml, nullptr);
        static const GDBusInterfaceVTable vtable = {onCall, onProperty, nullptr, {}};
        g_dbus_connection_register_object(connection_, "/StatusNotifierWatcher", info->interfaces[0], &vtable, this,
                                          nullptr, nullptr);
        GVariant* reply = g_dbus_connection_call_sync(
            connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
            g_variant_new("(su)", "org.kde.StatusNotifierWatcher", 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, 5000,
            nullptr, nullptr);
        owned_ = reply != nullptr;
        if (reply) g_variant_unref(reply);
      }
      ready.set_value();
      g_main_loop_run(loop_);
      if (connection_) {
        g_dbus_connection_close_sync(connection_, nullptr, nullptr);
        g_object_unref(connection_);
      }
      g_main_context_pop_thread_default(context_);
    });
    started.wait();
  }
  ~WatcherStandIn() {
    g_main_loop_quit(loop_);
    thread_.join();
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
  }
  bool owned() const { return owned_; }
  std::vector<std::string> items() const {
    std::lock_guard lock(mutex_);
    return items_;
  }
  // The bus name under which the last item registered, for calling it.
  std::string lastItem() const {
    std::lock_guard lock(mutex_);
    return items_.empty() ? "" : items_.back();
  }

 private:
  static constexpr const char* kXml = R"xml(<node><interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface></node>)xml";

  static void onCall(GDBusConnection*, const char*, const char*, const char*, const char* method, GVariant* args,
                     GDBusMethodInvocation* invocation, gpointer data) {
    auto* self = static_cast<WatcherStandIn*>(data);
    if (std::string(method) == "RegisterStatusNotifierItem") {
      const char* service = nullptr;
      g_variant_get(args, "(&s)", &service);
      std::lock_guard lock(self->mutex_);
      self->items_.emplace_back(service);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
  }
  static GVariant* onProperty(GDBusConnection*, const char*, const char*, const char*, const char* name, GError**,
                              gpointer data) {
    auto* self = static_cast<WatcherStandIn*>(data);
    std::string p = name;
    if (p == "IsStatusNotifierHostRegistered") return g_variant_new_boolean(TRUE);
    if (p == "ProtocolVersion") return g_variant_new_int32(0);
    std::lock_guard lock(self->mutex_);
    GVariantBuilder b;
    g_variant_builder_init(&b, G_VARIANT_TYPE("as"));
    for (const auto& i : self->items_) g_variant_builder_add(&b, "s", i.c_str());
    return g_variant_builder_end(&b);
  }

  GMainContext* context_ = nullptr;
  GMainLoop* loop_ = nullptr;
  GDBusConnection* connection_ = nullptr;
  std::atomic<bool> owned_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> items_;
  std::thread thread_;
};

}  // namespace desktoptest
