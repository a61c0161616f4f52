#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include "tests/support/CliRun.h"

namespace {

// Runs sonvia-cli with `arguments` in the locale `locale`; returns what it printed and its exit
// status.
std::string runCli(const std::string& arguments, int* status, const char* locale = "C.UTF-8") {
  const testing_support::CliResult r = testing_support::runShell(
      std::string("env -u LC_CTYPE -u LANG LC_ALL=") + locale + " " + SONVIA_CLI_PATH + " " +
      arguments + " 2>&1");
  *status = r.status;
  return r.out;
}

TEST(CodePagesCommand, ListsNumberAndNameAndTheLocaleDefault) {
  int status = -1;
  std::string list = runCli("codepages", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(list.find("932\tJapanese (Shift_JIS)\n"), std::string::npos) << list;
  EXPECT_NE(list.find("1200\tUTF-16\n"), std::string::npos);
  EXPECT_NE(list.find("1201\tUTF-16BE\n"), std::string::npos);
  EXPECT_LT(list.find("Arabic"), list.find("Western (Windows-1252)"));

  EXPECT_EQ(runCli("codepages --default", &status), "1252\tWestern (Windows-1252)\n");
  EXPECT_EQ(runCli("codepages --default", &status, "zh_TW.UTF-8"),
            "950\tChinese Traditional (Big5)\n");
  EXPECT_EQ(runCli("codepages --default", &status, "ja_JP.UTF-8"), "932\tJapanese (Shift_JIS)\n");
  runCli("--help", &status);
  EXPECT_EQ(status, 0);
  runCli("codepages extra", &status);
  EXPECT_EQ(status, 2);
}

}  // namespace
