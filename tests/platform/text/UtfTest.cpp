#include "platform/text/Utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::text::fileNameFromUtf16;
using platform::text::fileNameToUtf16;
using platform::text::isValidUtf8;

struct Bytes {
  const char* what;
  std::string bytes;
  bool valid;
};

const Bytes kBytes[] = {
    {"empty", "", true},
    {"ASCII with a NUL", std::string("a\0b", 3), true},
    {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5", true},
    {"the largest code point", "\xF4\x8F\xBF\xBF", true},
    {"a Latin-1 byte", "caf\xE9", false},
    {"a lone continuation byte", "\x80", false},
    {"a sequence cut short at the end", "a\xE2\x82", false},
    {"a sequence cut short by ASCII", "\xE2\x82z", false},
    {"an overlong slash", "\xC0\xAF", false},
    {"an overlong three-byte form", "\xE0\x80\xAF", false},
    {"a surrogate", "\xED\xA0\x80", false},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
    {"a five-byte lead", "\xF8\x88\x80\x80\x80", false},
};

TEST(Utf, ValidUtf8IsExactlyWhatFileNamesDecodeWithoutKeepingStrayBytes) {
  for (const Bytes& b : kBytes) {
    EXPECT_EQ(isValidUtf8(b.bytes), b.valid) << b.what;
    // A name that is not UTF-8 keeps its stray bytes as lone surrogates U+DC80..U+DCFF.
    const std::u16string name = fileNameToUtf16(b.bytes);
    bool kept = false;
    for (char16_t c : name) kept = kept || (c >= 0xDC80 && c <= 0xDCFF);
    EXPECT_EQ(kept, !b.valid) << b.what;
    EXPECT_EQ(fileNameFromUtf16(name), b.bytes) << b.what;
  }
}

}  // namespace
