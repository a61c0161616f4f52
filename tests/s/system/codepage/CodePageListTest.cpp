#include "s/system/codepage/CodePageList.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/text/CodePageConv.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::system::codepage::CodePage;
using s::system::codepage::CodePageList;

TEST(CodePageList, HoldsEveryConvertibleCodePageOnceSortedByName) {
  const auto& entries = CodePageList::entries();
  ASSERT_FALSE(entries.empty());
  std::set<uint32_t> numbers;
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_TRUE(numbers.insert(entries[i]->getNumber()).second) << entries[i]->getNumber();
    if (i > 0) {
      EXPECT_LT(entries[i - 1]->getName(), entries[i]->getName());
    }
    EXPECT_TRUE(platform::text::isSupported(entries[i]->getNumber())) << entries[i]->getNumber();
  }
  // The code pages glibc's iconv converts; HZ (52936) is the one it lacks.
  for (uint32_t expected : {850u, 852u, 855u, 857u, 866u, 874u, 932u, 936u, 949u, 950u, 1200u,
                            1201u, 1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u, 1258u,
                            1361u, 20000u, 20127u, 20866u, 20932u, 20936u, 21866u, 28591u, 28592u,
                            28594u, 28595u, 28597u, 28599u, 28605u, 50220u, 50225u, 50227u,
                            50229u, 51949u, 54936u, 65001u})
    EXPECT_EQ(numbers.count(expected), 1u) << expected;
  EXPECT_EQ(numbers.count(52936) == 1, platform::text::isSupported(52936));
  EXPECT_EQ(numbers.count(37), 0u);  // convertible, but not offered for tags
}

TEST(CodePageList, FindsEntriesByNumberNameAndWhatAPersonTypes) {
  const CodePage* sjis = CodePageList::byNumber(932);
  ASSERT_NE(sjis, nullptr);
  EXPECT_EQ(sjis->getName(), u"Japanese (Shift_JIS)");
  EXPECT_EQ(CodePageList::byName(u"Japanese (Shift_JIS)"), sjis);
  EXPECT_EQ(CodePageList::byName(u"japanese (shift_jis)"), nullptr);
  for (const char16_t* typed : {u"japanese (shift_jis)", u"Shift_JIS", u"932", u"cp932", u"CP932"})
    EXPECT_EQ(CodePageList::lookup(typed), sjis) << std::string(typed, typed + 3);
  EXPECT_EQ(CodePageList::lookup(u"windows-1251"), CodePageList::byNumber(1251));
  EXPECT_EQ(CodePageList::lookup(u"koi8-r"), CodePageList::byNumber(20866));
  EXPECT_EQ(CodePageList::lookup(u"utf-16be"), CodePageList::utf16BE());
  for (const char16_t* unknown : {u"", u"Klingon", u"12345", u"-932", u"cp"})
    EXPECT_EQ(CodePageList::lookup(unknown), nullptr);
  EXPECT_EQ(CodePageList::byNumber(12345), nullptr);
  EXPECT_EQ(CodePageList::utf8()->getNumber(), 65001u);
  EXPECT_EQ(CodePageList::utf16()->getNumber(), 1200u);
  EXPECT_TRUE(CodePageList::utf16()->isUnicode());
  EXPECT_FALSE(sjis->isUnicode());
}

TEST(CodePageList, DefaultIsTheLocaleCodePageThenUtf8) {
  EXPECT_EQ(CodePageList::defaultFor(932), CodePageList::byNumber(932));
  EXPECT_EQ(CodePageList::defaultFor(1251), CodePageList::byNumber(1251));
  EXPECT_EQ(CodePageList::defaultFor(12345), CodePageList::utf8());
  ASSERT_NE(CodePageList::getDefault(), nullptr);
}

TEST(CodePage, DecodesAndEncodesThroughItsNumber) {
  const CodePage* cyrillic = CodePageList::byNumber(1251);
  s::str::strbuffer::StrBuffer text(u"> ");
  EXPECT_TRUE(cyrillic->decode("\xcf\xf0\xe8", text));
  EXPECT_EQ(text.view(), u"> При");
  std::string bytes;
  EXPECT_TRUE(cyrillic->encode(u"При", bytes));
  EXPECT_EQ(bytes, "\xcf\xf0\xe8");
  EXPECT_FALSE(cyrillic->encode(u"日", bytes));
  EXPECT_EQ(std::u16string_view(cyrillic->typeName()), u"s_system_codepage_CodePage");
}

}  // namespace
