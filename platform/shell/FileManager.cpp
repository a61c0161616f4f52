#include "platform/shell/FileManager.h"

#include <gio/gio.h>

namespace platform::shell {

namespace {

constexpr int kCallTimeoutMs = 3000;

std::string uriOf(const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  char* uri = g_file_get_uri(file);
  std::string result = uri ? uri : "";
  g_free(uri);
  g_object_unref(file);
  return result;
}

}  // namespace

bool FileManager::callFileManager(const char* method, const std::string& path,
                                  const std::string& startupId) {
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (!bus) return false;
  const std::string uri = uriOf(path);
  const char* uris[] = {uri.c_str(), nullptr};
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
      "org.freedesktop.FileManager1", method, g_variant_new("(^ass)", uris, startupId.c_str()),
      nullptr, G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr);
  if (reply) g_variant_unref(reply);
  g_object_unref(bus);
  return reply != nullptr;
}

bool FileManager::openAddress(const std::string& uri) {
  return g_app_info_launch_default_for_uri(uri.c_str(), nullptr, nullptr);
}

bool FileManager::openFolderOf(const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  GFile* parent = g_file_get_parent(file);
  bool ok = false;
  if (parent) {
    char* uri = g_file_get_uri(parent);
    ok = openAddress(uri);
    g_free(uri);
    g_object_unref(parent);
  }
  g_object_unref(file);
  return ok;
}

bool FileManager::showInFolder(const std::string& path, const std::string& startupId) {
  return callFileManager("ShowItems", path, startupId) || openFolderOf(path);
}

bool FileManager::showProperties(const std::string& path, const std::string& startupId) {
  return callFileManager("ShowItemProperties", path, startupId) || openFolderOf(path);
}

}  // namespace platform::shell
