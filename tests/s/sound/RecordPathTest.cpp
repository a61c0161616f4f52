#include "s/sound/RecordPath.h"

#include <gtest/gtest.h>

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
  // No usable folder: the text as it stands.
  EXPECT_EQ(RecordPath::resolve(u"gone.wav", a + u"/missing", u""), u"gone.wav");
  // Absolute texts are never touched, Windows ones included.
  EXPECT_EQ(RecordPath::resolve(u"C:\\music\\a.wav", a, b), u"C:\\music\\a.wav");
  EXPECT_EQ(RecordPath::resolve(u"/music/a.wav", a, b), u"/music/a.wav");
}

}  // namespace
