#include "s/sound/RecordPath.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/s/sound/SoundFixtures.h"
#include "tests/support/TempDir.h"

namespace {

using s::sound::RecordPath;
using testing_support::u16;

TEST(RecordPathTest, StoredTextsAreRelativeByTheirForm) {
  const struct {
    const char16_t* text;
    bool relative;
  } cases[] = {
      {u"C:\\a.wav", false}, {u"\\\\server\\music\\a.mp3", false}, {u"/music/a.wav", false},
      {u"/a", false},        {u"a.wav", true},                      {u".\\a.wav", true},
      {u"./a.wav", true},    {u"x.w", true},                        {u"music/a.wav", true},
      {u"", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RecordPath::isRelative(c.text), c.relative)
        << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
}

TEST(RecordPathTest, PathsInsideTheBaseFolderAreSavedRelative) {
  EXPECT_EQ(RecordPath::forSaving(u"/m/list/x/a.mp3", u"/m/list"), u"x/a.mp3");
  EXPECT_EQ(RecordPath::forSaving(u"/m/list/x/a.mp3", u"/m/list/"), u"x/a.mp3");
  EXPECT_EQ(RecordPath::forSaving(u"/m/other/a.mp3", u"/m/list"), u"/m/other/a.mp3");
  EXPECT_EQ(RecordPath::forSaving(u"/m/listing/a.mp3", u"/m/list"), u"/m/listing/a.mp3");
  EXPECT_EQ(RecordPath::forSaving(u"/m/list/a.mp3", u""), u"/m/list/a.mp3");
  EXPECT_EQ(RecordPath::forSaving(u"./a.mp3", u"/m"), u"./a.mp3");
  // The path of a play list file that does not exist (yet) stands for its folder.
  EXPECT_EQ(RecordPath::forSaving(u"/nowhere/list/x/a.mp3", u"/nowhere/list/songs.mpl"), u"x/a.mp3");
  EXPECT_EQ(RecordPath::forSaving(u"/m/list/.hidden.mp3", u"/m/list"), u".hidden.mp3");
  // Names whose relative text would read back as another path keep the full path.
  for (const char16_t* path : {u"/m/list/1: Intro.mp3", u"/m/list/w:x/a.mp3",
                               u"/m/list/AC\\DC.mp3", u"/m/list/x/../a.mp3", u"/m/list/./a.mp3"})
    EXPECT_EQ(RecordPath::forSaving(path, u"/m/list"), path)
        << platform::text::utf16ToUtf8(path);
}

TEST(RecordPathTest, RelativeTextsResolveAgainstTheFoldersThatHoldThem) {
  testing_support::TempDir first, second;
  testing_support::writeBytes(second.file("here.wav"), {1});
  testing_support::writeBytes(first.file("there.wav"), {1});
  const std::u16string a = u16(first.path()), b = u16(second.path());

  // Found beside the second base folder.
  EXPECT_EQ(RecordPath::resolve(u"here.wav", a, b), b + u"/here.wav");
  EXPECT_EQ(RecordPath::resolve(u".\\here.wav", a, b), b + u"/here.wav");
  // Not there: the first base folder is taken whether or not the file exists.
  EXPECT_EQ(RecordPath::resolve(u"there.wav", a, b), a + u"/there.wav");
  EXPECT_EQ(RecordPath::resolve(u"sub\\gone.wav", a, b), a + u"/sub/gone.wav");
  // Play list file paths stand for their folders.
  EXPECT_EQ(RecordPath::resolve(u"here.wav", a + u"/old.mpl", b + u"/new.mpl"), b + u"/here.wav");
  EXPECT_EQ(RecordPath::resolve(u"there.wav", a + u"/old.mpl", b + u"/new.mpl"), a + u"/there.wav");
  // The first base folder is gone or was never given: the second one, where the list lies now,
  // holds the song even though its file is missing, so the path stays a path of that folder.
  EXPECT_EQ(RecordPath::resolve(u"gone.wav", a + u"/missing/old.mpl", b + u"/new.mpl"),
            b + u"/gone.wav");
  EXPECT_EQ(RecordPath::resolve(u"sub/gone.wav", u"", b + u"/"), b + u"/sub/gone.wav");
  EXPECT_EQ(RecordPath::resolve(u".", u"", b + u"/"), b);
  // No usable folder: the text as it stands.
  EXPECT_EQ(RecordPath::resolve(u"gone.wav", a + u"/missing", u""), u"gone.wav");
  // Absolute texts are never touched, Windows ones included.
  EXPECT_EQ(RecordPath::resolve(u"C:\\music\\a.wav", a, b), u"C:\\music\\a.wav");
  EXPECT_EQ(RecordPath::resolve(u"/music/a.wav", a, b), u"/music/a.wav");
}

// Whatever a stored text resolves to, the list writes back a text that resolves to the same
// path, or each save and load of the list would move the song.
TEST(RecordPathTest, AResolvedPathIsStoredAsATextThatResolvesToItAgain) {
  testing_support::TempDir list;
  const std::u16string folder = u16(list.path());
  const std::u16string listFile = folder + u"/list.mpl";
  const struct {
    const char16_t* text;
    std::u16string resolved;
  } cases[] = {
      {u"C:\\", folder + u"/C:"},  // short enough to be relative, though it reads as a drive
      {u"d:/", folder + u"/d:"},
      {u"\\\\a", folder + u"/a"},
      {u".", folder},
      {u"a\\..\\b.wav", folder + u"/b.wav"},
      {u"../up.wav", u16(std::filesystem::path(list.path()).parent_path().string()) + u"/up.wav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    const std::u16string resolved = RecordPath::resolve(c.text, listFile, u"");
    EXPECT_EQ(resolved, c.resolved);
    const std::u16string stored = RecordPath::forSaving(resolved, listFile);
    EXPECT_EQ(RecordPath::resolve(stored, listFile, u""), resolved)
        << "stored as " << platform::text::utf16ToUtf8(stored);
  }
}

}  // namespace
