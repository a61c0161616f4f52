#include "platform/shell/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform::shell {

namespace {

std::string fromEnv(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : "";
}

std::string userDir(const char* key, const char* fallbackName) {
  std::string fromEnvironment = fromEnv(key);
  if (!fromEnvironment.empty()) return fromEnvironment;
  std::string home = UserFolders::home();
  std::ifstream in(UserFolders::config() + "/user-dirs.dirs");
  if (in) {
    std::stringstream text;
    text << in.rdbuf();
    std::string found = UserFolders::parseUserDirs(text.str(), key, home);
    // "$HOME/" alone means the folder is switched off; the program still needs a place.
    if (!found.empty() && found != home && found != home + "/") return found;
  }
  return home + "/" + fallbackName;
}

}  // namespace

std::string UserFolders::home() {
  std::string h = fromEnv("HOME");
  if (!h.empty()) return h;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/tmp";
}

std::string UserFolders::config() {
  std::string c = fromEnv("XDG_CONFIG_HOME");
  return c.empty() || c[0] != '/' ? home() + "/.config" : c;
}

std::string UserFolders::data() {
  std::string d = fromEnv("XDG_DATA_HOME");
  return d.empty() || d[0] != '/' ? home() + "/.local/share" : d;
}

std::string UserFolders::music() { return userDir("XDG_MUSIC_DIR", "Music"); }

std::string UserFolders::desktop() { return userDir("XDG_DESKTOP_DIR", "Desktop"); }

std::string UserFolders::parseUserDirs(const std::string& text, const std::string& key,
                                       const std::string& home) {
  std::istringstream lines(text);
  std::string line;
  std::string result;
  while (std::getline(lines, line)) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, key.size(), key) != 0) continue;
    size_t eq = line.find_first_not_of(" \t", start + key.size());
    if (eq == std::string::npos || line[eq] != '=') continue;
    size_t open = line.find('"', eq);
    if (open == std::string::npos) continue;
    std::string unescaped;
    bool closed = false;
    for (size_t i = open + 1; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        unescaped.push_back(line[++i]);
      } else if (line[i] == '"') {
        closed = true;
        break;
      } else {
        unescaped.push_back(line[i]);
      }
    }
    if (!closed) continue;
    if (unescaped.rfind("$HOME", 0) == 0)
      unescaped = home + unescaped.substr(5);
    else if (unescaped.empty() || unescaped[0] != '/')
      continue;  // only absolute paths or $HOME-relative ones are allowed
    result = unescaped;  // the last definition wins, as in a shell
  }
  return result;
}

}  // namespace platform::shell
