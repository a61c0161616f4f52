#include "platform/text/CodePageConv.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/Utf.h"

namespace {

using platform::text::decode;
using platform::text::encode;
using platform::text::isSupported;

std::u16string decoded(uint32_t codePage, std::string_view bytes) {
  std::u16string out;
  EXPECT_TRUE(decode(codePage, bytes, out)) << codePage;
  return out;
}

struct RoundTrip {
  uint32_t codePage;
  const char* bytes;
  const char16_t* text;
};

// Each row: bytes as that code page writes them and the text they stand for.
const RoundTrip kRoundTrips[] = {
    {932, "\x93\xfa\x96\x7b\x8c\xea\x5c", u"日本語\\"},  // CP932 keeps 0x5C a backslash
    {936, "\xd6\xd0\xce\xc4\x80", u"中文€"},
    {949, "\xc7\xd1\xb1\xb9\xbe\xee", u"한국어"},
    {950, "\xa4\xa4\xa4\xe5", u"中文"},
    {1251, "\xcf\xf0\xe8\xe2\xe5\xf2", u"Привет"},
    {1252, "caf\xe9 \x80", u"café €"},
    {1253, "\xe1\xe2\xe3", u"αβγ"},
    {20932, "\xc6\xfc\xcb\xdc", u"日本"},
    {50220, "\x1b$BF|K\\\x1b(B", u"日本"},
    {54936, "\x81\x30\x81\x30", u"\u0080"},
    {20866, "\xf0\xd2\xc9\xd7\xc5\xd4", u"Привет"},
    {28591, "\xe9\xff", u"éÿ"},
    {65001, "\xe2\x99\xaa", u"♪"},
    {1200, "A\0\x42\x30", u"Aあ"},
    {1201, "\0A\x30\x42", u"Aあ"},
};

TEST(CodePageConv, DecodesAndEncodesEachCodePage) {
  for (const RoundTrip& row : kRoundTrips) {
    std::string bytes(row.bytes, std::char_traits<char>::length(row.bytes));
    if (row.codePage == 1200 || row.codePage == 1201) bytes.assign(row.bytes, 4);
    SCOPED_TRACE(row.codePage);
    ASSERT_TRUE(isSupported(row.codePage));
    EXPECT_EQ(decoded(row.codePage, bytes), row.text);
    std::string back;
    EXPECT_TRUE(encode(row.codePage, row.text, back));
    EXPECT_EQ(back, bytes);
  }
}

TEST(CodePageConv, InvalidBytesBecomeReplacementCharactersAndDecodingGoesOn) {
  // A cut-off Shift_JIS lead byte at the end, an undefined byte in the middle of Windows-1252.
  EXPECT_EQ(decoded(932, "a\x93\xfa\x96"), u"a日\uFFFD");
  EXPECT_EQ(decoded(1252, "x\x81y"), u"x\uFFFDy");
  EXPECT_EQ(decoded(1200, std::string("A\0B", 3)), u"A\uFFFD");
}

TEST(CodePageConv, EncodingRefusesWhatTheCodePageCannotHoldAndLeavesTheOutputAlone) {
  std::string out = "kept";
  EXPECT_FALSE(encode(1252, u"日本", out));
  EXPECT_FALSE(encode(1251, u"ü", out));
  EXPECT_FALSE(encode(28591, u"€", out));
  EXPECT_FALSE(encode(20127, u"é", out));
  EXPECT_EQ(out, "kept");
}

TEST(CodePageConv, UnknownCodePagesAreNotSupported) {
  std::u16string out;
  std::string bytes;
  EXPECT_FALSE(isSupported(12345));
  EXPECT_FALSE(decode(12345, "x", out));
  EXPECT_FALSE(encode(12345, u"x", bytes));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(platform::text::iconvName(12345).empty());
  EXPECT_EQ(platform::text::iconvName(932), "CP932");
}

}  // namespace

namespace {

TEST(CodePageConv, ThreadsConvertAtTheSameTimeWithoutMixingTheirStates) {
  // ISO-2022-JP keeps a shift state in its converter; a shared converter would mix them up.
  std::vector<std::thread> threads;
  std::atomic<int> wrong{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&wrong, t] {
      for (int i = 0; i < 200; ++i) {
        std::u16string text;
        bool ok = decode(t % 2 ? 50220 : 932, t % 2 ? "\x1b$BF|K\\\x1b(B" : "\x93\xfa\x96\x7b", text);
        std::string bytes;
        ok = ok && encode(50220, u"日本", bytes) && bytes == "\x1b$BF|K\\\x1b(B";
        if (!ok || text != u"日本") ++wrong;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
