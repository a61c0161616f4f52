#include "s/str/strbuffer/StrBuffer.h"

#include <gtest/gtest.h>

#include <string>

#include "s/str/Stringer.h"
#include "s/str/strarray/StrArray.h"

namespace {

using s::str::strbuffer::StrBuffer;

TEST(StrBuffer, EnsureCapacityAllocatesExactlyOneMoreThanAsked) {
  StrBuffer s(u"abc");
  s.ensureCapacity(10);
  EXPECT_EQ(s.capacity(), 10u);
  EXPECT_EQ(s.view(), u"abc");
  s.ensureCapacity(5);  // never shrinks
  EXPECT_EQ(s.capacity(), 10u);
  s.ensureCapacity(11);
  EXPECT_EQ(s.capacity(), 11u);
  EXPECT_EQ(s.c_str()[3], 0);  // still terminated
}

TEST(StrBuffer, EqualsIgnoringCaseAtAnIndex) {
  struct Case {
    const char16_t* text;
    std::size_t index;
    const char16_t* other;
    std::ptrdiff_t count;
    bool expected;
  } cases[] = {
      {u"Hello World", 6, u"WORLD", -1, true},
      {u"Hello World", 6, u"WORL", -1, false},     // the rest is longer than the other text
      {u"Hello World", 6, u"WORLDS", -1, false},   // the other text is longer than the rest
      {u"Hello World", 6, u"WORLDS", 5, true},     // with a count only that many must match
      {u"Hello World", 6, u"WOR", 5, false},       // ... and both must have them
      {u"Hello World", 0, u"hello", 5, true},
      {u"Hello", 5, u"", -1, true},
      {u"Hello", 6, u"", -1, false},               // index past the end
      {u"ÄÖÜ Привет Ωμέγα", 0, u"äöü привет ωμέγα", -1, true},
      {u"ABC", 0, u"abd", 3, false},
  };
  for (const Case& c : cases) {
    StrBuffer s(c.text);
    EXPECT_EQ(s.equalsIgnoreCaseAt(c.index, c.other, c.count), c.expected)
        << StrBuffer(c.text).toUtf8() << " @" << c.index << " vs " << StrBuffer(c.other).toUtf8()
        << " count " << c.count;
  }
  StrBuffer song(u"Song.MP3");
  EXPECT_TRUE(song.endsWithIgnoreCase(u".mp3"));
  EXPECT_TRUE(song.startsWithIgnoreCase(u"sONG"));
  EXPECT_FALSE(song.startsWithIgnoreCase(u"Song.MP3x"));
  EXPECT_TRUE(song.equalsIgnoreCase(u"song.mp3"));
  EXPECT_FALSE(song.equals(u"song.mp3"));
  EXPECT_LT(StrBuffer(u"apple").compareIgnoreCase(u"BANANA"), 0);
  EXPECT_GT(StrBuffer(u"apple").compare(u"BANANA"), 0);
}

TEST(StrBuffer, EditingAndSearching) {
  StrBuffer s(u"  \tPlay list\n ");
  s.trim();
  EXPECT_EQ(s.view(), u"Play list");
  s.insert(5, u"my ");
  EXPECT_EQ(s.view(), u"Play my list");
  EXPECT_EQ(s.find(u"my"), 5u);
  EXPECT_EQ(s.find(u'l', 2), 8u);
  EXPECT_EQ(s.findLast(u'l'), 8u);
  EXPECT_EQ(s.findIgnoreCase(u"LIST"), 8u);
  EXPECT_EQ(s.find(u"none"), StrBuffer::npos);
  s.remove(4, 3);
  EXPECT_EQ(s.view(), u"Play list");
  EXPECT_EQ(s.replaceAll(u"l", u"L"), 2u);
  EXPECT_EQ(s.view(), u"PLay List");
  s.assign(s.substring(5));  // assigning a piece of itself
  EXPECT_EQ(s.view(), u"List");
  s.append(s.view());  // appending itself
  EXPECT_EQ(s.view(), u"ListList");
  s.toUpper();
  EXPECT_EQ(s.view(), u"LISTLIST");
  s.setLength(2);
  EXPECT_EQ(s.view(), u"LI");
}

TEST(StrBuffer, NumbersBothWays) {
  struct Case {
    const char16_t* text;
    int64_t expected;
  } cases[] = {
      {u"42", 42},          {u"  -17 songs", -17}, {u"+8", 8},
      {u"0x1F", 31},        {u"abc", -1},          {u"", -1},
      {u"9223372036854775807", INT64_MAX},         {u"-9223372036854775808", INT64_MIN},
      {u"9223372036854775808", -1},                {u"99999999999999999999", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StrBuffer(c.text).toInt64(-1), c.expected) << StrBuffer(c.text).toUtf8();
  EXPECT_EQ(StrBuffer(u"3000000000").toInt32(-1), -1);
  EXPECT_EQ(StrBuffer(u"-2147483648").toInt32(0), INT32_MIN);

  int64_t v = 0;
  EXPECT_TRUE(StrBuffer(u" 123 ").parseInt64(&v));
  EXPECT_EQ(v, 123);
  EXPECT_FALSE(StrBuffer(u"12a").parseInt64(&v));
  EXPECT_FALSE(StrBuffer(u"-").parseInt64(&v));

  StrBuffer out;
  out.appendInt(INT64_MIN).append(u' ').appendUInt(UINT64_MAX).append(u' ').appendHex(0xBEEF, 6);
  out.append(u' ').appendDouble(2.5, 2);
  EXPECT_EQ(out.view(), u"-9223372036854775808 18446744073709551615 00BEEF 2.50");
  EXPECT_DOUBLE_EQ(StrBuffer(u"1.25").toDouble(), 1.25);
  EXPECT_DOUBLE_EQ(StrBuffer(u"x").toDouble(7), 7);
}

TEST(StrBuffer, EightBitTextThroughACodePage) {
  StrBuffer s;
  EXPECT_TRUE(s.assignBytes("caf\xC3\xA9 \xE2\x99\xAA", 65001));
  EXPECT_EQ(s.view(), u"café ♪");
  EXPECT_TRUE(s.assignBytes("caf\xE9", 28591));
  EXPECT_EQ(s.view(), u"café");
  EXPECT_TRUE(s.assignBytes("bad \xFF\xFE end", 65001));
  EXPECT_EQ(s.view(), u"bad \uFFFD\uFFFD end");
  StrBuffer kept(u"kept");
  EXPECT_FALSE(kept.assignBytes("x", 123456));  // no such code page: nothing changes
  EXPECT_EQ(kept.view(), u"kept");
  std::string bytes;
  EXPECT_TRUE(StrBuffer(u"café").toBytes(65001, bytes));
  EXPECT_EQ(bytes, "caf\xC3\xA9");
  bytes.clear();
  EXPECT_FALSE(StrBuffer(u"ж").toBytes(28591, bytes));
}

TEST(StrBuffer, IsAByteStreamOverItsCharacters) {
  StrBuffer s;
  EXPECT_TRUE(s.write(u"ab", 4));
  EXPECT_EQ(s.view(), u"ab");
  s.seek(0);
  char16_t back[4] = {};
  uint32_t got = 0;
  EXPECT_TRUE(s.read(back, sizeof back, &got));
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(std::u16string(back, 2), u"ab");
}

TEST(StrArrayAndStringer, OwnSortSplitAndFormat) {
  auto* list = s::str::strarray::StrArray::create();
  list->split(u"beta,Alpha,,gamma", u',');
  ASSERT_EQ(list->size(), 4u);
  EXPECT_EQ(list->at(2), u"");
  list->sort(true);
  EXPECT_EQ(list->at(0), u"");
  EXPECT_EQ(list->at(1), u"Alpha");
  EXPECT_EQ(list->indexOf(u"GAMMA", true), 3);
  EXPECT_EQ(list->indexOf(u"GAMMA"), -1);
  list->remove(0);
  EXPECT_EQ(list->size(), 3u);
  list->release();
  auto* again = s::str::strarray::StrArray::create();
  EXPECT_TRUE(again->isEmpty());
  again->release();

  auto* f = s::str::Stringer::create();
  *f << u"Track " << 7 << u'/' << 12u << u" ";
  f->padded(5, 2).utf8(":").padded(-3, 4, u' ').utf8(" ").hex(255, 4);
  EXPECT_EQ(f->view(), u"Track 7/12 05:  -3 00FF");
  StrBuffer* copy = f->toStrBuffer();
  EXPECT_EQ(copy->view(), f->view());
  copy->release();
  f->release();
}

}  // namespace
