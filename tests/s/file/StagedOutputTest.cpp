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

}  // namespace
