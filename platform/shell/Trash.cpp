#include "platform/shell/Trash.h"

#include <gio/gio.h>

namespace platform::shell {

bool Trash::moveToTrash(const std::string& path, std::string& problem) {
  GFile* file = g_file_new_for_path(path.c_str());
  GError* error = nullptr;
  const bool ok = g_file_trash(file, nullptr, &error);
  if (!ok) {
    problem = "cannot move " + path + " to the trash: " + error->message;
    g_error_free(error);
  }
  g_object_unref(file);
  return ok;
}

}  // namespace platform::shell
