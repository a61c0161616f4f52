#include "platform/shell/Spawn.h"

#include <glib.h>

namespace platform::shell {

bool Spawn::available(const std::string& program) {
  gchar* found = g_find_program_in_path(program.c_str());
  g_free(found);
  return found != nullptr;
}

bool Spawn::run(const std::vector<std::string>& argv, std::string& problem) {
  std::vector<gchar*> args;
  for (const std::string& a : argv) args.push_back(const_cast<gchar*>(a.c_str()));
  args.push_back(nullptr);
  gchar* errors = nullptr;
  gint status = 0;
  GError* error = nullptr;
  const GSpawnFlags flags = static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL);
  bool ok = g_spawn_sync(nullptr, args.data(), nullptr, flags, nullptr, nullptr, nullptr, &errors,
                         &status, &error);
  if (!ok) {
    problem = "cannot run " + argv.front() + ": " + error->message;
    g_error_free(error);
  } else if (!g_spawn_check_wait_status(status, nullptr)) {
    problem = argv.front() + " failed" + (errors && *errors ? ": " + std::string(errors) : "");
    ok = false;
  }
  g_free(errors);
  return ok;
}

}  // namespace platform::shell
