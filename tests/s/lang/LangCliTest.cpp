// sonvia-cli lang, run as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/TempDir.h"
#include "tests/support/CliRun.h"

namespace {

struct Result {
  int status;
  std::string out;
};

Result lang(const std::string& args) {
  const testing_support::CliResult r = testing_support::runShell(
      "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=C " SONVIA_CLI_PATH " lang " + args + " 2>&1");
  return {r.status, r.out};
}

}  // namespace

TEST(LangCli, ListsAndLooksUpATableFile) {
  testing_support::TempDir dir;
  std::ofstream(dir.file("t.xml"))
      << "<lang><languages>"
         "<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
         "<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>"
         "</languages><entries>"
         "<entry id=\"42\"><eng>&#160;Answer</eng><deu>Antwort</deu></entry>"
         "<entry id=\"home\"><eng>Home</eng></entry>"
         "</entries></lang>";
  std::string table = " --table " + dir.file("t.xml");
  EXPECT_EQ(lang("list" + table).out,
            " 0  eng  English                English\n"
            " 1  deu  German                 Deutsch\n");
  struct Case {
    std::string args;
    int status;
    std::string out;
  } cases[] = {
      {"text 42", 0, " Answer\n"},
      {"text 42 deu", 0, "Antwort\n"},
      {"text 42 GERMAN", 0, "Antwort\n"},
      {"text 42 1", 0, "Antwort\n"},
      {"text home deu", 0, "Home\n"},
      {"text 43 deu", 1, "sonvia-cli lang: no text 43 in German\n"},
  };
  for (auto& c : cases) {
    Result r = lang(c.args + table);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
  EXPECT_EQ(lang("list --table " + dir.file("missing.xml")).status, 1);
}

TEST(LangCli, TheBuiltInTableHasItsLanguagesInOrder) {
  Result r = lang("list");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.rfind(" 0  eng  English", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\n32  vie  Vietnamese"), std::string::npos) << r.out;
  EXPECT_EQ(lang("text 300000").out, "Pruv Sonvia\n");
}

TEST(LangCli, WrongArgumentsPrintUsageAndExitWithTwo) {
  for (const char* args : {"", "frob", "list extra", "text", "text 1 eng extra", "text 12x eng",
                           "text 1 klingon", "list --table"}) {
    Result r = lang(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.out.find("usage:"), std::string::npos) << args;
  }
}
