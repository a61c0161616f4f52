#include "platform/shell/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tests/support/TempDir.h"

namespace {

using platform::shell::UserFolders;

TEST(UserFolders, ParsesUserDirsLikeTheShellWould) {
  const std::string text =
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
      "XDG_MUSIC_DIR=\"$HOME/Musik\"\n"
      "  XDG_MUSIC_DIR = \"/srv/m\\\"usic\"\n"
      "XDG_MUSIC_DIRX=\"/wrong\"\n"
      "XDG_VIDEOS_DIR=\"relative/not/allowed\"\n";
  EXPECT_EQ(UserFolders::parseUserDirs(text, "XDG_DESKTOP_DIR", "/home/u"),
            "/home/u/Schreibtisch");
  EXPECT_EQ(UserFolders::parseUserDirs(text, "XDG_MUSIC_DIR", "/home/u"), "/srv/m\"usic");
  EXPECT_EQ(UserFolders::parseUserDirs(text, "XDG_VIDEOS_DIR", "/home/u"), "");
  EXPECT_EQ(UserFolders::parseUserDirs(text, "XDG_PICTURES_DIR", "/home/u"), "");
}

TEST(UserFolders, MusicFolderFromConfigFileOrFallback) {
  testing_support::TempDir dir;
  setenv("HOME", dir.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", dir.file("cfg").c_str(), 1);
  unsetenv("XDG_MUSIC_DIR");
  EXPECT_EQ(UserFolders::music(), dir.path() + "/Music");
  std::filesystem::create_directories(dir.file("cfg"));
  std::ofstream(dir.file("cfg/user-dirs.dirs")) << "XDG_MUSIC_DIR=\"$HOME/Musique\"\n";
  EXPECT_EQ(UserFolders::music(), dir.path() + "/Musique");
  setenv("XDG_MUSIC_DIR", "/from/env", 1);
  EXPECT_EQ(UserFolders::music(), "/from/env");
}

}  // namespace
