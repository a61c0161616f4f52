// sonvia-cli playlist, run as a user would on lists and songs the test makes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"
#include "tests/support/CliRun.h"

namespace {

using testing_support::CliResult;
using testing_support::runCli;

std::string q(const std::string& path) { return testing_support::quoted(path); }
CliResult cli(const std::string& args) { return runCli(args); }
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
  ASSERT_EQ(made.status, 0) << made.all();

  auto added = cli("playlist add " + q(list) + " " + q(a) + " " + q(dir_.file("album")) + " " +
                   q(other) + " " + q(a));
  EXPECT_EQ(added.status, 0) << added.all();
  EXPECT_NE(added.out.find("added 4 songs"), std::string::npos) << added.out;
  EXPECT_EQ(listed(list), (std::vector<std::string>{a, b, c, d}));

  auto shown = cli("playlist show " + q(list));
  EXPECT_EQ(shown.status, 0) << shown.all();
  for (const std::string& expected :
       {std::string("\"Application\": \"Pruv Sonvia\""), std::string("\"length\": 4"),
        "\"path\": \"" + b + "\"", std::string("\"songNumber\": 2"),
        std::string("\"title\": \"Bee Song - Artist\""),
        std::string("\"title\": {\"text\": \"Bee Song\""), std::string("\"exists\": true")})
    EXPECT_NE(shown.out.find(expected), std::string::npos) << expected << "\n" << shown.out;
}

TEST_F(PlaylistCommandTest, AddTakesTheSongsOfOtherPlayersListsAndSaysWhatItPassedOver) {
  const std::string list = dir_.file("mine.mpl");
  const std::string a = song("music/a.wav"), b = song("music/b c.wav"),
                    c = song("music/caf\xC3\xA9.wav"), d = song("d.wav");
  const std::string m3u = dir_.file("music/lists/old.m3u"), pls = dir_.file("radio.pls");
  fs::create_directories(fs::path(m3u).parent_path());
  // Written on Windows: Windows-1252, CRLF, backslashes; the file address escapes its bytes.
  std::ofstream(m3u, std::ios::binary)
      << "#EXTM3U\r\n#EXTINF:1,Caf\xE9\r\n..\\caf\xE9.wav\r\nhttp://radio.example/live\r\n"
         "C:\\Music\\x.wav\r\nfile://" + dir_.path() + "/music/b%20c.wav\r\n..\\a.wav\r\n";
  std::ofstream(pls) << "[playlist]\nFile2=music/a.wav\nFile1=d.wav\nNumberOfEntries=1\n";

  auto added = cli("playlist add " + q(list) + " " + q(m3u) + " " + q(pls));
  EXPECT_EQ(added.status, 0) << added.all();
  EXPECT_NE(added.out.find(m3u + ": added 3 songs; skipped 2: 1 web address (streams are not "
                                 "played), 1 Windows path\n"),
            std::string::npos)
      << added.out;
  EXPECT_NE(added.out.find(pls + ": added 1 song; skipped 1: 1 song already in the list\n"),
            std::string::npos)
      << added.out;
  EXPECT_NE(added.out.find("added 4 songs; " + list + " holds 4"), std::string::npos) << added.out;
  EXPECT_EQ(listed(list), (std::vector<std::string>{c, b, a, d}));

  auto missing = cli("playlist add " + q(list) + " " + q(dir_.file("none.m3u8")));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no such play list"), std::string::npos) << missing.all();
  fs::create_directories(dir_.file("folder.pls"));
  auto folder = cli("playlist add " + q(list) + " " + q(dir_.file("folder.pls")));
  EXPECT_EQ(folder.status, 0) << folder.all();  // a folder is a folder, whatever its name
  EXPECT_EQ(listed(list), (std::vector<std::string>{c, b, a, d}));
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
  EXPECT_EQ(removed.status, 0) << removed.all();
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
    EXPECT_EQ(sorted.status, 0) << sorted.all();
    EXPECT_EQ(listed(list), s.order);
    PooledList loaded;
    PlayListFile::loadList(loaded.list, wide(list), nullptr);
    EXPECT_EQ(numbers(*loaded), (std::vector<int>{1, 2, 3}));
  }
}

TEST_F(PlaylistCommandTest, WrongUseAndListsThatAreNoListsAreReported) {
  const std::string good = dir_.file("good.mpl"), other = dir_.file("other.mpl");
  ASSERT_EQ(cli("playlist add " + q(good) + " " + q(song("a.wav"))).status, 0);
  const std::string skin = "<SkinSetXml><Skin></Skin></SkinSetXml>";
  std::ofstream(other) << skin;
  ASSERT_EQ(mkfifo(dir_.file("pipe.wav").c_str(), 0600), 0);
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
      {"show " + q(other), 1, "not a play list"},
      {"add " + q(other) + " " + q(dir_.file("a.wav")), 1, "nothing was changed"},
      {"remove-missing " + q(other), 1, "nothing was changed"},
      {"sort " + q(other) + " title", 1, "nothing was changed"},
      {"add " + q(good) + " " + q(dir_.file("absent.wav")), 1, "no such file"},
      {"add " + q(good) + " " + q(dir_.file("pipe.wav")), 1, "not a regular file"},
      {"add " + q(good) + " " + q(other), 1, "not a play list"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    auto result = cli("playlist " + c.args);
    EXPECT_FALSE(result.hung);
    EXPECT_EQ(result.status, c.status) << result.all();
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.all();
  }
  EXPECT_EQ(tag_test_files::readFile(other), skin);
  EXPECT_EQ(listed(good), (std::vector<std::string>{dir_.file("a.wav")}));
}

// A list cut short is worked on with the songs it still holds; the user hears of it on every
// command, and the first command that saves keeps the damaged file beside the list.
TEST_F(PlaylistCommandTest, ADamagedListIsUsedAsFarAsItGoesAndKeptBeforeItIsSaved) {
  const std::string list = dir_.file("damaged.mpl");
  const std::string b = song("b.wav"), a = song("a.wav"), c = song("c.wav");
  ASSERT_EQ(cli("playlist add " + q(list) + " " + q(b) + " " + q(a) + " " + q(c)).status, 0);
  const std::string whole = tag_test_files::readFile(list);
  const std::string cut = whole.substr(0, whole.find("<_2 ") + 20);
  std::ofstream(list, std::ios::trunc) << cut;

  auto shown = cli("playlist show " + q(list));
  EXPECT_EQ(shown.status, 0) << shown.all();
  EXPECT_NE(shown.err.find("is damaged"), std::string::npos) << shown.err;
  EXPECT_NE(shown.out.find("\"path\": \"" + a + "\""), std::string::npos) << shown.out;
  EXPECT_EQ(shown.out.find("\"path\": \"" + c + "\""), std::string::npos) << shown.out;
  EXPECT_EQ(tag_test_files::readFile(list), cut);

  auto sorted = cli("playlist sort " + q(list) + " Title");  // column names in any case
  EXPECT_EQ(sorted.status, 0) << sorted.all();
  EXPECT_NE(sorted.err.find("kept as"), std::string::npos) << sorted.err;
  EXPECT_EQ(listed(list), (std::vector<std::string>{a, b}));
  std::vector<std::string> kept;
  for (const auto& entry : fs::directory_iterator(dir_.path()))
    if (entry.path().filename().string().rfind("damaged.mpl.damaged-", 0) == 0)
      kept.push_back(entry.path().string());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(tag_test_files::readFile(kept[0]), cut);

  auto again = cli("playlist sort " + q(list) + " FILENAME --descending");
  EXPECT_EQ(again.status, 0) << again.all();
  EXPECT_EQ(again.err, "");  // the list is whole now
  EXPECT_EQ(listed(list), (std::vector<std::string>{b, a}));
}

// Saving through a link writes the file it names: the link and the file's permissions stay.
TEST_F(PlaylistCommandTest, AListKeptAsALinkStaysALink) {
  const std::string real = dir_.file("store/real.mpl"), link = dir_.file("link.mpl");
  const std::string a = song("a.wav"), b = song("b.wav");
  ASSERT_EQ(cli("playlist add " + q(real) + " " + q(a)).status, 0);
  ASSERT_EQ(chmod(real.c_str(), 0600), 0);
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  auto added = cli("playlist add " + q(link) + " " + q(b));
  EXPECT_EQ(added.status, 0) << added.all();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(listed(real), (std::vector<std::string>{a, b}));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
