#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/s/sound/mp3/TagTestFiles.h"
#include "tests/support/CliRun.h"

namespace {

using namespace tag_test_files;

std::string cli(const std::string& arguments, int* status) {
  const testing_support::CliResult r = testing_support::runShell(
      std::string("env LC_ALL=C.UTF-8 ") + SONVIA_CLI_PATH + " " + arguments + " 2>&1");
  *status = r.status;
  return r.out;
}

class TagCommand : public ::testing::Test {
 protected:
  testing_support::TempDir dir_;
};

TEST_F(TagCommand, ShowsTagsAsJsonWithCodePageChoices) {
  std::string path = dir_.file("show.mp3");
  ASSERT_TRUE(makeMp3(path));
  ASSERT_TRUE(run("id3v2 -t " + shellWord("\x93\xfa\x96\x7b") + " -a " +
                  shellWord("\xcf\xf0\xe8") + " -g 17 " + path));
  int status = -1;
  std::string json = cli("tag show " + path, &status);
  EXPECT_EQ(status, 0) << json;
  EXPECT_NE(json.find("\"title\": {\"text\": \"“ú–{\", \"encoding\": 0, \"codePage\": "
                      "{\"number\": 1252, \"name\": \"Western (Windows-1252)\"}, \"bytes\": "
                      "\"93fa967b00\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"genre\": {\"text\": \"Rock\""), std::string::npos);
  EXPECT_EQ(json.find("\"album\""), std::string::npos);  // the file has no album

  json = cli("tag show " + path + " --codepage Shift_JIS --tag-codepage artist=1251", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(json.find("\"title\": {\"text\": \"日本\", \"encoding\": 0, \"codePage\": "
                      "{\"number\": 932"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"artist\": {\"text\": \"При\""), std::string::npos) << json;

  for (const char* wrong : {"--codepage Klingon", "--tag-codepage mood=932", "--codepage",
                            "--frobnicate 1"}) {
    cli("tag show " + path + " " + wrong, &status);
    EXPECT_EQ(status, 2) << wrong;
  }
}

TEST_F(TagCommand, SetWritesOneTagAndKeepsAudioAndOtherTags) {
  std::string path = dir_.file("set.mp3");
  ASSERT_TRUE(makeMp3(path));
  ASSERT_TRUE(run("id3v2 -t Old -a Artist -A Album -c Note " + path));
  std::string audio = audioFrames(path);
  int status = -1;
  std::string said = cli("tag set " + path + " title " + shellWord("Новый 日本") +
                         " --codepage windows-1251", &status);
  EXPECT_EQ(status, 0) << said;
  EXPECT_EQ(audioFrames(path), audio);
  std::string json = cli("tag show " + path, &status);
  // Windows-1251 cannot hold the Japanese part, so the title went out as UTF-16.
  EXPECT_NE(json.find("\"title\": {\"text\": \"Новый 日本\", \"encoding\": 1"), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"artist\": {\"text\": \"Artist\", \"encoding\": 0"), std::string::npos);
  EXPECT_NE(json.find("\"album\": {\"text\": \"Album\""), std::string::npos);
  EXPECT_NE(json.find("\"comment\": {\"text\": \"Note\""), std::string::npos);

  cli("tag set " + path + " artist " + shellWord("Привет") + " --codepage 1251", &status);
  EXPECT_EQ(status, 0);
  json = cli("tag show " + path + " --tag-codepage artist=1251", &status);
  EXPECT_NE(json.find("\"artist\": {\"text\": \"Привет\", \"encoding\": 0, \"codePage\": "
                      "{\"number\": 1251, \"name\": \"Cyrillic (Windows-1251)\"}, \"bytes\": "
                      "\"cff0e8e2e5f200\"}"),
            std::string::npos)
      << json;
  EXPECT_EQ(audioFrames(path), audio);
}

TEST_F(TagCommand, SetRefusesReadOnlyFilesAndWrongArguments) {
  std::string path = dir_.file("ro.mp3");
  ASSERT_TRUE(makeMp3(path));
  ASSERT_TRUE(run("id3v2 -t Kept " + path));
  std::string before = readFile(path);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  int status = -1;
  std::string said = cli("tag set " + path + " title Changed", &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(said.find("read-only"), std::string::npos) << said;
  EXPECT_NE(said.find("unchanged"), std::string::npos) << said;
  EXPECT_EQ(readFile(path), before);

  // A write that fails half-way (the file size limit stops the new file) changes nothing and
  // leaves no temporary file behind.
  std::string full = dir_.file("full.mp3");
  ASSERT_TRUE(makeMp3(full));
  ASSERT_TRUE(run("id3v2 -t Kept " + full));
  before = readFile(full);
  said = output("sh -c \"trap '' XFSZ; ulimit -f 4; LC_ALL=C.UTF-8 " SONVIA_CLI_PATH
                " tag set " + full + " title Changed; echo status=\\$?\" 2>&1");
  EXPECT_NE(said.find("status=1"), std::string::npos) << said;
  EXPECT_NE(said.find("cannot write"), std::string::npos) << said;
  EXPECT_EQ(readFile(full), before);
  EXPECT_EQ(output("ls -A " + dir_.path()), "full.mp3\nro.mp3\n");

  cli("tag set " + dir_.file("missing.mp3") + " title x", &status);
  EXPECT_EQ(status, 1);
  for (const std::string& wrong :
       {std::string("tag"), std::string("tag set"), "tag set " + path + " mood x", "tag set " + path + " title ''",
        "tag set " + path + " title x --codepage Klingon", "tag set " + path + " title x --cp 1",
        "tag paint " + path}) {
    cli(wrong, &status);
    EXPECT_EQ(status, 2) << wrong;
  }
}

}  // namespace
