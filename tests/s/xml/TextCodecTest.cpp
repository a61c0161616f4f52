#include "s/xml/TextCodec.h"

#include <gtest/gtest.h>

#include "s/xml/NumberText.h"
#include "s/xml/Utf8Text.h"
#include "platform/text/Utf.h"

using s::xml::TextContext;

namespace {

std::u16string escaped(std::u16string_view text, TextContext context) {
  std::u16string out;
  s::xml::escapeInto(out, text, context);
  return out;
}

std::u16string decoded(std::u16string_view text, TextContext context) {
  std::u16string out;
  s::xml::decodeInto(out, text, context);
  return out;
}

}  // namespace

TEST(XmlTextCodec, EscapesByContext) {
  struct Case {
    std::u16string in, attribute, text;
  } cases[] = {
      {u"a\nb\rc", u"a&#10;b&#13;c", u"a&#10;b&#13;c"},
      {u"\"q\" & <t>", u"&quot;q&quot; &amp; &lt;t>", u"\"q\"&#160;&amp;&#160;&lt;t&gt;"},
      {u"two  spaces ", u"two  spaces ", u"two&#160;&#160;spaces&#160;"},
      {u"日本語", u"日本語", u"日本語"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(escaped(c.in, TextContext::Attribute), c.attribute);
    EXPECT_EQ(escaped(c.in, TextContext::Text), c.text);
    // Whatever the writer escapes comes back unchanged.
    EXPECT_EQ(decoded(c.attribute, TextContext::Attribute), c.in);
    EXPECT_EQ(decoded(c.text, TextContext::Text), c.in);
  }
}

TEST(XmlTextCodec, DecodesOnlyItsOwnEntitiesAndTrimsTextUpToTheLastEntity) {
  struct Case {
    std::u16string stored, decoded;
    TextContext context;
  } cases[] = {
      // Attributes: &gt; and &#160; are not theirs, a stray & is copied, nothing is trimmed.
      {u"&gt;&#160;&x;&", u"&gt;&#160;&x;&", TextContext::Attribute},
      {u"  a  ", u"  a  ", TextContext::Attribute},
      {u"&amp;lt;", u"&lt;", TextContext::Attribute},
      // Text: &quot; is not decoded; &#160; is a plain space.
      {u"&quot;&gt;&#160;", u"&quot;> ", TextContext::Text},
      {u"\r\n\t  Hello world \t\r\n", u"Hello world", TextContext::Text},
      {u"  &#160;x&#160; \u3000\t", u" x ", TextContext::Text},
      {u"x&#10;  ", u"x\n", TextContext::Text},
      {u"x \u3000", u"x", TextContext::Text},
      {u"   ", u"", TextContext::Text},
      {u"&#16", u"&#16", TextContext::Text},
  };
  for (auto& c : cases) EXPECT_EQ(decoded(c.stored, c.context), c.decoded);

  // Appending never trims what was in the buffer before.
  std::u16string out = u"keep ";
  s::xml::decodeInto(out, u"   ", TextContext::Text);
  EXPECT_EQ(out, u"keep ");
}

TEST(XmlNumberText, FollowsTheCConversions) {
  struct Case {
    std::u16string text;
    std::int32_t s32;
    std::uint32_t u32;
    std::int64_t s64;
  } cases[] = {
      {u"42", 42, 42, 42},
      {u"  -12xyz", -12, 4294967284u, -12},
      {u"+7", 7, 7, 7},
      {u"abc", 0, 0, 0},
      {u"", 0, 0, 0},
      {u"4294967295", 2147483647, 4294967295u, 4294967295},
      {u"4294967296", 2147483647, 4294967295u, 4294967296},
      {u"-2147483648", -2147483648, 2147483648u, -2147483648},
      {u"99999999999999999999", 2147483647, 4294967295u, INT64_MAX},
      {u"-99999999999999999999", INT32_MIN, 4294967295u, INT64_MIN},
      {u"\t\n 10 20", 10, 10, 10},
  };
  for (auto& c : cases) {
    EXPECT_EQ(s::xml::textToS32(c.text), c.s32);
    EXPECT_EQ(s::xml::textToU32(c.text), c.u32);
    EXPECT_EQ(s::xml::textToS64(c.text), c.s64);
  }
  EXPECT_DOUBLE_EQ(s::xml::textToF64(u" 0.500000"), 0.5);
  EXPECT_DOUBLE_EQ(s::xml::textToF64(u"-1.5e3x"), -1500.0);
  EXPECT_DOUBLE_EQ(s::xml::textToF64(u"junk"), 0.0);
  EXPECT_DOUBLE_EQ(s::xml::textToF64(u"3,25"), 3.0);

  std::u16string out;
  s::xml::appendFixed6(out, 0.5);
  out += u'|';
  s::xml::appendFixed6(out, -2.0 / 3.0);
  out += u'|';
  s::xml::appendS64(out, INT64_MIN);
  out += u'|';
  s::xml::appendHex(out, 0x1A, 2);
  s::xml::appendHex(out, 0xBEEF, 8);
  EXPECT_EQ(out, u"0.500000|-0.666667|-9223372036854775808|1a0000beef");
}

// The document converters only skip work on ASCII runs; everything else must come out as the
// platform's converter has it, damaged sequences included.
TEST(XmlUtf8Text, AgreesWithThePlatformConverter) {
  const std::string utf8Cases[] = {
      "", "plain <a x=\"1\">", "Ünïcödé 日本語 😀 mixed", "bad \xC3 lead", "\xFF\xFE<a>",
      "cut at end \xE6\x97", "\xF0\x9F\x98\x80\x41\xE2\x82", "\xEF\xBB\xBF<lang>",
  };
  for (const std::string& c : utf8Cases) {
    std::u16string fast;
    s::xml::appendUtf8AsUtf16(fast, c);
    EXPECT_EQ(fast, platform::text::utf8ToUtf16(c)) << c;
  }
  const std::u16string utf16Cases[] = {
      u"", u"plain", u"Ünïcödé 日本語 😀", std::u16string(u"lone \xD800 high"),
      std::u16string(u"lone low \xDC00"), std::u16string(u"\xD83D"), u"a\u0080b\u07FFc\uFFFF",
  };
  for (const std::u16string& c : utf16Cases) {
    std::string fast;
    s::xml::appendUtf16AsUtf8(fast, c);
    EXPECT_EQ(fast, platform::text::utf16ToUtf8(c));
  }
}
