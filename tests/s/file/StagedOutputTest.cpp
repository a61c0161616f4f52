#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "s/file/StagedOutput.h"
#include "tests/support/TempDir.h"

namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(StagedOutput, RegularFilesAreReplacedOnlyWhenComplete) {
  testing_support::TempDir dir;
  const std::string target = dir.file("out.wav");
  put(target, "old");

  s::file::StagedOutput failed(target);
  ASSERT_TRUE(failed.staged());
  put(failed.writePath(), "half");
  failed.discard();
  EXPECT_EQ(slurp(target), "old");
  EXPECT_NE(access(failed.writePath().c_str(), F_OK), 0);

  s::file::StagedOutput done(target);
  put(done.writePath(), "new");
  EXPECT_EQ(slurp(target), "old");
  ASSERT_TRUE(done.commit());
  EXPECT_EQ(slurp(target), "new");

  s::file::StagedOutput fresh(dir.file("missing.wav"));
  EXPECT_TRUE(fresh.staged());
}

TEST(StagedOutput, DevicesAreWrittenDirectlyAndNeverReplaced) {
  s::file::StagedOutput devNull("/dev/null");
  EXPECT_FALSE(devNull.staged());
  EXPECT_EQ(devNull.writePath(), "/dev/null");
  EXPECT_TRUE(devNull.commit());
  devNull.discard();
  struct stat info;
  ASSERT_EQ(stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(StagedOutput, ALinkKeepsPointingAtTheNewFile) {
  testing_support::TempDir dir;
  const std::string real = dir.file("real.wav");
  const std::string link = dir.file("link.wav");
  put(real, "old");
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  s::file::StagedOutput output(link);
  put(output.writePath(), "new");
  ASSERT_TRUE(output.commit());
  struct stat info;
  ASSERT_EQ(lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(slurp(real), "new");
}

TEST(StagedOutput, TheReplacementKeepsTheFilesPermissionsAndALinkToNothingYetIsFollowed) {
  testing_support::TempDir dir;
  const std::string target = dir.file("private.mpl");
  put(target, "old");
  ASSERT_EQ(chmod(target.c_str(), 0600), 0);
  s::file::StagedOutput output(target);
  put(output.writePath(), "new");
  ASSERT_TRUE(output.commit());
  struct stat info;
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A relative link whose file does not exist yet: the file is made where the link points.
  ASSERT_EQ(mkdir(dir.file("elsewhere").c_str(), 0700), 0);
  const std::string link = dir.file("later.mpl");
  ASSERT_EQ(symlink("elsewhere/later.mpl", link.c_str()), 0);
  s::file::StagedOutput later(link);
  EXPECT_EQ(later.target(), dir.file("elsewhere/later.mpl"));
  put(later.writePath(), "made");
  ASSERT_TRUE(later.commit());
  ASSERT_EQ(lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(slurp(link), "made");

  // Neither committed nor discarded: nothing is left beside the target.
  std::string staged;
  {
    s::file::StagedOutput abandoned(target);
    staged = abandoned.writePath();
    put(staged, "half");
  }
  EXPECT_NE(access(staged.c_str(), F_OK), 0);
  EXPECT_EQ(slurp(target), "new");
}

}  // namespace
