#include <gtest/gtest.h>

#include <string>

#include "platform/text/Utf.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"
#include "tests/s/sound/mp3/TagTestFiles.h"

namespace {

using s::sound::mp3::TagFields;
using s::sound::mp3::win::Info;
using s::system::codepage::CodePageList;
using namespace tag_test_files;

const char kShiftJis[] = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語
const char kCp1251[] = "\xcf\xf0\xe8\xe2\xe5\xf2";    // Привет

std::string bytesOf(const Info& info, int field) {
  const auto& bytes = info.getTagBytes(field);
  return std::string(reinterpret_cast<const char*>(bytes.bytes()), bytes.size());
}

class InfoTagReading : public ::testing::Test {
 protected:
  std::string fresh(const std::string& name) {
    std::string path = dir_.file(name);
    EXPECT_TRUE(makeMp3(path));
    return path;
  }
  bool load(Info& info, const std::string& path) {
    return info.load(platform::text::fileNameToUtf16(path));
  }

  testing_support::TempDir dir_;
};

TEST_F(InfoTagReading, LocalCodePageBytesMarkedLatin1ReadCorrectlyOnceTheirCodePageIsChosen) {
  std::string path = fresh("id3v2.mp3");
  ASSERT_TRUE(run("id3v2 -t " + shellWord(kShiftJis) + " -a " + shellWord(kCp1251) +
                  " -A Album -y 1999 -T 3/12 -g 17 -c Comment " + path));
  Info info;
  ASSERT_TRUE(load(info, path));
  // The bytes are kept exactly as they stand in the file, with their terminator.
  EXPECT_EQ(bytesOf(info, TagFields::kTitle), std::string(kShiftJis) + '\0');
  EXPECT_EQ(info.getTagEncoding(TagFields::kTitle), 0);
  EXPECT_EQ(info.getTag(TagFields::kAlbum).view(), u"Album");
  EXPECT_EQ(info.getTag(TagFields::kYear).view(), u"1999");
  EXPECT_EQ(info.getTag(TagFields::kTrack).view(), u"3/12");
  EXPECT_EQ(info.getTag(TagFields::kGenre).view(), u"Rock");
  EXPECT_EQ(info.getTag(TagFields::kComment).view(), u"Comment");

  info.setCodePage(CodePageList::byNumber(1252), true);
  EXPECT_EQ(info.getTitle(), u"“ú–{Œê");
  EXPECT_EQ(info.getEffectiveCodePage()->getNumber(), 1252u);

  info.setCodePage(CodePageList::byNumber(932), true);
  EXPECT_EQ(info.getTitle(), u"日本語");
  EXPECT_EQ(info.getTag(TagFields::kAlbum).view(), u"Album");
  EXPECT_EQ(info.getTagCodePage(TagFields::kTitle)->getNumber(), 932u);

  info.setArtistCodePage(CodePageList::byNumber(1251), true);
  EXPECT_EQ(info.getArtist(), u"Привет");
  EXPECT_EQ(info.getArtistCodePage()->getNumber(), 1251u);
  EXPECT_EQ(info.getArtistCodePageChoice()->getNumber(), 1251u);
  EXPECT_EQ(info.getTitleCodePage()->getNumber(), 932u);  // other tags keep theirs
  EXPECT_TRUE(info.isTagForced(TagFields::kArtist));
}

TEST_F(InfoTagReading, ACodePageChosenBeforeLoadingDecodesLatin1Frames) {
  std::string path = fresh("sjis.mp3");
  ASSERT_TRUE(run("id3v2 -t " + shellWord(kShiftJis) + " " + path));
  Info forced;
  forced.setCodePage(CodePageList::byNumber(932), true);
  ASSERT_TRUE(load(forced, path));
  EXPECT_EQ(forced.getTitle(), u"日本語");
  EXPECT_EQ(forced.getTagCodePage(TagFields::kTitle)->getNumber(), 932u);

  Info perTag;
  perTag.setTagCodePage(TagFields::kTitle, CodePageList::byNumber(932), true);
  ASSERT_TRUE(load(perTag, path));
  EXPECT_EQ(perTag.getTitle(), u"日本語");
}

TEST_F(InfoTagReading, UnicodeFramesFromMutagenAndFfmpegReadAsTheyAre) {
  struct Case {
    const char* name;
    std::string command;
    int encoding;
  } cases[] = {
      {"mid3v2-24.mp3", "mid3v2 -t '日本語 😀' -a 'Ünïcødé' -g '(17)' -c 'комментарий'", 3},
      {"mutagen-23.mp3", "", 1},
      {"ffmpeg.mp3", "", 1},
      {"mutagen-utf16be.mp3", "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = fresh(c.name);
    if (c.encoding == 2 || std::string(c.name) == "mutagen-23.mp3") {
      int e = c.encoding;
      ASSERT_TRUE(writeWithMutagen(
          path,
          "TIT2(encoding=" + std::to_string(e) + ", text='日本語 😀'), TPE1(encoding=" +
              std::to_string(e) + ", text='Ünïcødé'), TCON(encoding=" + std::to_string(e) +
              ", text='(17)'), COMM(encoding=" + std::to_string(e) +
              ", lang='eng', desc='', text='комментарий')",
          e == 2 ? 4 : 3));
    } else if (c.command.empty()) {
      std::string tagged = dir_.file(std::string("tagged-") + c.name);
      ASSERT_TRUE(run("ffmpeg -nostdin -loglevel error -i " + path +
                      " -c copy -id3v2_version 3 -metadata 'title=日本語 😀' -metadata "
                      "'artist=Ünïcødé' -metadata 'genre=Rock' " + tagged));
      path = tagged;
    } else {
      ASSERT_TRUE(run(c.command + " " + path));
    }
    Info info;
    info.setCodePage(CodePageList::byNumber(1252), false);
    ASSERT_TRUE(load(info, path));
    EXPECT_EQ(info.getTitle(), u"日本語 😀");
    EXPECT_EQ(info.getTagEncoding(TagFields::kTitle), c.encoding);
    EXPECT_EQ(info.getTag(TagFields::kGenre).view(), u"Rock");
    // ffmpeg keeps a comment in a TXXX frame, which is no comment frame.
    if (std::string(c.name) != "ffmpeg.mp3") {
      EXPECT_EQ(info.getTag(TagFields::kComment).view(), u"комментарий");
    }
    // Whatever the record's code page, Unicode frames keep their own encoding.
    EXPECT_EQ(info.getTagCodePage(TagFields::kTitle)->getNumber(),
              c.encoding == 3 ? 65001u : c.encoding == 2 ? 1201u : 1200u);
  }
}

TEST_F(InfoTagReading, LameTagsAndId3v1OnlyFilesRead) {
  std::string both = dir_.file("lame.mp3"), v1 = dir_.file("lame-v1.mp3");
  const std::string tags = "--tt 'Lame Title' --ta 'Lame Artist' --tl Album --ty 2001 --tn 5 "
                           "--tg Jazz --tc 'A comment'";
  ASSERT_TRUE(makeMp3WithLame(both, tags + " --add-id3v2"));
  ASSERT_TRUE(makeMp3WithLame(v1, tags + " --id3v1-only"));
  for (const std::string& path : {both, v1}) {
    SCOPED_TRACE(path);
    Info info;
    ASSERT_TRUE(load(info, path));
    EXPECT_EQ(info.getTitle(), u"Lame Title");
    EXPECT_EQ(info.getTag(TagFields::kArtist).view(), u"Lame Artist");
    EXPECT_EQ(info.getTag(TagFields::kAlbum).view(), u"Album");
    EXPECT_EQ(info.getTag(TagFields::kYear).view(), u"2001");
    EXPECT_EQ(info.getTag(TagFields::kTrack).view(), u"5");
    EXPECT_EQ(info.getTag(TagFields::kGenre).view(), u"Jazz");
    EXPECT_EQ(info.getTag(TagFields::kComment).view(), u"A comment");
  }
  EXPECT_NE(readFile(v1).compare(0, 3, "ID3"), 0);  // no ID3v2 tag at all
}

TEST_F(InfoTagReading, UntaggedMissingAndDeselectedTags) {
  Info info;
  std::string plain = fresh("plain.mp3");
  EXPECT_TRUE(load(info, plain));
  for (int field = 0; field < TagFields::kCount; ++field) EXPECT_FALSE(info.hasTag(field));
  EXPECT_EQ(info.getFileName(), u"plain.mp3");
  EXPECT_EQ(info.getBaseName(), u"plain");

  EXPECT_FALSE(load(info, dir_.file("missing.mp3")));
  EXPECT_EQ(info.getPath(), platform::text::fileNameToUtf16(dir_.file("missing.mp3")));
  EXPECT_FALSE(load(info, dir_.path()));  // a folder

  std::string tagged = fresh("tagged.mp3");
  ASSERT_TRUE(run("id3v2 -t Title -a Artist " + tagged));
  // Loading the same record again after the title was removed from the file: no old bytes
  // linger to come back at the next code page choice.
  ASSERT_TRUE(load(info, tagged));
  EXPECT_EQ(info.getTitle(), u"Title");
  ASSERT_TRUE(run("id3v2 -r TIT2 " + tagged));
  ASSERT_TRUE(load(info, tagged));
  info.setCodePage(CodePageList::byNumber(932), true);
  EXPECT_FALSE(info.hasTitle());
  EXPECT_EQ(info.getTagBytes(TagFields::kTitle).size(), 0u);
  ASSERT_TRUE(run("id3v2 -t Title " + tagged));
  info.setTagOption(Info::kReadAll, false);
  for (int field = 0; field < TagFields::kCount; ++field)
    info.setTagOption(Info::kReadAll + 1 + field, field == TagFields::kArtist);
  EXPECT_TRUE(load(info, tagged));
  EXPECT_FALSE(info.hasTitle());
  EXPECT_EQ(info.getTag(TagFields::kArtist).view(), u"Artist");
}

TEST_F(InfoTagReading, UnicodeTitleFollowsAChosenCodePageOnlyOnceChosen) {
  std::string path = fresh("utf16.mp3");
  ASSERT_TRUE(writeWithMutagen(path, "TIT2(encoding=1, text='Aé')", 3));
  Info info;
  ASSERT_TRUE(load(info, path));
  EXPECT_EQ(bytesOf(info, TagFields::kTitle), std::string("A\0\xe9\0\0\0", 6));
  // A choice for the song decodes the UTF-16 bytes as bytes of that code page.
  info.setCodePage(CodePageList::byNumber(28591), false);
  EXPECT_EQ(info.getTitle(), std::u16string(u"A\0\u00e9", 3));
  info.setTagCodePage(TagFields::kTitle, CodePageList::byNumber(932), true);
  EXPECT_EQ(info.getTitle(), std::u16string(u"A\0\uFFFD", 3));
  info.setTagCodePage(TagFields::kTitle, CodePageList::utf16(), true);
  EXPECT_EQ(info.getTitle(), u"Aé");
}

TEST_F(InfoTagReading, SettingTheSameCodePageOnlyStoresTheForcedFlag) {
  std::string path = fresh("same.mp3");
  ASSERT_TRUE(run("id3v2 -t " + shellWord(kShiftJis) + " " + path));
  Info info;
  info.setCodePage(CodePageList::byNumber(932), false);
  ASSERT_TRUE(load(info, path));
  info.setTitle(u"edited");
  info.setCodePage(CodePageList::byNumber(932), true);
  EXPECT_TRUE(info.isCodePageForced());
  EXPECT_EQ(info.getTitle(), u"edited");

  info.setTagCodePage(TagFields::kTitle, CodePageList::byNumber(932), false);
  info.setTitle(u"edited");
  info.setTagCodePage(TagFields::kTitle, CodePageList::byNumber(932), true);
  EXPECT_EQ(info.getTitle(), u"edited");
  EXPECT_TRUE(info.isTagForced(TagFields::kTitle));
}

TEST_F(InfoTagReading, ChoosingTheProgramDefaultForATagAfterASongCodePageDecodesItAgain) {
  std::string path = fresh("default.mp3");
  ASSERT_TRUE(run("id3v2 -t " + shellWord(kShiftJis) + " -a " + shellWord(kShiftJis) + " " + path));
  Info info;
  ASSERT_TRUE(load(info, path));
  const auto* programDefault = CodePageList::getDefault();
  ASSERT_NE(programDefault, nullptr);
  ASSERT_NE(programDefault->getNumber(), 932u);
  const std::u16string asDefault(info.getTitle());

  info.setCodePage(CodePageList::byNumber(932), false);
  ASSERT_EQ(info.getTitle(), u"日本語");
  // The tag's choice is still the program default, yet its text is in the song's code page.
  ASSERT_EQ(info.getTitleCodePageChoice(), programDefault);

  info.setTitleCodePage(programDefault, false);
  EXPECT_EQ(info.getTitle(), asDefault);
  EXPECT_EQ(info.getTitleCodePage(), programDefault);
  EXPECT_EQ(info.getArtist(), u"日本語");  // only the chosen tag
}

TEST_F(InfoTagReading, PreviewCutsByDisplayWidth) {
  std::string path = fresh("preview.mp3");
  ASSERT_TRUE(run("id3v2 -t ABCDEFGHIJKL -a " + shellWord(kShiftJis) + " -A ABCDEFGHIJ " + path));
  Info info;
  ASSERT_TRUE(load(info, path));
  auto preview = [&](int field, uint32_t codePage, int width) {
    auto* text = info.previewTag(field, CodePageList::byNumber(codePage), width);
    std::u16string result(text->view());
    text->release();
    return result;
  };
  EXPECT_EQ(preview(TagFields::kTitle, 1252, 10), u"ABCDEFGHIJ...");
  EXPECT_EQ(preview(TagFields::kAlbum, 1252, 10), u"ABCDEFGHIJ");  // fits: nothing to cut
  EXPECT_EQ(preview(TagFields::kArtist, 932, 4), u"日本...");
  EXPECT_EQ(preview(TagFields::kArtist, 932, 3), u"日本...");
  EXPECT_EQ(preview(TagFields::kArtist, 932, 6), u"日本語");
  EXPECT_EQ(preview(TagFields::kYear, 932, 6), u"");  // no bytes at all
  auto* viaTitle = info.previewTitle(CodePageList::byNumber(1252), 3);
  EXPECT_EQ(viaTitle->view(), u"ABC...");
  viaTitle->release();
}

}  // namespace
