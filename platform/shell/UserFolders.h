#pragma once
#include <string>

namespace platform::shell {

// The user's special folders as the freedesktop user-dirs convention defines them. Paths are
// native (UTF-8 or whatever bytes the file system uses).
class UserFolders {
 public:
  // $HOME, or the password database's entry when HOME is unset.
  static std::string home();
  // $XDG_CONFIG_HOME, else ~/.config.
  static std::string config();
  // $XDG_DATA_HOME, else ~/.local/share.
  static std::string data();
  // XDG_MUSIC_DIR from the environment or from user-dirs.dirs, else ~/Music.
  static std::string music();
  // XDG_DESKTOP_DIR likewise, else ~/Desktop.
  static std::string desktop();
  // The value of `key` (e.g. "XDG_MUSIC_DIR") in a user-dirs.dirs text, with $HOME expanded;
  // empty when absent.
  static std::string parseUserDirs(const std::string& text, const std::string& key,
                                   const std::string& home);
};

}  // namespace platform::shell
