#include "s/xml/MappedData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text/Utf.h"
#include "s/col/_array/ArrayU08.h"
#include "s/xml/Node.h"
#include "tests/support/TempDir.h"
#include "s/thread/Pooled.h"

namespace {

std::u16string wide(const std::string& s) { return platform::text::utf8ToUtf16(s); }

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::u16string written(const s::xml::Node& n) {
  std::u16string out;
  n.writeTo(out);
  return out;
}

}  // namespace

TEST(XmlStore, SettingReplacesAndMovesTheValueToTheEnd) {
  testing_support::TempDir dir;
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(dir.file("a.xml")).c_str(), u"PlayListXml", false));
  store->setS32(u"Song", u"a", 1);
  store->setS32(u"Song", u"b", 2);
  store->setS32(u"Song", u"A", 3);
  store->setString(u"Song", u"", u"two  words");
  store->setF64(u"Song", u"f", 0.5);
  store->setBool(u"Song", u"on", true);
  EXPECT_EQ(written(*store->root()),
            u"<PlayListXml><Song b=\"2\" A=\"3\" f=\"0.500000\" on=\"1\">two&#160;&#160;words</Song>"
            u"</PlayListXml>");
  EXPECT_EQ(std::u16string(store->getString(u"Song", u"", u"")), u"two  words");
}

TEST(XmlStore, PathsSplitAtBothSeparatorsAndTheRememberedPathIgnoresCase) {
  testing_support::TempDir dir;
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(dir.file("p.xml")).c_str(), u"Root", false));
  store->setS32(u"Skin/Colors", u"n", 7);
  EXPECT_EQ(store->getS32(u"Skin\\Colors", u"n", 0), 7);
  EXPECT_EQ(store->root()->childCount(), 1);
  // Remembered: another case of the same path reuses the element found before...
  EXPECT_EQ(store->getS32(u"skin\\colors", u"n", 0), 7);
  // ...but a fresh lookup matches names exactly.
  store->setS32(u"Other", u"n", 1);
  EXPECT_EQ(store->getS32(u"skin\\Colors", u"n", -1), -1);
  EXPECT_FALSE(store->selectPath(u"SKIN"));
  EXPECT_TRUE(store->selectPath(u"Skin"));
}

TEST(XmlStore, RemovePathIgnoresCaseInItsLastComponentOnly) {
  testing_support::TempDir dir;
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(dir.file("r.xml")).c_str(), u"Root", false));
  store->openPath(u"Alpha");
  store->openPath(u"Beta/Gamma");
  store->removePath(u"ALPHA");
  store->removePath(u"beta/GAMMA");  // "beta" is not "Beta": nothing happens
  EXPECT_EQ(written(*store->root()), u"<Root><Beta><Gamma></Gamma></Beta></Root>");
  store->removePath(u"Beta/GAMMA");
  EXPECT_EQ(written(*store->root()), u"<Root><Beta></Beta></Root>");
}

TEST(XmlStore, FlushWritesTheFileAndOpeningReadsIt) {
  testing_support::TempDir dir;
  std::string path = dir.file("sub/list.mpl");
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(path).c_str(), u"PlayListXml", true));
  store->setString(u"Info", u"Name", u"Läuft – \"gut\"");
  store->setU64(u"Info", u"Size", 1234567890123ull);
  store->flush();
  EXPECT_EQ(fileText(path),
            "<PlayListXml><Info Name=\"Läuft – &quot;gut&quot;\" Size=\"1234567890123\"></Info>"
            "</PlayListXml>");

  auto again = s::thread::holdPooled(s::xml::openXmlStore(wide(path).c_str(), u"Ignored", true));
  EXPECT_EQ(std::u16string(again->root()->getName()), u"PlayListXml");
  EXPECT_EQ(std::u16string(again->getString(u"Info", u"Name", u"")), u"Läuft – \"gut\"");
  EXPECT_EQ(again->getU64(u"Info", u"Size", 0), 1234567890123ull);
  // With automatic flushing every change reaches the file.
  again->setAutoFlush(true);
  again->setS32(u"Info", u"Count", 2);
  EXPECT_NE(fileText(path).find("Count=\"2\""), std::string::npos);

  // Not loading, a missing file, an empty one and one holding only a comment: a fresh root.
  std::ofstream(dir.file("empty.xml"));
  std::ofstream(dir.file("comment.xml")) << "<!-- nothing here -->";
  for (auto [file, load] : {std::pair{path, false}, {dir.file("none.xml"), true},
                            {dir.file("empty.xml"), true}, {dir.file("comment.xml"), true}}) {
    auto fresh = s::thread::holdPooled(s::xml::openXmlStore(wide(file).c_str(), u"SkinSetXml", load));
    EXPECT_EQ(written(*fresh->root()), u"<SkinSetXml></SkinSetXml>") << file;
  }
}

TEST(XmlStore, TextThatIsNoNumberReadsAsZero) {
  testing_support::TempDir dir;
  std::ofstream(dir.file("n.xml")) << "<R><V a=\"abc\" b=\" 12abc\" f=\"2.5e1\" h=\"0aZZ\"/></R>";
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(dir.file("n.xml")).c_str(), u"R", true));
  EXPECT_EQ(store->getS32(u"V", u"a", 5), 0);
  EXPECT_EQ(store->getS32(u"V", u"b", 5), 12);
  EXPECT_EQ(store->getF64(u"V", u"f", 0), 25.0);
  auto bytes = s::thread::holdPooled(store->getBytes(u"V", u"h", nullptr));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->size(), 1u);
}

// Many siblings go through the store's child index; it must agree with a plain search even
// when the document is changed behind the store's back.
TEST(XmlStore, ManySiblingsAreFoundByExactName) {
  testing_support::TempDir dir;
  auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(dir.file("many.xml")).c_str(), u"R", false));
  for (int i = 0; i < 3000; ++i) {
    std::u16string path = u"List/S" + wide(std::to_string(i));
    store->setS32(path.c_str(), u"v", i);
  }
  store->setS32(u"List/S0", u"v", -1);  // an existing sibling, found again
  EXPECT_EQ(store->root()->getChild(u"List")->childCount(), 3000);
  for (int i = 1; i < 3000; i += 97) {
    std::u16string path = u"List\\S" + wide(std::to_string(i));
    EXPECT_EQ(store->getS32(path.c_str(), u"v", -5), i);
  }
  EXPECT_EQ(store->getS32(u"List/S0", u"v", 0), -1);
  EXPECT_EQ(store->getS32(u"List/s1", u"v", -5), -5);

  s::xml::Node* list = store->root()->getChild(u"List");
  list->addChild(u"Late")->addAttrS32(u"v", 42);
  EXPECT_EQ(store->getS32(u"List/Late", u"v", 0), 42);
  list->removeChild(0);
  list->addChild(u"S0")->addAttrS32(u"v", 43);
  EXPECT_EQ(store->getS32(u"List/S0", u"v", 0), 43);
  store->removePath(u"List/S5");
  EXPECT_EQ(store->getS32(u"List/S5", u"v", -5), -5);
  EXPECT_EQ(store->getS32(u"List/S6", u"v", -5), 6);
}

// A store opened to load tells what it found, so that a caller never writes over a file that
// holds something it could not read: a document cut short (a crash, a full disk) still reads as
// far as it goes, but is known to be incomplete.
TEST(XmlStore, OpeningTellsWhetherTheFileHeldAWholeDocument) {
  using State = s::xml::MappedData::LoadState;
  testing_support::TempDir dir;
  const std::string whole = "<R><A x=\"1\"></A><B y=\"2\"/><!-- c --></R>";
  struct Case {
    const char* name;
    std::string text;  // "<none>": no file; "<folder>": a folder
    State state;
    std::u16string cut = u"";  // the element the file broke off in
  } cases[] = {
      {"whole", whole, State::kRead},
      {"trailing white space", whole + "\n", State::kRead},
      {"byte-order mark first", "\xEF\xBB\xBF" + whole, State::kRead},
      {"no file", "<none>", State::kNoFile},
      {"empty", "", State::kEmpty},
      {"white space only", " \r\n\t", State::kEmpty},
      {"a folder", "<folder>", State::kUnreadable},
      {"root never ended", "<R><A x=\"1\"></A>", State::kDamaged, u"R"},
      {"cut in an end tag", "<R><A x=\"1\"></A></", State::kDamaged, u"R"},
      {"cut in an attribute value", "<R><A x=\"1", State::kDamaged, u"A"},
      {"cut in a start tag", "<R><A x=\"1\"", State::kDamaged, u"A"},
      {"cut in a self-closing tag", "<R><A /", State::kDamaged, u"A"},
      {"cut in a child's child", "<R><A><B x=\"1\"></B><B y=", State::kDamaged, u"B"},
      {"cut in a comment", "<R><!-- c", State::kDamaged, u"R"},
      {"no element", "just text", State::kDamaged},
      {"only a comment", "<!-- c -->", State::kDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.file(std::string(c.name) + ".xml");
    if (c.text == "<folder>")
      std::filesystem::create_directories(path);
    else if (c.text != "<none>")
      std::ofstream(path, std::ios::binary) << c.text;
    auto store = s::thread::holdPooled(s::xml::openXmlStore(wide(path).c_str(), u"R", true));
    EXPECT_EQ(store->loadState(), c.state);
    EXPECT_EQ(store->loadError().empty(), c.state != State::kUnreadable);
    // Whatever was found, the store has a root to work with.
    EXPECT_FALSE(store->root()->nameView().empty());
    const s::xml::Node* cut = store->cutElement();
    EXPECT_EQ(cut ? cut->nameView() : std::u16string_view(), c.cut);
    if (c.state == State::kDamaged && c.text.find("<A") != std::string::npos) {
      EXPECT_TRUE(store->selectPath(u"A"));  // what was there is still read
    }
  }
  auto fresh = s::thread::holdPooled(s::xml::openXmlStore(wide(dir.file("whole.xml")).c_str(), u"R", false));
  EXPECT_EQ(fresh->loadState(), State::kNotLoaded);
}
