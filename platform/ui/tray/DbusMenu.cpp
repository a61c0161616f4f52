#include "platform/ui/tray/DbusMenu.h"

#include <gio/gio.h>

#include <algorithm>

namespace platform::ui::tray {

namespace {

using desktop::MenuEntry;

constexpr const char* kInterface = "com.canonical.dbusmenu";
constexpr const char* kIntrospection = R"xml(<node>
 <interface name="com.canonical.dbusmenu">
  <property name="Version" type="u" access="read"/>
  <property name="TextDirection" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="IconThemePath" type="as" access="read"/>
  <method name="GetLayout"><arg type="i" direction="in"/><arg type="i" direction="in"/>
   <arg type="as" direction="in"/><arg type="u" direction="out"/><arg type="(ia{sv}av)" direction="out"/></method>
  <method name="GetGroupProperties"><arg type="ai" direction="in"/><arg type="as" direction="in"/>
   <arg type="a(ia{sv})" direction="out"/></method>
  <method name="GetProperty"><arg type="i" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="Event"><arg type="i" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="in"/>
   <arg type="u" direction="in"/></method>
  <method name="EventGroup"><arg type="a(isvu)" direction="in"/><arg type="ai" direction="out"/></method>
  <method name="AboutToShow"><arg type="i" direction="in"/><arg type="b" direction="out"/></method>
  <method name="AboutToShowGroup"><arg type="ai" direction="in"/><arg type="ai" direction="out"/>
   <arg type="ai" direction="out"/></method>
  <signal name="ItemsPropertiesUpdated"><arg type="a(ia{sv})"/><arg type="a(ias)"/></signal>
  <signal name="LayoutUpdated"><arg type="u"/><arg type="i"/></signal>
  <signal name="ItemActivationRequested"><arg type="i"/><arg type="u"/></signal>
 </interface>
</node>)xml";

std::vector<std::string> strings(GVariant* array) {
  std::vector<std::string> out;
  GVariantIter it;
  const char* s = nullptr;
  g_variant_iter_init(&it, array);
  while (g_variant_iter_next(&it, "&s", &s)) out.emplace_back(s);
  return out;
}

std::vector<int> ints(GVariant* array) {
  std::vector<int> out;
  GVariantIter it;
  gint32 v = 0;
  g_variant_iter_init(&it, array);
  while (g_variant_iter_next(&it, "i", &v)) out.push_back(v);
  return out;
}

GVariant* intArray(const std::vector<int>& values) {
  GVariantBuilder b;
  g_variant_builder_init(&b, G_VARIANT_TYPE("ai"));
  for (int v : values) g_variant_builder_add(&b, "i", v);
  return g_variant_builder_end(&b);
}

}  // namespace

DbusMenu::DbusMenu(GDBusConnection* connection, Post post) : connection_(connection), post_(std::move(post)) {
  static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
  static const GDBusInterfaceVTable vtable = {onMethodCall, onGetProperty, nullptr, {}};
  number();
  registration_ = g_dbus_connection_register_object(connection_, kPath, info->interfaces[0], &vtable, this,
                                                    nullptr, nullptr);
}

DbusMenu::~DbusMenu() {
  if (registration_) g_dbus_connection_unregister_object(connection_, registration_);
}

void DbusMenu::number() {
  nodes_.assign(1, Node{});
  // (menu, parent node) pairs taken in the order they were found, so a menu's entries get
  // consecutive ids and sub-menus are numbered after their parent, breadth first.
  struct Pending {
    const desktop::MenuModel* menu;
    int parent;
  };
  std::vector<Pending> pending{{&model_, 0}};
  for (std::size_t next = 0; next < pending.size(); ++next) {
    const Pending p = pending[next];
    for (const MenuEntry& e : *p.menu) {
      int id = static_cast<int>(nodes_.size());
      nodes_.push_back({&e, {}});
      nodes_[p.parent].children.push_back(id);
      if (e.kind == MenuEntry::Kind::kSubMenu) pending.push_back({&e.children, id});
    }
  }
}

void DbusMenu::setMenu(const desktop::MenuModel& menu) {
  bool inPlace = desktop::sameShape(model_, menu);
  std::vector<Node> before = nodes_;
  desktop::MenuModel old = std::move(model_);
  model_ = menu;
  number();
  if (!registration_) return;
  if (!inPlace) {
    ++revision_;
    g_dbus_connection_emit_signal(connection_, nullptr, kPath, kInterface, "LayoutUpdated",
                                  g_variant_new("(ui)", revision_, 0), nullptr);
    return;
  }
  GVariantBuilder changed;
  g_variant_builder_init(&changed, G_VARIANT_TYPE("a(ia{sv})"));
  bool any = false;
  for (std::size_t id = 1; id < nodes_.size(); ++id) {
    const MenuEntry& now = *nodes_[id].entry;
    const MenuEntry& was = *before[id].entry;  // `old` still holds it
    if (now.text == was.text && now.checked == was.checked && now.enabled == was.enabled) continue;
    g_variant_builder_add(&changed, "(i@a{sv})", static_cast<gint32>(id), properties(static_cast<int>(id), {}));
    any = true;
  }
  GVariant* updated = g_variant_builder_end(&changed);
  if (!any) {
    g_variant_unref(g_variant_ref_sink(updated));
    return;
  }
  g_dbus_connection_emit_signal(connection_, nullptr, kPath, kInterface, "ItemsPropertiesUpdated",
                                g_variant_new("(@a(ia{sv})@a(ias))", updated,
                                              g_variant_new_array(G_VARIANT_TYPE("(ias)"), nullptr, 0)),
                                nullptr);
}

GVariant* DbusMenu::properties(int id, const std::vector<std::string>& names) const {
  GVariantBuilder b;
  g_variant_builder_init(&b, G_VARIANT_TYPE("a{sv}"));
  auto add = [&](const char* name, GVariant* value) {
    if (names.empty() || std::find(names.begin(), names.end(), name) != names.end())
      g_variant_builder_add(&b, "{sv}", name, value);
    else
      g_variant_unref(g_variant_ref_sink(value));
  };
  const MenuEntry* e = nodes_[id].entry;
  if (!e) {
    add("children-display", g_variant_new_string("submenu"));
    return g_variant_builder_end(&b);
  }
  if (e->kind == MenuEntry::Kind::kSeparator) {
    add("type", g_variant_new_string("separator"));
    return g_variant_builder_end(&b);
  }
  add("label", g_variant_new_string(desktop::mnemonicLabel(e->text).c_str()));
  add("enabled", g_variant_new_boolean(e->enabled));
  add("visible", g_variant_new_boolean(TRUE));
  if (e->kind == MenuEntry::Kind::kSubMenu) add("children-display", g_variant_new_string("submenu"));
  if (e->kind == MenuEntry::Kind::kItem && (e->checked || e->radio)) {
    add("toggle-type", g_variant_new_string(e->radio ? "radio" : "checkmark"));
    add("toggle-state", g_variant_new_int32(e->checked ? 1 : 0));
  }
  return g_variant_builder_end(&b);
}

GVariant* DbusMenu::layout(int id, int depth, const std::vector<std::string>& names) const {
  GVariantBuilder children;
  g_variant_builder_init(&children, G_VARIANT_TYPE("av"));
  if (depth != 0)
    for (int child : nodes_[id].children)
      g_variant_builder_add(&children, "v", layout(child, depth < 0 ? -1 : depth - 1, names));
  return g_variant_new("(i@a{sv}av)", id, properties(id, names), &children);
}

bool DbusMenu::event(int id, const std::string& kind) {
  if (!known(id)) return false;
  const MenuEntry* e = nodes_[id].entry;
  if (kind == "clicked" && e && e->kind == MenuEntry::Kind::kItem && e->enabled)
    post_(msg::kCommand, static_cast<WParam>(e->command), 0);
  else if (kind == "opened" && id == 0)
    post_(msg::kTrayMenuOpening, 0, 0);
  return true;
}

void DbusMenu::onMethodCall(GDBusConnection*, const char*, const char*, const char*, const char* method,
                            GVariant* parameters, GDBusMethodInvocation* invocation, void* data) {
  auto* self = static_cast<DbusMenu*>(data);
  std::string name = method;
  auto fail = [&](const char* what) {
    g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.InvalidArgs", what);
  };
  if (name == "GetLayout") {
    gint32 parent = 0, depth = -1;
    GVariant* names = nullptr;
    g_variant_get(parameters, "(ii@as)", &parent, &depth, &names);
    std::vector<std::string> wanted = strings(names);
    g_variant_unref(names);
    if (!self->known(parent)) return fail("no such menu item");
    g_dbus_method_invocation_return_value(
        invocation, g_variant_new("(u@(ia{sv}av))", self->revision_, self->layout(parent, depth, wanted)));
  } else if (name == "GetGroupProperties") {
    GVariant *idsV = nullptr, *namesV = nullptr;
    g_variant_get(parameters, "(@ai@as)", &idsV, &namesV);
    std::vector<int> ids = ints(idsV);
    std::vector<std::string> wanted = strings(namesV);
    g_variant_unref(idsV);
    g_variant_unref(namesV);
    if (ids.empty())
      for (std::size_t i = 0; i < self->nodes_.size(); ++i) ids.push_back(static_cast<int>(i));
    GVariantBuilder b;
    g_variant_builder_init(&b, G_VARIANT_TYPE("a(ia{sv})"));
    for (int id : ids)
      if (self->known(id)) g_variant_builder_add(&b, "(i@a{sv})", id, self->properties(id, wanted));
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(@a(ia{sv}))", g_variant_builder_end(&b)));
  } else if (name == "GetProperty") {
    gint32 id = 0;
    const char* property = nullptr;
    g_variant_get(parameters, "(i&s)", &id, &property);
    if (!self->known(id)) return fail("no such menu item");
    GVariant* props = self->properties(id, {property});
    GVariant* value = g_variant_lookup_value(props, property, nullptr);
    g_variant_unref(g_variant_ref_sink(props));
    if (!value) return fail("no such property");
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
    g_variant_unref(value);
  } else if (name == "Event") {
    gint32 id = 0;
    const char* kind = nullptr;
    g_variant_get(parameters, "(i&svu)", &id, &kind, nullptr, nullptr);
    if (!self->event(id, kind)) return fail("no such menu item");
    g_dbus_method_invocation_return_value(invocation, nullptr);
  } else if (name == "EventGroup") {
    GVariantIter* events = nullptr;
    g_variant_get(parameters, "(a(isvu))", &events);
    std::vector<int> unknown;
    gint32 id = 0;
    const char* kind = nullptr;
    while (g_variant_iter_next(events, "(i&svu)", &id, &kind, nullptr, nullptr))
      if (!self->event(id, kind)) unknown.push_back(id);
    g_variant_iter_free(events);
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(@ai)", intArray(unknown)));
  } else if (name == "AboutToShow") {
    gint32 id = 0;
    g_variant_get(parameters, "(i)", &id);
    if (id == 0) self->post_(msg::kTrayMenuOpening, 0, 0);
    // The owner answers with setMenu; its changes arrive as signals.
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", FALSE));
  } else if (name == "AboutToShowGroup") {
    GVariant* idsV = nullptr;
    g_variant_get(parameters, "(@ai)", &idsV);
    std::vector<int> ids = ints(idsV), unknown;
    g_variant_unref(idsV);
    for (int id : ids) {
      if (!self->known(id)) unknown.push_back(id);
      else if (id == 0) self->post_(msg::kTrayMenuOpening, 0, 0);
    }
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(@ai@ai)", intArray({}), intArray(unknown)));
  } else {
    g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod", method);
  }
}

GVariant* DbusMenu::onGetProperty(GDBusConnection*, const char*, const char*, const char*, const char* name,
                                  GError**, void*) {
  std::string p = name;
  if (p == "Version") return g_variant_new_uint32(3);
  if (p == "TextDirection") return g_variant_new_string("ltr");
  if (p == "Status") return g_variant_new_string("normal");
  if (p == "IconThemePath") return g_variant_new_strv(nullptr, 0);
  return nullptr;
}

}  // namespace platform::ui::tray
