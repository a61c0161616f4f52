#include "platform/shell/Trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "tests/support/TempDir.h"

TEST(Trash, AFileGoesToTheUsersTrashAndAMissingOneIsReported) {
  testing_support::TempDir dir;
  setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
  const std::string song = dir.file("song.mp3");
  std::ofstream(song) << "x";
  std::string problem;
  EXPECT_TRUE(platform::shell::Trash::moveToTrash(song, problem)) << problem;
  struct stat st;
  EXPECT_NE(stat(song.c_str(), &st), 0);
  EXPECT_EQ(stat(dir.file("data/Trash/files/song.mp3").c_str(), &st), 0);
  EXPECT_EQ(stat(dir.file("data/Trash/info/song.mp3.trashinfo").c_str(), &st), 0);

  EXPECT_FALSE(platform::shell::Trash::moveToTrash(dir.file("gone.mp3"), problem));
  EXPECT_NE(problem.find("gone.mp3"), std::string::npos) << problem;
  unsetenv("XDG_DATA_HOME");
}
