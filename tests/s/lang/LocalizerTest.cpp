#include "s/lang/Localizer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/Utf.h"
#include "s/gui/events/IEventListener.h"
#include "s/lang/SystemLanguage.h"
#include "s/xml/MappedData.h"
#include "tests/support/TempDir.h"
#include "s/thread/Pooled.h"

using s::lang::Localizer;

namespace {

// A small table in the built-in table's shape: indented, CR LF, comments and descriptions.
const char* const kTable =
    "\xEF\xBB\xBF<lang>\r\n"
    "  <languages>\r\n"
    "    <entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>\r\n"
    "    <entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>\r\n"
    "    <entry tagName=\"zhs\" engName=\"Chinese_Simplified\" trueName=\"简体中文\"/>\r\n"
    "    <entry tagName=\"zht\" engName=\"Chinese_Traditional\" trueName=\"繁體中文\"/>\r\n"
    "    <entry tagName=\"bra\" engName=\"Portuguese_Brazilian\" trueName=\"Português (Brasil)\"/>\r\n"
    "    <entry tagName=\"vec\" engName=\"Venetian\" trueName=\"Vèneto\"/>\r\n"
    "  </languages>\r\n"
    "  <entries>\r\n"
    "    <!-- transport -->\r\n"
    "    <entry id=\"3008000\">Play button\r\n"
    "      <eng>Play</eng>\r\n"
    "      <DEU>Abspielen</DEU>\r\n"
    "      <zhs>播放</zhs>\r\n"
    "      <bra>Reproduzir</bra>\r\n"
    "      <vec>Sona \xC6\x9A</vec>\r\n"
    "    </entry>\r\n"
    "    <entry id=\"5000000\">\r\n"
    "      <eng>&#160;Volume:&#160;</eng>\r\n"
    "      <deu>&#160;Lautst&#228;rke &amp; mehr&#160;</deu>\r\n"
    "    </entry>\r\n"
    "    <entry id=\"3008000\"><eng>Repeated</eng><deu>Wiederholt</deu></entry>\r\n"
    "    <entry id=\"108000\"><xxx>http://example.org/</xxx><deu>http://example.de/</deu></entry>\r\n"
    "    <entry id=\"7abc\"><eng>Seven</eng></entry>\r\n"
    "    <entry id=\"web.home\"><eng>Home page</eng><zht>首頁</zht></entry>\r\n"
    "    <entry><eng>No id</eng></entry>\r\n"
    "  </entries>\r\n"
    "</lang>\r\n";

std::u16string str(const char16_t* s) { return s ? std::u16string(s) : u"<null>"; }

struct Counter : s::gui::events::IEventListener {
  int calls = 0;
  void onEvent(s::base::IObject* source, int code) override {
    EXPECT_EQ(code, 0);
    EXPECT_NE(source, nullptr);
    ++calls;
  }
};

}  // namespace

TEST(Localizer, BuildsEveryPackWithFallbacks) {
  auto loc = Localizer::createFromUtf8(kTable, u"ENGLISH");
  ASSERT_EQ(loc->getLanguageCount(), 6);
  EXPECT_EQ(loc->getLanguage(2)->trueName(), u"简体中文");
  EXPECT_EQ(loc->getLanguage(4)->engName(), u"Portuguese_Brazilian");
  EXPECT_EQ(loc->getLanguage(6), nullptr);

  struct Case {
    const char16_t* tag;
    std::int32_t id;
    std::u16string text;
  } cases[] = {
      {u"eng", 3008000, u"Play"},
      {u"deu", 3008000, u"Abspielen"},          // element name matched ignoring case
      {u"zht", 3008000, u"Play"},               // missing: the entry's first translation
      {u"vec", 3008000, u"Sona \u019A"},         // Vista and later keep the letter
      {u"eng", 5000000, u" Volume: "},          // &#160; keeps leading and trailing spaces
      {u"deu", 5000000, u" Lautst&#228;rke & mehr "},
      {u"bra", 5000000, u" Volume: "},
      {u"eng", 108000, u"http://example.org/"},  // an unknown first tag still gives the fallback
      {u"deu", 108000, u"http://example.de/"},
      {u"eng", 7, u"Seven"},                    // "7abc" is numeric by its first character
  };
  for (auto& c : cases) {
    auto* pack = loc->findByTag(c.tag);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(str(pack->findText(c.id)), c.text) << platform::text::utf16ToUtf8(c.tag) << " " << c.id;
  }
  // A repeated id keeps its first text, though both were added.
  EXPECT_EQ(loc->findByTag(u"eng")->textCount(), 5u);
  EXPECT_EQ(str(loc->findByTag(u"ENG")->findText(u"web.home")), u"Home page");
  EXPECT_EQ(str(loc->findByTag(u"zht")->findText(u"web.home")), u"首頁");
  EXPECT_EQ(str(loc->findByTag(u"deu")->findText(u"web.home")), u"Home page");
  EXPECT_EQ(str(loc->findByTag(u"eng")->findText(u"")), u"No id");

  EXPECT_EQ(str(loc->getText(3008000)), u"Play");
  EXPECT_EQ(str(loc->getText(424242)), u"");
  EXPECT_EQ(str(loc->getText(u"missing.key")), u"");
}

TEST(Localizer, OlderSystemsGetTheSubstituteLetterInVenetian) {
  auto loc = Localizer::createFromUtf8(kTable, u"ENGLISH", 5);
  EXPECT_EQ(str(loc->findByTag(u"vec")->findText(3008000)), u"Sona \u0142");
  EXPECT_EQ(str(loc->findByTag(u"deu")->findText(3008000)), u"Abspielen");
}

TEST(Localizer, SystemLanguageChoosesThePack) {
  struct Case {
    const char* locale;
    std::u16string engName;
  } cases[] = {
      {"de_DE.UTF-8", u"German"},
      {"zh_HK.UTF-8", u"Chinese_Traditional"},
      {"zh_MO", u"Chinese_Traditional"},
      {"zh_TW", u"Chinese_Traditional"},
      {"zh_CN", u"Chinese_Simplified"},
      {"zh_SG", u"Chinese_Simplified"},
      {"pt_BR", u"Portuguese_Brazilian"},
      {"pt_PT", u"Portuguese_Brazilian"},  // no Portugal pack: the Brazilian one
      {"nb_NO.UTF-8", u"English"},
      {"xx_YY", u"English"},
      {"C", u"English"},
  };
  for (auto& c : cases) {
    using s::lang::SystemLanguage;
    auto loc = Localizer::createFromUtf8(
        kTable, SystemLanguage::nameOfId(SystemLanguage::idFromLocale(c.locale)));
    ASSERT_NE(loc->getCurrent(), nullptr);
    EXPECT_EQ(loc->getCurrent()->engName(), c.engName) << c.locale;
  }
  // Any other Chinese identifier is Simplified.
  auto other = Localizer::createFromUtf8(kTable, s::lang::SystemLanguage::nameOfId(0x3C04));
  EXPECT_EQ(other->getCurrent()->engName(), u"Chinese_Simplified");
}

TEST(Localizer, StoredLanguageSettingChoosesAndIsWrittenBack) {
  testing_support::TempDir dir;
  struct Case {
    const char16_t* stored;  // null: no setting yet
    std::u16string chosen;
    std::u16string after;  // the setting afterwards; empty: still none
  } cases[] = {
      {nullptr, u"German", u""},  // a first start follows the system and writes nothing
      {u"german", u"German", u"German"},
      {u"German", u"German", u"German"},
      {u"Klingon", u"English", u"English"},
      {u"CHINESE", u"Chinese_Simplified", u"Chinese_Simplified"},
      {u"Venetian", u"Venetian", u"Venetian"},
  };
  for (auto& c : cases) {
    auto path = platform::text::utf8ToUtf16(dir.file("settings.xml"));
    auto store = s::thread::holdPooled(s::xml::openXmlStore(path.c_str(), u"Root", false));
    if (c.stored) store->setString(u"Language", u"", c.stored);
    auto loc = Localizer::createFromUtf8(kTable, u"GERMAN");
    Counter counter;
    loc->addListener(&counter);
    loc->chooseFromSettings(*store);
    EXPECT_EQ(loc->getCurrent()->engName(), c.chosen);
    EXPECT_EQ(std::u16string(store->getString(u"Language", u"", u"")), c.after);
    EXPECT_EQ(counter.calls, c.chosen == u"German" ? 0 : 1);
  }
}

TEST(Localizer, ListenersHearOfEveryChangeAndOnlyOfChanges) {
  auto loc = Localizer::createFromUtf8(kTable, u"ENGLISH");
  Counter a, b;
  loc->addListener(&a);
  loc->addListener(&b);
  loc->selectByName(u"english");
  EXPECT_EQ(a.calls, 0);
  loc->selectByIndex(1);
  EXPECT_EQ(loc->getCurrent()->engName(), u"German");
  EXPECT_EQ(str(loc->getText(3008000)), u"Abspielen");
  loc->selectByIndex(1);
  loc->selectByIndex(99);
  EXPECT_EQ(a.calls, 1);
  loc->selectByName(u"Nonexistent");
  EXPECT_EQ(loc->getCurrent()->engName(), u"English");
  EXPECT_EQ(a.calls, 2);
  EXPECT_EQ(b.calls, 2);
}

TEST(Localizer, EmptyOrMissingTableGivesEmptyTexts) {
  for (const char* doc : {"", "not xml", "<lang><languages/></lang>"}) {
    auto loc = Localizer::createFromUtf8(doc, u"GERMAN");
    EXPECT_EQ(loc->getLanguageCount(), 0);
    EXPECT_EQ(loc->getCurrent(), nullptr);
    EXPECT_EQ(str(loc->getText(1)), u"");
  }
  // A table without English falls back to its first language.
  auto loc = Localizer::createFromUtf8(
      "<lang><languages><entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>"
      "<entry tagName=\"fra\" engName=\"French\" trueName=\"Français\"/></languages>"
      "<entries><entry id=\"1\"><fra>Un</fra></entry></entries></lang>",
      u"KLINGON");
  EXPECT_EQ(loc->getCurrent()->engName(), u"German");
  EXPECT_EQ(str(loc->getText(1)), u"Un");
}

// The built-in table through the program's own reader: the 33 languages in table order, and
// every language has a text for every id.
TEST(Localizer, BuiltInTableHasEveryLanguageForEveryText) {
  auto loc = Localizer::createFromResource();
  const char16_t* const tags[] = {u"eng", u"bel", u"zhs", u"zht", u"deu", u"ell", u"spa", u"fra",
                                  u"ita", u"jpn", u"kor", u"nld", u"per", u"rus", u"ukr", u"ara",
                                  u"ind", u"bul", u"cze", u"dan", u"est", u"hrv", u"hun", u"pol",
                                  u"bra", u"ron", u"slk", u"srp", u"fin", u"swe", u"tur", u"vec",
                                  u"vie"};
  ASSERT_EQ(loc->getLanguageCount(), 33);
  for (std::int32_t i = 0; i < 33; ++i) EXPECT_EQ(loc->getLanguage(i)->tagName(), tags[i]);
  std::size_t texts = loc->getLanguage(0)->textCount();
  EXPECT_GT(texts, 0u);
  for (std::int32_t i = 0; i < 33; ++i) EXPECT_EQ(loc->getLanguage(i)->textCount(), texts);
  loc->selectByName(u"English");
  EXPECT_EQ(str(loc->getText(300000)), u"Pruv Sonvia");
}
