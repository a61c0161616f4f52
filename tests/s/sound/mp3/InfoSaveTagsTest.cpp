#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"
#include "s/sound/mp3/TagWriter.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"
#include "tests/s/sound/mp3/TagTestFiles.h"

namespace {

using s::sound::mp3::TagFields;
using s::sound::mp3::TagWriter;
using s::sound::mp3::win::Info;
using s::system::codepage::CodePageList;
using namespace tag_test_files;

std::u16string wide(const std::string& path) { return platform::text::fileNameToUtf16(path); }

std::string bytesOf(const Info& info, int field) {
  const auto& bytes = info.getTagBytes(field);
  return std::string(reinterpret_cast<const char*>(bytes.bytes()), bytes.size());
}

// A record that writes only `field`, with `text`.
void selectOnly(Info& info, int field, std::u16string_view text) {
  info.setTagOption(Info::kWriteAll, false);
  for (int f = 0; f < TagFields::kCount; ++f) info.setTagOption(Info::kWriteAll + 1 + f, f == field);
  info.setTag(field, text);
}

class InfoSaveTags : public ::testing::Test {
 protected:
  std::string tagged(const std::string& name, const std::string& id3v2Options) {
    std::string path = dir_.file(name);
    EXPECT_TRUE(makeMp3(path));
    if (!id3v2Options.empty()) {
      EXPECT_TRUE(run("id3v2 " + id3v2Options + " " + path));
    }
    return path;
  }
  size_t filesInFolder() {
    size_t n = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir_.path())) n += entry.exists();
    return n;
  }

  testing_support::TempDir dir_;
};

TEST_F(InfoSaveTags, OneSelectedTagChangesAndEverythingElseStaysByteForByte) {
  std::string path = tagged("song.mp3", "-t Old -a Artist -A Album -y 1999 -T 3/12 -g 17 -c Note");
  std::string audio = audioFrames(path);
  ASSERT_GT(audio.size(), 1000u);
  // Long enough to outgrow the tag's padding: the file has to be rewritten.
  std::u16string title(3000, u'x');
  title += u" 日本語 😀";

  Info writer;
  selectOnly(writer, TagFields::kTitle, title);
  ASSERT_TRUE(writer.saveTags(wide(path))) << writer.lastSaveError();
  EXPECT_EQ(audioFrames(path), audio);

  Info reader;
  ASSERT_TRUE(reader.load(wide(path)));
  EXPECT_EQ(reader.getTitle(), title);
  EXPECT_EQ(reader.getTag(TagFields::kArtist).view(), u"Artist");
  EXPECT_EQ(reader.getTag(TagFields::kAlbum).view(), u"Album");
  EXPECT_EQ(reader.getTag(TagFields::kYear).view(), u"1999");
  EXPECT_EQ(reader.getTag(TagFields::kTrack).view(), u"3/12");
  EXPECT_EQ(reader.getTag(TagFields::kGenre).view(), u"Rock");
  EXPECT_EQ(reader.getTag(TagFields::kComment).view(), u"Note");
  // Other programs read what we wrote.
  EXPECT_NE(output("mid3v2 -l " + path).find("TPE1=Artist"), std::string::npos);

  // A short text fits the padding; the audio still does not move by a byte.
  Info again;
  selectOnly(again, TagFields::kArtist, u"New artist");
  ASSERT_TRUE(again.saveTags(wide(path))) << again.lastSaveError();
  EXPECT_EQ(audioFrames(path), audio);
  ASSERT_TRUE(reader.load(wide(path)));
  EXPECT_EQ(reader.getTitle(), title);
  EXPECT_EQ(reader.getTag(TagFields::kArtist).view(), u"New artist");
  EXPECT_EQ(filesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(InfoSaveTags, TextsTheWriteCodePageCannotHoldAreWrittenAsUtf16) {
  std::string path = tagged("cp.mp3", "");
  Info writer;
  writer.setDefaultCodePage(CodePageList::byNumber(932));
  writer.setTag(TagFields::kTitle, u"日本語");
  writer.setTag(TagFields::kArtist, u"Привет ё ß");  // not all of it is in Shift_JIS
  writer.setTag(TagFields::kComment, u"plain");
  ASSERT_TRUE(writer.saveTags(wide(path))) << writer.lastSaveError();

  Info reader;
  reader.setCodePage(CodePageList::byNumber(932), true);
  ASSERT_TRUE(reader.load(wide(path)));
  EXPECT_EQ(reader.getTagEncoding(TagFields::kTitle), 0);
  EXPECT_EQ(bytesOf(reader, TagFields::kTitle), std::string("\x93\xfa\x96\x7b\x8c\xea") + '\0');
  EXPECT_EQ(reader.getTitle(), u"日本語");
  EXPECT_EQ(reader.getTagEncoding(TagFields::kArtist), 1);
  EXPECT_EQ(reader.getTag(TagFields::kArtist).view(), u"Привет ё ß");
  EXPECT_EQ(reader.getTag(TagFields::kComment).view(), u"plain");
}

TEST_F(InfoSaveTags, EncodingFollowsTheWriteCodePage) {
  struct Row {
    uint32_t codePage;
    const char16_t* text;
    int encoding;
  } rows[] = {
      {1200, u"abc", 1},  {1201, u"abc", 2},   {65001, u"abc", 3}, {1252, u"café", 0},
      {1252, u"日本", 1}, {1251, u"Привет", 0}, {932, u"〜", 1},
  };
  for (const Row& row : rows) {
    std::string bytes;
    EXPECT_EQ(TagWriter::encodingFor(*CodePageList::byNumber(row.codePage), row.text, &bytes),
              row.encoding)
        << row.codePage;
  }
  // The written encoding comes back as the frame's encoding.
  std::string path = tagged("be.mp3", "");
  Info writer;
  writer.setDefaultCodePage(CodePageList::utf16BE());
  writer.setTitle(u"Big end");
  ASSERT_TRUE(writer.saveTags(wide(path)));
  Info reader;
  ASSERT_TRUE(reader.load(wide(path)));
  EXPECT_EQ(reader.getTagEncoding(TagFields::kTitle), 2);
  EXPECT_EQ(reader.getTitle(), u"Big end");
}

TEST_F(InfoSaveTags, Id3v1OnlyFilesGainAVersion2TagAndKeepTheirVersion1Tag) {
  std::string path = dir_.file("v1.mp3");
  ASSERT_TRUE(makeMp3WithLame(path, "--id3v1-only --tt Old --ta Artist --tg Jazz"));
  std::string audio = audioFrames(path);
  Info writer;
  selectOnly(writer, TagFields::kTitle, u"New title");
  ASSERT_TRUE(writer.saveTags(wide(path))) << writer.lastSaveError();
  EXPECT_EQ(audioFrames(path), audio);
  std::string data = readFile(path);
  EXPECT_EQ(data.compare(0, 3, "ID3"), 0);
  EXPECT_EQ(data.compare(data.size() - 128, 3, "TAG"), 0);
  EXPECT_EQ(data.compare(data.size() - 125, 9, "New title"), 0);  // v1 readers see it too
  Info reader;
  ASSERT_TRUE(reader.load(wide(path)));
  EXPECT_EQ(reader.getTitle(), u"New title");
  EXPECT_EQ(reader.getTag(TagFields::kArtist).view(), u"Artist");
  EXPECT_EQ(reader.getTag(TagFields::kGenre).view(), u"Jazz");
}

TEST_F(InfoSaveTags, ReadOnlyAndMissingFilesFailClearlyAndStayUntouched) {
  std::string path = tagged("locked.mp3", "-t Kept");
  std::string before = readFile(path);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  Info writer;
  writer.setTitle(u"Changed");
  EXPECT_FALSE(writer.saveTags(wide(path)));
  EXPECT_NE(writer.lastSaveError().find("read-only"), std::string::npos) << writer.lastSaveError();
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(filesInFolder(), 1u);

  EXPECT_FALSE(writer.saveTags(wide(dir_.file("missing.mp3"))));
  EXPECT_FALSE(writer.lastSaveError().empty());
  EXPECT_FALSE(writer.saveTags(wide(dir_.path())));
}

TEST_F(InfoSaveTags, ADamagedTagIsNotReplacedForItMightCoverAudio) {
  std::string path = tagged("damaged.mp3", "");
  std::string data = readFile(path);
  // A tag header claiming 1 MiB in front of a file of a few kilobytes.
  std::string damaged = std::string("ID3\x03\x00\x00\x00\x40\x00\x00", 10) + data;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << damaged;
  }
  Info writer;
  writer.setTitle(u"New");
  EXPECT_FALSE(writer.saveTags(wide(path)));
  EXPECT_NE(writer.lastSaveError().find("damaged"), std::string::npos) << writer.lastSaveError();
  EXPECT_EQ(readFile(path), damaged);
}

TEST_F(InfoSaveTags, ASymbolicLinkKeepsPointingAtTheUpdatedFile) {
  std::string target = tagged("target.mp3", "-t Old");
  std::string link = dir_.file("link.mp3");
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  Info writer;
  selectOnly(writer, TagFields::kTitle, u"Through the link");
  ASSERT_TRUE(writer.saveTags(wide(link))) << writer.lastSaveError();
  EXPECT_TRUE(s::file::win::PathWin::isLink(wide(link)));
  struct stat st;
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the permissions survive the replacement
  Info reader;
  ASSERT_TRUE(reader.load(wide(target)));
  EXPECT_EQ(reader.getTitle(), u"Through the link");
}

TEST_F(InfoSaveTags, EmptyTextsLeaveTheirFramesAlone) {
  std::string path = tagged("empty.mp3", "-t Title -a Artist");
  std::string before = readFile(path);
  Info writer;  // every tag selected, every text empty
  ASSERT_TRUE(writer.saveTags(wide(path)));
  EXPECT_EQ(readFile(path), before);
}

}  // namespace
