#include "s/sound/mp3/TagPrecheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/text/Utf.h"
#include "s/sound/mp3/TagReader.h"
#include "s/sound/mp3/win/Info.h"
#include "tests/support/TempDir.h"

namespace {

using s::sound::mp3::TagPrecheck;

// An ID3v2 tag of `version` holding one frame with the given flag bytes and body.
std::string tagWith(int version, const std::string& id, char flags1, char flags2,
                    const std::string& body, char tagFlags = 0) {
  std::string frame = id;
  uint32_t n = static_cast<uint32_t>(body.size());
  if (version == 4)
    frame += {static_cast<char>((n >> 21) & 0x7F), static_cast<char>((n >> 14) & 0x7F),
              static_cast<char>((n >> 7) & 0x7F), static_cast<char>(n & 0x7F)};
  else
    frame += {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
              static_cast<char>(n)};
  frame += {flags1, flags2};
  frame += body;
  uint32_t size = static_cast<uint32_t>(frame.size());
  std::string tag = {'I', 'D', '3', static_cast<char>(version), 0, tagFlags,
                     static_cast<char>((size >> 21) & 0x7F), static_cast<char>((size >> 14) & 0x7F),
                     static_cast<char>((size >> 7) & 0x7F), static_cast<char>(size & 0x7F)};
  return tag + frame;
}

bool safe(const std::string& tag, std::string* why) {
  return TagPrecheck::tagIsSafe(reinterpret_cast<const uint8_t*>(tag.data()), tag.size(), why);
}

TEST(TagPrecheck, RefusesCompressedFramesThatClaimHugeSizesAndSeekFrames) {
  std::string why;
  const std::string huge("\xA0\x00\x00\x00x\x9c", 6);  // 2.6 GB declared, then zlib bytes
  EXPECT_FALSE(safe(tagWith(3, "TIT2", 0, '\x80', huge), &why));
  EXPECT_NE(why.find("compressed frame"), std::string::npos);
  EXPECT_FALSE(safe(tagWith(4, "TIT2", 0, '\x09', std::string("\x7f\x7f\x7f\x7fx\x9c", 6)), &why));
  EXPECT_FALSE(safe(tagWith(4, "SEEK", 0, 0, std::string(4, '\0')), &why));
  // The same frame unsynchronised as a whole (version 3): FF 00 pairs hide nothing.
  EXPECT_FALSE(safe(tagWith(3, "TPE1", 0, '\x80', std::string("\xff\x00\xff\x00\x00\x00", 6),
                            '\x80'),
                    &why));

  EXPECT_TRUE(safe(tagWith(3, "TIT2", 0, '\x80', std::string("\x00\x00\x01\x00x\x9c", 6)), &why));
  EXPECT_TRUE(safe(tagWith(3, "TIT2", 0, 0, std::string("\0Title", 6)), &why));
  EXPECT_TRUE(safe(tagWith(2, "TT2", 0, 0, std::string("\0x", 2)), &why));
  EXPECT_TRUE(safe("ID3", &why));
}

// Such a tag at the start of the file, or appended at its end (found by its footer, before an
// ID3v1 tag or not).
TEST(TagPrecheck, AFileWithSuchATagIsNotReadAndNotWritten) {
  testing_support::TempDir dir;
  const std::string audio = std::string("\xff\xfb\x90\x00", 4) + std::string(400, 'U');
  const std::string appended =
      tagWith(4, "TIT2", 0, '\x09', std::string("\x7f\x7f\x7f\x7fx\x9c", 6), '\x10');
  const std::string footer = "3DI" + appended.substr(3, 7);
  const std::string v1 = "TAG" + std::string(125, ' ');
  const struct {
    const char* name;
    std::string content;
  } cases[] = {
      {"leading", tagWith(3, "TIT2", 0, '\x80', std::string("\xA0\x00\x00\x00x\x9c", 6)) + audio},
      {"appended", audio + appended + footer},
      {"appended before an ID3v1 tag", audio + appended + footer + v1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.file(std::string(c.name) + ".mp3");
    {
      std::ofstream out(path, std::ios::binary);
      out << c.content;
    }
    s::sound::mp3::TagReader reader;
    EXPECT_FALSE(reader.open(platform::text::fileNameToUtf16(path)));
    EXPECT_NE(reader.lastError().find("compressed frame"), std::string::npos);

    s::sound::mp3::win::Info info;
    EXPECT_FALSE(info.load(platform::text::fileNameToUtf16(path)));
    info.setTitle(u"New");
    EXPECT_FALSE(info.saveTags(platform::text::fileNameToUtf16(path)));
    EXPECT_NE(info.lastSaveError().find("damaged"), std::string::npos);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.content);
  }
}

}  // namespace
