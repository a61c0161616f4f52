#include "s/sound/gui/dialogs/player/PlayListFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"

namespace {

using namespace playlist_test;
using s::sound::gui::dialogs::player::PlayListFile;
using s::sound::mp3::TagFields;
using s::system::codepage::CodePageList;
using tag_test_files::readFile;
using tag_test_files::run;
using tag_test_files::shellWord;
namespace fs = std::filesystem;

using Mp3Info = s::sound::mp3::win::Info;

const char kShiftJis[] = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語 in Shift_JIS
const char kCp1251[] = "\xcf\xf0\xe8\xe2\xe5\xf2";    // Привет in Windows-1251

s::lang::Localizer* texts() {
  static std::unique_ptr<s::lang::Localizer> table = s::lang::Localizer::createFromResource();
  return table.get();
}

void writeText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

bool save(PlayList* list, const std::string& path, s::gui::win::ListBox2* view = nullptr) {
  return PlayListFile::saveList(texts(), list, wide(path), view);
}

class PlayListFileTest : public ::testing::Test {
 protected:
  PlayList::Row* add(PlayList* list, const std::string& path) {
    if (!fs::exists(path)) {
      EXPECT_TRUE(makeSong(path)) << path;
    }
    return list->addFile(nullptr, wide(path), nullptr, nullptr, nullptr, nullptr, -1);
  }
  testing_support::TempDir dir_;
};

TEST_F(PlayListFileTest, ASavedListLoadsWithItsSongsOrderNumbersTagsAndCodePages) {
  const std::string japanese = dir_.file("songs/j.mp3"), russian = dir_.file("songs/r.mp3"),
                    wave = dir_.file("songs/w.wav");
  ASSERT_TRUE(makeSong(japanese) && makeSong(russian) && makeSong(wave));
  ASSERT_TRUE(run("id3v2 -t " + shellWord(kShiftJis) + " -A Album " + japanese));
  ASSERT_TRUE(run("id3v2 -a " + shellWord(kCp1251) + " -g 17 " + russian));
  PooledList list;
  for (const std::string& path : {russian, wave, japanese}) ASSERT_NE(add(list.list, path), nullptr);
  auto* r = dynamic_cast<Mp3Info*>(list->getSong(0));
  auto* j = dynamic_cast<Mp3Info*>(list->getSong(2));
  ASSERT_TRUE(r && j);
  j->setCodePage(CodePageList::byNumber(932), true);
  r->setArtistCodePage(CodePageList::byNumber(1251), false);
  ASSERT_EQ(j->getTitle(), u"日本語");
  ASSERT_EQ(r->getArtist(), u"Привет");
  list->getSong(1)->setVolumeBoost(40);
  // Numbers as a list has them after removals and reorderings: neither contiguous nor sorted.
  const std::vector<int> saved{7, 2, 9};
  for (int i = 0; i < 3; ++i) list->getSong(i)->setSongNumber(saved[static_cast<std::size_t>(i)]);

  const std::string file = dir_.file("lists/mine.mpl");
  ASSERT_TRUE(save(list.list, file));
  EXPECT_FALSE(fs::exists(file + ".tmp"));

  PooledList loaded;
  PlayListFile::LoadResult result = PlayListFile::loadList(loaded.list, wide(file), nullptr);
  EXPECT_EQ(result.status, PlayListFile::LoadResult::kLoaded);
  EXPECT_EQ(result.added, 3);
  EXPECT_EQ(paths(*loaded), (std::vector<std::string>{russian, wave, japanese}));
  EXPECT_EQ(numbers(*loaded), saved);
  EXPECT_EQ(loaded->getNextSongNumber(), 10);
  EXPECT_EQ(loaded->getSong(1)->getFileType(), u"wav");
  EXPECT_EQ(loaded->getSong(1)->getVolumeBoost(), 40);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    IInfo* before = list->getSong(i);
    IInfo* after = loaded->getSong(i);
    EXPECT_EQ(after->getPlayTimeMs(), before->getPlayTimeMs());
    EXPECT_EQ(after->getSampleRate(), before->getSampleRate());
    EXPECT_EQ(after->isStereo(), before->isStereo());
    auto* mp3Before = dynamic_cast<Mp3Info*>(before);
    auto* mp3After = dynamic_cast<Mp3Info*>(after);
    ASSERT_EQ(mp3Before != nullptr, mp3After != nullptr);
    if (!mp3After) continue;
    EXPECT_EQ(mp3After->getBitRateKbps(), mp3Before->getBitRateKbps());
    for (int field = 0; field < TagFields::kCount; ++field) {
      SCOPED_TRACE(field);
      EXPECT_EQ(mp3After->getTag(field).view(), mp3Before->getTag(field).view());
      const auto& a = mp3After->getTagBytes(field);
      const auto& b = mp3Before->getTagBytes(field);
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.bytes()), a.size()),
                std::string(reinterpret_cast<const char*>(b.bytes()), b.size()));
      if (mp3Before->hasTag(field)) {
        EXPECT_EQ(mp3After->getTagCodePage(field), mp3Before->getTagCodePage(field));
      }
    }
  }
  EXPECT_EQ(loaded->getSong(2)->getTitle(), u"日本語");
  EXPECT_EQ(loaded->getSong(2)->getTitleCodePage()->getNumber(), 932u);
  EXPECT_EQ(loaded->getSong(0)->getArtist(), u"Привет");

  // Into a list that has songs, the file's songs continue its numbering.
  PooledList busy;
  ASSERT_NE(add(busy.list, dir_.file("other.wav")), nullptr);
  PlayListFile::loadList(busy.list, wide(file), nullptr);
  EXPECT_EQ(numbers(*busy), (std::vector<int>{1, 2, 3, 4}));
}

// Songs beside their list are written relative to it, so list and songs can move together; a
// list copied away from its songs still finds them where it was written.
TEST_F(PlayListFileTest, RelativeSongPathsFollowTheListOrWhereItWasWritten) {
  const std::string folder = dir_.file("A"), inside = dir_.file("A/sub/in.wav"),
                    beside = dir_.file("A/beside.wav"), outside = dir_.file("elsewhere/out.wav");
  PooledList list;
  for (const std::string& path : {inside, beside, outside}) ASSERT_NE(add(list.list, path), nullptr);
  ASSERT_TRUE(save(list.list, folder + "/list.mpl"));
  const std::string text = readFile(folder + "/list.mpl");
  EXPECT_NE(text.find("filePath=\"sub/in.wav\""), std::string::npos) << text;
  EXPECT_NE(text.find("filePath=\"beside.wav\""), std::string::npos) << text;
  EXPECT_NE(text.find("filePath=\"" + outside + "\""), std::string::npos) << text;

  // Copied away while the songs stay: they are found where the list was written.
  fs::create_directories(dir_.file("away"));
  fs::copy_file(folder + "/list.mpl", dir_.file("away/copy.mpl"));
  PooledList copied;
  PlayListFile::loadList(copied.list, wide(dir_.file("away/copy.mpl")), nullptr);
  EXPECT_EQ(paths(*copied), (std::vector<std::string>{inside, beside, outside}));

  // Moved together with its songs: they are found beside it in the new place.
  fs::rename(folder, dir_.file("B"));
  PooledList moved;
  PlayListFile::loadList(moved.list, wide(dir_.file("B/list.mpl")), nullptr);
  EXPECT_EQ(paths(*moved), (std::vector<std::string>{dir_.file("B/sub/in.wav"),
                                                     dir_.file("B/beside.wav"), outside}));
}

// Hand-written files: counts and numbers in a file are not trusted, and only the entries that
// are there are read.
TEST_F(PlayListFileTest, EntriesAreReadAsTheyAreThereWhateverTheCountsSay) {
  auto entry = [](const std::string& name, const std::string& attributes) {
    return "<" + name + " " + attributes + "></" + name + ">";
  };
  auto wav = [&](int i, const std::string& path, const std::string& more = "") {
    return entry("_" + std::to_string(i), "type=\"wav\" filePath=\"" + path + "\" " + more);
  };
  auto document = [](const std::string& length, const std::string& entries) {
    return "<PlayListXml><Generator Application=\"x\"></Generator><PlayList length=\"" + length +
           "\" filePath=\"/nowhere/l.mpl\">" + entries + "</PlayList></PlayListXml>";
  };
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> songs;
    std::vector<int> numbers;
    int next;
  } cases[] = {
      {"length beyond the entries", document("5", wav(0, "/m/a.wav") + wav(1, "/m/b.wav")),
       {"/m/a.wav", "/m/b.wav"}, {1, 2}, 3},
      {"the largest length", document("2147483647", wav(0, "/m/a.wav") + wav(1, "/m/b.wav")),
       {"/m/a.wav", "/m/b.wav"}, {1, 2}, 3},
      {"a negative length", document("-3", wav(0, "/m/a.wav")), {}, {}, 1},
      {"entries past the length", document("1", wav(0, "/m/a.wav") + wav(1, "/m/b.wav")),
       {"/m/a.wav"}, {1}, 2},
      {"entries out of order and a gap", document("4", wav(3, "/m/d.wav") + wav(0, "/m/a.wav")),
       {"/m/a.wav", "/m/d.wav"}, {1, 2}, 3},
      {"types in any case, unknown and missing ones skipped",
       document("4", entry("_0", "type=\"MP3\" filePath=\"/m/a.mp3\"") +
                         entry("_1", "type=\"ogg\" filePath=\"/m/b.ogg\"") +
                         entry("_2", "filePath=\"/m/c.wav\"") + wav(3, "/m/d.wav")),
       {"/m/a.mp3", "/m/d.wav"}, {1, 2}, 3},
      {"names that are not the writer's", document("3", entry("_01", "type=\"wav\" filePath=\"/m/x.wav\"") +
                                                            entry("_+2", "type=\"wav\" filePath=\"/m/y.wav\"") +
                                                            wav(1, "/m/b.wav")),
       {"/m/b.wav"}, {1}, 2},
      {"one path twice is one song", document("2", wav(0, "/m/a.wav") + wav(1, "/m/a.wav")),
       {"/m/a.wav"}, {1}, 3},
      {"paths differing in case are two songs",
       document("2", wav(0, "/m/Song.wav") + wav(1, "/m/song.wav")),
       {"/m/Song.wav", "/m/song.wav"}, {1, 2}, 3},
      {"kept numbers, the largest one included",
       document("3", wav(0, "/m/a.wav", "songNumber=\"2147483647\"") +
                         wav(1, "/m/b.wav", "songNumber=\"5\"") + wav(2, "/m/c.wav")),
       {"/m/a.wav", "/m/b.wav", "/m/c.wav"}, {INT_MAX, 5, INT_MAX}, INT_MAX},
      {"a negative number is replaced", document("1", wav(0, "/m/a.wav", "songNumber=\"-7\"")),
       {"/m/a.wav"}, {1}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir_.file("case.mpl");
    writeText(file, c.text);
    PooledList list;
    PlayListFile::LoadResult result = PlayListFile::loadList(list.list, wide(file), nullptr);
    EXPECT_EQ(result.status, PlayListFile::LoadResult::kLoaded) << result.reason;
    EXPECT_EQ(paths(*list), c.songs);
    EXPECT_EQ(numbers(*list), c.numbers);
    EXPECT_EQ(list->getNextSongNumber(), c.next);
  }
  PooledList list;
  writeText(dir_.file("mp3.mpl"), document("1", entry("_0", "type=\"Mp3\" filePath=\"/m/a.mp3\"")));
  PlayListFile::loadList(list.list, wide(dir_.file("mp3.mpl")), nullptr);
  ASSERT_EQ(list->getSongCount(), 1);
  EXPECT_NE(dynamic_cast<Mp3Info*>(list->getSong(0)), nullptr);
}

// A file that is there but is no play list is reported, opens as an empty list, and is never
// written over; a missing or empty file is simply an empty list.
TEST_F(PlayListFileTest, AFileThatCannotBeReadIsReportedAndKept) {
  PooledList good;
  ASSERT_NE(add(good.list, dir_.file("a.wav")), nullptr);
  ASSERT_NE(add(good.list, dir_.file("b.wav")), nullptr);
  ASSERT_TRUE(save(good.list, dir_.file("good.mpl")));
  const std::string whole = readFile(dir_.file("good.mpl"));

  struct Case {
    const char* name;
    std::string content;  // written to the file; "<folder>" makes a folder
    PlayListFile::LoadResult::Status status;
    const char* reason;
  } cases[] = {
      {"another document", "<SkinSetXml><Skin></Skin></SkinSetXml>",
       PlayListFile::LoadResult::kFailed, "not a play list"},
      {"a folder", "<folder>", PlayListFile::LoadResult::kFailed, "cannot be read"},
      {"empty (a new list)", "", PlayListFile::LoadResult::kLoaded, ""},
      {"white space", " \n\t", PlayListFile::LoadResult::kLoaded, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir_.file(std::string("case ") + c.name + ".mpl");
    if (c.content == "<folder>")
      fs::create_directories(file);
    else
      writeText(file, c.content);
    PlayListFile::LoadResult result;
    PlayList* list = PlayListFile::openListFile(wide(file), &result);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.reason.find(c.reason), std::string::npos) << result.reason;
    EXPECT_EQ(list->getSongCount(), 0);
    EXPECT_EQ(list->getFilePath(), wide(file));
    EXPECT_EQ(list->hasLoadFailed(), c.status == PlayListFile::LoadResult::kFailed);
    EXPECT_EQ(list->getLoadFailure(), result.reason);
    ASSERT_NE(add(list, dir_.file("new.wav")), nullptr);
    std::string why;
    const bool written = PlayListFile::saveList(texts(), list, wide(file), nullptr, &why);
    EXPECT_EQ(written, !list->hasLoadFailed()) << why;
    if (!written) {
      EXPECT_NE(why.find("not written"), std::string::npos) << why;
      if (c.content != "<folder>") {
        EXPECT_EQ(readFile(file), c.content);
      }
      // A copy elsewhere ("Save as") is still possible.
      EXPECT_TRUE(save(list, file + ".rescued.mpl"));
    }
    list->release();
  }

  if (geteuid() != 0) {  // root reads whatever the permissions say
    const std::string locked = dir_.file("locked.mpl");
    fs::copy_file(dir_.file("good.mpl"), locked);
    chmod(locked.c_str(), 0);
    PlayListFile::LoadResult result = PlayListFile::loadList(good.list, wide(locked), nullptr);
    EXPECT_TRUE(result.failed());
    EXPECT_NE(result.reason.find("ermission"), std::string::npos) << result.reason;
  }

  PlayListFile::LoadResult missing;
  PlayList* list = PlayListFile::openListFile(wide(dir_.file("none.mpl")), &missing);
  EXPECT_EQ(missing.status, PlayListFile::LoadResult::kNoFile);
  EXPECT_FALSE(list->hasLoadFailed());
  EXPECT_EQ(list->getFileTitle(), u"none");
  list->release();
}

// A list file cut short (a crash, a full disk) or broken shows the songs that can be read, tells
// the user once, and is kept beside the list before the list is first saved over it.
TEST_F(PlayListFileTest, ADamagedFileGivesTheSongsItCanReadAndIsKeptBeforeASave) {
  PooledList good;
  const std::vector<std::string> songs = {dir_.file("a.wav"), dir_.file("b.wav"), dir_.file("c.wav")};
  for (const std::string& song : songs) ASSERT_NE(add(good.list, song), nullptr);
  ASSERT_TRUE(save(good.list, dir_.file("good.mpl")));
  const std::string whole = readFile(dir_.file("good.mpl"));
  const std::size_t thirdEntry = whole.find("<_2 ");
  // Songs beside the list are written relative to it.
  const std::size_t thirdPath = whole.find("\"c.wav\"", thirdEntry);
  ASSERT_NE(thirdEntry, std::string::npos);
  ASSERT_NE(thirdPath, std::string::npos);

  struct Case {
    const char* name;
    std::string content;
    std::vector<std::string> read;
  } cases[] = {
      {"cut between two entries", whole.substr(0, thirdEntry), {songs[0], songs[1]}},
      // The third entry holds half its path; it is no song.
      {"cut inside a path", whole.substr(0, thirdPath + 3), {songs[0], songs[1]}},
      {"cut inside the last end tag", whole.substr(0, whole.size() - 3), songs},
      {"no XML at all", "ID3\x03garbage", {}},
      {"only a comment", "<!-- nothing -->", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir_.file(std::string("case ") + c.name + ".mpl");
    writeText(file, c.content);
    PlayListFile::LoadResult result;
    PlayList* list = PlayListFile::openListFile(wide(file), &result);
    EXPECT_EQ(result.status, PlayListFile::LoadResult::kDamaged);
    EXPECT_NE(result.reason.find("damaged"), std::string::npos) << result.reason;
    EXPECT_EQ(paths(*list), c.read);
    EXPECT_FALSE(list->hasLoadFailed());
    const std::string notice = list->takeNotice();
    EXPECT_NE(notice.find("damaged"), std::string::npos) << notice;
    EXPECT_NE(notice.find(".damaged-"), std::string::npos) << notice;
    EXPECT_EQ(list->takeNotice(), "");  // told once
    const std::string kept = narrow(list->getDamagedCopyPath());
    EXPECT_EQ(kept.rfind(file + ".damaged-", 0), 0u) << kept;
    EXPECT_EQ(readFile(file), c.content);  // reading changes nothing

    ASSERT_NE(add(list, dir_.file("new.wav")), nullptr);
    std::string why;
    ASSERT_TRUE(PlayListFile::saveList(texts(), list, wide(file), nullptr, &why)) << why;
    EXPECT_EQ(readFile(kept), c.content);
    PooledList back;
    EXPECT_EQ(PlayListFile::loadList(back.list, wide(file), nullptr).status,
              PlayListFile::LoadResult::kLoaded);
    EXPECT_EQ(back->getSongCount(), static_cast<int>(c.read.size()) + 1);
    // Kept once: a later save writes over the list as usual.
    fs::remove(kept);
    ASSERT_TRUE(PlayListFile::saveList(texts(), list, wide(file), nullptr, &why)) << why;
    EXPECT_FALSE(fs::exists(kept));
    list->release();
  }
}

// A list kept as a link to a file elsewhere stays a link, and the file keeps its permissions.
TEST_F(PlayListFileTest, SavingALinkedListWritesTheFileItNamesWithItsPermissions) {
  PooledList list;
  ASSERT_NE(add(list.list, dir_.file("a.wav")), nullptr);
  const std::string real = dir_.file("store/real.mpl"), link = dir_.file("link.mpl");
  ASSERT_TRUE(save(list.list, real));
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(symlink("store/real.mpl", link.c_str()), 0);  // relative, as users make them

  ASSERT_NE(add(list.list, dir_.file("b.wav")), nullptr);
  ASSERT_TRUE(save(list.list, link));
  EXPECT_TRUE(fs::is_symlink(link));
  struct stat info;
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  PooledList back;
  PlayListFile::loadList(back.list, wide(real), nullptr);
  EXPECT_EQ(back->getSongCount(), 2);
  EXPECT_FALSE(fs::exists(link + ".tmp"));
  EXPECT_FALSE(fs::exists(real + ".tmp"));

  // A link whose file is not there yet: the list is made where the link points.
  const std::string dangling = dir_.file("later.mpl");
  ASSERT_EQ(symlink("store/later-real.mpl", dangling.c_str()), 0);
  ASSERT_TRUE(save(list.list, dangling));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_TRUE(fs::is_regular_file(dir_.file("store/later-real.mpl")));
}

TEST_F(PlayListFileTest, TheDocumentHasTheListLayout) {
  PooledList list;
  const std::string song = dir_.file("a.wav");
  ASSERT_NE(add(list.list, song), nullptr);
  list->getSong(0)->setVolumeBoost(15);
  const std::string file = dir_.file("new folder/one.mpl");  // the folder is made
  ASSERT_TRUE(save(list.list, file));
  const std::string generator =
      "<Generator Application=\"" + platform::text::utf16ToUtf8(texts()->getText(500000)) +
      "\" Version=\"" + platform::text::utf16ToUtf8(texts()->getText(500010)) + "\" URL=\"" +
      platform::text::utf16ToUtf8(texts()->getText(500003)) + "\"></Generator>";
  EXPECT_EQ(readFile(file),
            "<PlayListXml>" + generator + "<PlayList length=\"1\" filePath=\"" + file +
                "\"><_0 type=\"wav\" filePath=\"" + song +
                "\" songNumber=\"1\" playTimeMilliSec=\"200\" isStereo=\"0\" sampleRate=\"8000\""
                " individualVolumeBoost=\"15\"></_0></PlayList></PlayListXml>");

  PooledList empty;
  ASSERT_TRUE(save(empty.list, dir_.file("empty.mpl")));
  EXPECT_EQ(readFile(dir_.file("empty.mpl")),
            "<PlayListXml>" + generator + "<PlayList length=\"0\" filePath=\"" +
                dir_.file("empty.mpl") + "\"></PlayList></PlayListXml>");
}

TEST_F(PlayListFileTest, SavingClearsAStaleTemporaryFileAndAFailedSaveKeepsTheOldList) {
  PooledList list;
  ASSERT_NE(add(list.list, dir_.file("a.wav")), nullptr);
  const std::string file = dir_.file("list.mpl");
  ASSERT_TRUE(save(list.list, file));
  const std::string before = readFile(file);

  // Left by a save that was killed: removed, never mistaken for the list.
  writeText(file + ".tmp", "<PlayListXml><PlayList length=\"9\"");
  ASSERT_NE(add(list.list, dir_.file("b.wav")), nullptr);
  ASSERT_TRUE(save(list.list, file));
  EXPECT_FALSE(fs::exists(file + ".tmp"));
  PooledList back;
  PlayListFile::loadList(back.list, wide(file), nullptr);
  EXPECT_EQ(back->getSongCount(), 2);

  // The ".tmp" cannot be written (a folder stands in its way): the list stays as it was.
  const std::string blocked = dir_.file("blocked.mpl");
  writeText(blocked, before);
  fs::create_directories(blocked + ".tmp/inside");
  std::string why;
  EXPECT_FALSE(PlayListFile::saveList(texts(), list.list, wide(blocked), nullptr, &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(readFile(blocked), before);

  // The target is a folder: nothing replaces it and no ".tmp" is left behind.
  const std::string folder = dir_.file("folder.mpl");
  fs::create_directories(folder);
  EXPECT_FALSE(PlayListFile::saveList(texts(), list.list, wide(folder), nullptr, &why));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_FALSE(fs::exists(folder + ".tmp"));
}

// With a view the file follows the order the user sees.
TEST_F(PlayListFileTest, SavingWithASortedViewWritesTheViewsOrder) {
  PooledList list;
  s::gui::win::ListBox2* view = s::gui::win::ListBox2::create();
  s::sound::gui::dialogs::player::addSongColumns(*view, nullptr);
  for (const char* name : {"b.wav", "c.wav", "a.wav"}) {
    ASSERT_TRUE(makeSong(dir_.file(name)));
    list->addFile(nullptr, wide(dir_.file(name)), view, nullptr, nullptr, nullptr, -1);
  }
  view->clickColumn(1);
  view->clickColumn(1);  // descending
  ASSERT_TRUE(save(list.list, dir_.file("sorted.mpl"), view));
  PooledList back;
  PlayListFile::loadList(back.list, wide(dir_.file("sorted.mpl")), nullptr);
  EXPECT_EQ(paths(*back),
            (std::vector<std::string>{dir_.file("c.wav"), dir_.file("b.wav"), dir_.file("a.wav")}));
  EXPECT_EQ(numbers(*back), (std::vector<int>{2, 1, 3}));  // numbers stay until renumbered
  view->removeAll();
  view->release();
}

// A song's path as a list file states it, through a load, a save and another load: the second
// load must find the song where the first one put it, wherever that is.
TEST_F(PlayListFileTest, ALoadedSongSavesAndLoadsAgainAtTheSamePath) {
  const std::string folder = dir_.file("lists");
  const std::string file = folder + "/case.mpl";
  struct Case {
    const char* name;
    const char* writtenAs;  // the list's own "filePath"; null: the file where it lies
    std::string text;       // the song's "filePath"
    std::string path;       // where the song is after the first load
  } cases[] = {
      {"written in a folder that is gone, the song missing", "/nowhere/old.mpl", "gone.wav",
       folder + "/gone.wav"},
      {"written without a path of its own", "", "sub\\gone.wav", folder + "/sub/gone.wav"},
      {"a text too short to be a drive", nullptr, "C:\\", folder + "/C:"},
      {"a text too short to be a server", nullptr, "\\\\a", folder + "/a"},
      {"the list's folder itself", nullptr, ".", folder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string writtenAs =
        c.writtenAs ? std::string(" filePath=\"") + c.writtenAs + "\"" : std::string();
    writeText(file, "<PlayListXml><PlayList length=\"1\"" + writtenAs +
                        "><_0 type=\"wav\" filePath=\"" + c.text +
                        "\"></_0></PlayList></PlayListXml>");
    PooledList first;
    PlayListFile::loadList(first.list, wide(file), nullptr);
    EXPECT_EQ(paths(*first), std::vector<std::string>{c.path});
    ASSERT_TRUE(save(first.list, folder + "/again.mpl"));
    PooledList second;
    PlayListFile::loadList(second.list, wide(folder + "/again.mpl"), nullptr);
    EXPECT_EQ(paths(*second), std::vector<std::string>{c.path});
  }

  // Songs beside the list whose names, written relative, would read as a drive or a subfolder.
  PooledList odd;
  const std::vector<std::string> songs{folder + "/1: Intro.wav", folder + "/AC\\DC.wav"};
  for (const std::string& song : songs) ASSERT_NE(add(odd.list, song), nullptr);
  ASSERT_TRUE(save(odd.list, folder + "/odd.mpl"));
  PooledList back;
  PlayListFile::loadList(back.list, wide(folder + "/odd.mpl"), nullptr);
  EXPECT_EQ(paths(*back), songs);
}

}  // namespace
