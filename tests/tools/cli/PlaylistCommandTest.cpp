// sonvia-cli playlist, run as a user would on lists and songs the test makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"
#include "tests/s/system/audio/CliRun.h"

namespace {

using enginetest::cli;
using enginetest::q;
using namespace playlist_test;
using s::sound::gui::dialogs::player::PlayListFile;
namespace fs = std::filesystem;

class PlaylistCommandTest : public ::testing::Test {
 protected:
  std::string song(const std::string& name) {
    const std::string path = dir_.file(name);
    EXPECT_TRUE(makeSong(path)) << path;
    return path;
  }
  // The songs of a list file as the player loads them.
  std::vector<std::string> listed(const std::string& file) {
    PooledList list;
    PlayListFile::loadList(list.list, wide(file), nullptr);
    return paths(*list);
  }
  testing_support::TempDir dir_;
};

TEST_F(PlaylistCommandTest, AddTakesFilesFoldersAndOtherListsAndShowPrintsThem) {
  const std::string list = dir_.file("mine.mpl"), other = dir_.file("other.mpl");
  const std::string a = song("a.wav"), b = song("album/b.mp3"), c = song("album/disc/c.wav"),
                    d = song("d.wav");
  ASSERT_TRUE(tag_test_files::run("id3v2 -t 'Bee Song' -a Artist " + b));
  auto made = cli("playlist add " + q(other) + " " + q(d));
  ASSERT_EQ(made.status, 0) << made.out;

  auto added = cli("playlist add " + q(list) + " " + q(a) + " " + q(dir_.file("album")) + " " +
                   q(other) + " " + q(a));
  EXPECT_EQ(added.status, 0) << added.out;
  EXPECT_NE(added.out.find("added 4 songs"), std::string::npos) << added.out;
  EXPECT_EQ(listed(list), (std::vector<std::string>{a, b, c, d}));

  auto shown = cli("playlist show " + q(list));
  EXPECT_EQ(shown.status, 0) << shown.out;
  for (const std::string& expected :
       {std::string("\"Application\": \"Pruv Sonvia\""), std::string("\"length\": 4"),
        "\"path\": \"" + b + "\"", std::string("\"songNumber\": 2"),
        std::string("\"title\": \"Bee Song - Artist\""),
        std::string("\"title\": {\"text\": \"Bee Song\""), std::string("\"exists\": true")})
    EXPECT_NE(shown.out.find(expected), std::string::npos) << expected << "\n" << shown.out;
}

TEST_F(PlaylistCommandTest, RemoveMissingAndSortSaveTheList) {
  const std::string list = dir_.file("songs/list.mpl");
  const std::string b = song("songs/b.wav"), c = song("songs/c.wav"), a = song("songs/a.wav"),
                    gone = song("songs/gone.wav");
  ASSERT_EQ(cli("playlist add " + q(list) + " " + q(b) + " " + q(gone) + " " + q(c) + " " + q(a))
                .status,
            0);
  fs::remove(gone);
  auto removed = cli("playlist remove-missing " + q(list));
  EXPECT_EQ(removed.status, 0) << removed.out;
  EXPECT_NE(removed.out.find("removed 1 song;"), std::string::npos) << removed.out;
  EXPECT_EQ(listed(list), (std::vector<std::string>{b, c, a}));

  struct Case {
    std::string args;
    std::vector<std::string> order;
  } cases[] = {
      {"title", {a, b, c}},
      {"1 --descending", {c, b, a}},
      {"number", {c, b, a}},  // renumbered by the last sort
      {"filename", {a, b, c}},
  };
  for (const Case& s : cases) {
    SCOPED_TRACE(s.args);
    auto sorted = cli("playlist sort " + q(list) + " " + s.args);
    EXPECT_EQ(sorted.status, 0) << sorted.out;
    EXPECT_EQ(listed(list), s.order);
    PooledList loaded;
    PlayListFile::loadList(loaded.list, wide(list), nullptr);
    EXPECT_EQ(numbers(*loaded), (std::vector<int>{1, 2, 3}));
  }
}

TEST_F(PlaylistCommandTest, WrongUseAndDamagedListsAreReported) {
  const std::string good = dir_.file("good.mpl"), damaged = dir_.file("damaged.mpl");
  ASSERT_EQ(cli("playlist add " + q(good) + " " + q(song("a.wav"))).status, 0);
  const std::string cut = "<PlayListXml><PlayList length=\"1\"><_0 type=\"wav\" filePa";
  std::ofstream(damaged) << cut;
  struct Case {
    std::string args;
    int status;
    const char* says;
  } cases[] = {
      {"", 2, "no playlist command"},
      {"shuffle " + q(good), 2, "unknown playlist command"},
      {"show", 2, "needs one FILE.mpl"},
      {"add " + q(good), 2, "needs FILE.mpl and a PATH"},
      {"add " + q(dir_.file("list.txt")) + " " + q(dir_.file("a.wav")), 2, "must end in .mpl"},
      {"sort " + q(good) + " colour", 2, "unknown column"},
      {"sort " + q(good) + " title --upwards", 2, "unknown option"},
      {"show " + q(dir_.file("none.mpl")), 1, "no such play list"},
      {"show " + q(damaged), 1, "damaged"},
      {"add " + q(damaged) + " " + q(dir_.file("a.wav")), 1, "nothing was changed"},
      {"remove-missing " + q(damaged), 1, "nothing was changed"},
      {"sort " + q(damaged) + " title", 1, "nothing was changed"},
      {"add " + q(good) + " " + q(dir_.file("absent.wav")), 1, "no such file"},
      {"add " + q(good) + " " + q(damaged), 1, "damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    auto result = cli("playlist " + c.args);
    EXPECT_EQ(result.status, c.status) << result.out;
    EXPECT_NE(result.out.find(c.says), std::string::npos) << result.out;
  }
  EXPECT_EQ(tag_test_files::readFile(damaged), cut);
  EXPECT_EQ(listed(good), (std::vector<std::string>{dir_.file("a.wav")}));
}

}  // namespace
