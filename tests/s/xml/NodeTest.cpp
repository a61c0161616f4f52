#include "s/xml/Node.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/text/Utf.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pooled.h"
#include "s/xml/Reader.h"
#include "tests/support/TempDir.h"

using s::str::strbuffer::StrBuffer;
using s::xml::Node;

namespace {

using NodePtr = s::thread::Pooled<Node>;

NodePtr parsed(std::u16string_view text) {
  NodePtr node(Node::create());
  node->parse(text.data(), text.data() + text.size());
  return node;
}

std::u16string written(const Node& node) {
  std::u16string out;
  node.writeTo(out);
  return out;
}

std::u16string decoded(const Node& node, const char16_t* name) {
  auto b = s::thread::holdPooled(node.getAttrDecoded(nullptr, name, u"<absent>"));
  return std::u16string(b->view());
}

}  // namespace

TEST(XmlNode, ReadsAndWritesTheDialect) {
  struct Case {
    std::u16string in, out;
  } cases[] = {
      // Self-closing, spaces around "=": both attributes, written with an explicit end tag.
      {u"<a x=\"1\" y = \"2\"/>", u"<a x=\"1\" y=\"2\"></a>"},
      // Two text segments: only the first is written, before the children.
      {u"<a>\r\n  first text <b></b>  second\r\n</a>", u"<a>first text <b></b></a>"},
      // Comments are dropped wherever they stand inside the root.
      {u"<a><b></b><!-- c <d> --><c></c></a>", u"<a><b></b><c></c></a>"},
      // A leading comment is the whole document.
      {u"<!-- hi --><a><b></b></a>", u"<!--></!-->"},
      // Any end tag closes the current element.
      {u"<a><b></x><c></c></a>", u"<a><b></b><c></c></a>"},
      // A byte-order mark, CR LF and indentation between elements.
      {u"\uFEFF<lang>\r\n\t<x a=\"1\"\r\n\tb=\"2\"/>\r\n</lang>\r\n", u"<lang><x a=\"1\" b=\"2\"></x></lang>"},
      // Values stay escaped as read; TAB inside an attribute name does not end it.
      {u"<a v=\"&amp;&lt;x\">t&#160;&gt;</a>", u"<a v=\"&amp;&lt;x\">t&#160;&gt;</a>"},
      {u"<a\tb=\"1\"></a>", u"<a b=\"1\"></a>"},
      {u"no markup at all", u"<></>"},
  };
  for (auto& c : cases) EXPECT_EQ(written(*parsed(c.in)), c.out) << platform::text::utf16ToUtf8(c.in);

  NodePtr two = parsed(u"<a>  first text <b></b>  second </a>");
  EXPECT_EQ(two->attributes()->count(), 2);
  EXPECT_EQ(std::u16string(two->getAttrText(u"", nullptr)), u"first text ");
  EXPECT_EQ(decoded(*two, u""), u"first text");
  EXPECT_EQ(two->childCount(), 1);

  NodePtr empty = parsed(u"<a x=\"1\" y = \"2\"/>");
  EXPECT_EQ(empty->childCount(), 0);
  EXPECT_EQ(empty->attributes()->count(), 2);
  EXPECT_EQ(std::u16string(empty->getAttrText(u"Y", nullptr)), u"2");
}

TEST(XmlNode, ParseReturnsThePositionAfterTheElement) {
  std::u16string text = u"  <a><b/></a>tail";
  NodePtr n(Node::create());
  const char16_t* after = n->parse(text.c_str());
  EXPECT_EQ(std::u16string(after), u"tail");
  NodePtr comment(Node::create());
  std::u16string c = u"<!-- x -->rest";
  EXPECT_EQ(std::u16string(comment->parse(c.c_str())), u"rest");
  EXPECT_TRUE(comment->isComment());
}

TEST(XmlNode, TextAndAttributeValuesSurviveAWriteAndARead) {
  struct Case {
    const char16_t* name;
    std::u16string value;
  } cases[] = {
      {u"v", u"say \"hi\" & <go>\r\nnext line"},
      {u"", u"two  spaces and a trailing one "},
      {u"", u" leading space, line\nbreak, <tag> & \"quotes\""},
      {u"", u"日本語 Ελληνικά فارسی"},
  };
  for (auto& c : cases) {
    NodePtr n(Node::create());
    n->setName(u"e");
    n->addAttrText(c.name, c.value.c_str());
    EXPECT_EQ(decoded(*n, c.name), c.value);
    NodePtr again = parsed(written(*n));
    EXPECT_EQ(decoded(*again, c.name), c.value);
  }
  NodePtr n(Node::create());
  n->addAttrText(u"", u"a  b");
  EXPECT_EQ(std::u16string(n->getAttrText(u"", nullptr)), u"a&#160;&#160;b");
}

TEST(XmlNode, AttributesAndChildrenAreFoundAsTheFormatSays) {
  NodePtr n = parsed(u"<r a=\"first\" A=\"second\" b=\"10\"><Item></Item><item></item></r>");
  EXPECT_EQ(std::u16string(n->getAttrText(u"a", nullptr)), u"first");
  n->addAttrText(u"c", u"x");
  n->addAttrText(u"c", u"y");
  EXPECT_EQ(n->attributes()->count(), 5);
  EXPECT_EQ(std::u16string(n->getAttrText(u"C", nullptr)), u"x");
  EXPECT_EQ(n->getAttrText(u"missing", u"dflt"), std::u16string_view(u"dflt"));

  EXPECT_TRUE(n->childAt(0)->nameEquals(u"ITEM"));
  EXPECT_FALSE(n->childAt(0)->nameEquals(u"ITEM", 4));
  EXPECT_TRUE(n->childAt(0)->nameEquals(u"Items", 4));
  EXPECT_EQ(n->getChild(u"item", 4), n->childAt(1));
  EXPECT_EQ(n->getChild(u"ITEM", -1), n->childAt(0));
  EXPECT_EQ(n->getChild(u"none", -1), nullptr);
  std::int32_t index = -1;
  EXPECT_FALSE(n->findChild(u"ITEM", &index, 4));
  EXPECT_EQ(n->childAt(5), nullptr);
  NodePtr unnamed(Node::create());
  EXPECT_FALSE(unnamed->nameEquals(u"", -1));
  EXPECT_FALSE(unnamed->nameEquals(u"", 0));

  n->removeChild(0);
  EXPECT_EQ(n->childCount(), 1);
  EXPECT_EQ(std::u16string(n->childAt(0)->getName()), u"item");
}

TEST(XmlNode, TypedValuesUseTheFileFormats) {
  NodePtr n(Node::create());
  n->setName(u"v");
  n->addAttrS08(u"s8", -12);
  n->addAttrU08(u"u8", 255);
  n->addAttrU64(u"u64", 0xFFFFFFFFFFFFFFFBull);
  n->addAttrF32(u"f", 0.5f);
  n->addAttrF64(u"d", -1.0 / 3);
  const std::uint8_t bytes[] = {0x00, 0xFF, 0x1A};
  n->addAttrHexU08(u"h8", bytes, 3);
  const std::int16_t shorts[] = {-1, 0x12};
  n->addAttrHexS16(u"h16", shorts, 2);
  const std::int64_t longs[] = {0x1F};
  n->addAttrHexS64(u"h64", longs, 1);
  const double doubles[] = {1.0};
  n->addAttrHexF64(u"hd", doubles, 1);
  EXPECT_EQ(written(*n),
            u"<v s8=\"-12\" u8=\"255\" u64=\"-5\" f=\"0.500000\" d=\"-0.333333\" h8=\"00ff1a\""
            u" h16=\"ffff0012\" h64=\"000000000000001f\" hd=\"000000003ff00000\"></v>");

  NodePtr r = parsed(u"<v a=\"10\" b=\"trueness\" c=\"True\" d=\"yes\" e=\"0\" f=\"1\" g=\" -300x\""
                     u" h=\"junk\" i=\"4294967296\" j=\"-1\" k=\"-5\"/>");
  struct BoolCase {
    const char16_t* name;
    bool want;
  } bools[] = {{u"a", true}, {u"b", true}, {u"c", false}, {u"d", false}, {u"e", false}, {u"f", true}};
  for (auto& b : bools) EXPECT_EQ(r->getAttrBool(b.name, !b.want), b.want);
  EXPECT_TRUE(r->getAttrBool(u"none", true));
  EXPECT_EQ(r->getAttrS32(u"g", 7), -300);
  EXPECT_EQ(r->getAttrS08(u"g", 7), static_cast<std::int8_t>(-300));
  EXPECT_EQ(r->getAttrS32(u"h", 7), 0);
  EXPECT_EQ(r->getAttrS32(u"none", 7), 7);
  EXPECT_EQ(r->getAttrU32(u"i", 7), 0xFFFFFFFFu);
  EXPECT_EQ(r->getAttrU16(u"j", 7), 0xFFFF);
  EXPECT_EQ(r->getAttrU64(u"k", 7), 0xFFFFFFFFFFFFFFFBull);
  EXPECT_EQ(r->getAttrS64(u"i", 7), 4294967296);
}

// Every prefix of a document is read from a buffer of exactly that size, so the sanitizer
// catches any read past the end.
TEST(XmlNode, CutOffInputIsNeverReadPastItsEnd) {
  std::u16string doc =
      u"<!-- c --><root a=\"1\" b = \"two\"><x>text<y/> more <!-- z --></x><w q=\"&amp;\"></root>";
  for (std::size_t n = 0; n <= doc.size(); ++n) {
    auto buffer = std::make_unique<char16_t[]>(n ? n : 1);
    std::copy(doc.begin(), doc.begin() + n, buffer.get());
    NodePtr node(Node::create());
    const char16_t* after = node->parse(buffer.get(), buffer.get() + n);
    EXPECT_LE(after, buffer.get() + n);
    EXPECT_GE(after, buffer.get());
  }
  NodePtr none(Node::create());
  EXPECT_EQ(none->parse(nullptr), nullptr);
}

TEST(XmlNode, DeepNestingReadsWritesAndReleasesWithoutRecursion) {
  constexpr int kDepth = 200000;
  std::u16string doc;
  for (int i = 0; i < kDepth; ++i) doc += u"<a>";
  for (int i = 0; i < kDepth; ++i) doc += u"</a>";
  NodePtr n = parsed(doc);
  int depth = 0;
  for (const Node* p = n.get(); p; p = p->childAt(0)) ++depth;
  EXPECT_EQ(depth, kDepth);
  EXPECT_EQ(written(*n), doc);
}

TEST(XmlNode, ReleasedNodesComeBackEmpty) {
  Node* n = Node::create();
  n->setName(u"used");
  n->addAttrText(u"a", u"b");
  n->addChild(u"child")->addChild(u"grandchild");
  n->release();
  for (int i = 0; i < 3; ++i) {
    Node* again = Node::create();
    EXPECT_EQ(again->nameView(), u"");
    EXPECT_EQ(again->attributes()->count(), 0);
    EXPECT_EQ(again->childCount(), 0);
    again->release();
  }
}

TEST(XmlNode, FilesAreUtf8AndSaveMakesItsFolder) {
  testing_support::TempDir dir;
  std::u16string path = platform::text::utf8ToUtf16(dir.file("new/deeper/list.mpl"));
  NodePtr n(Node::create());
  n->setName(u"PlayListXml");
  n->addChild(u"Song")->addAttrText(u"title", u"Ünïcödé – 日本");
  n->childAt(0)->addAttrText(u"", u" spaced ");
  ASSERT_TRUE(n->saveFile(path.c_str()));
  std::ifstream in(dir.file("new/deeper/list.mpl"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, platform::text::utf16ToUtf8(written(*n)));
  EXPECT_EQ(bytes.substr(0, 3), "<Pl");  // no byte-order mark, no declaration

  NodePtr back(Node::create());
  ASSERT_TRUE(back->loadFile(path.c_str()));
  EXPECT_EQ(written(*back), written(*n));
  EXPECT_EQ(decoded(*back->childAt(0), u""), u" spaced ");

  // Missing and empty files leave an empty node.
  NodePtr missing = parsed(u"<old/>");
  EXPECT_FALSE(missing->loadFile(platform::text::utf8ToUtf16(dir.file("none.xml")).c_str()));
  EXPECT_EQ(missing->nameView(), u"");
  std::ofstream(dir.file("empty.xml"));
  NodePtr empty(Node::create());
  empty->loadFile(platform::text::utf8ToUtf16(dir.file("empty.xml")).c_str());
  EXPECT_EQ(empty->nameView(), u"");
  EXPECT_EQ(empty->childCount(), 0);
  // Nothing is left beside the saved file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("new/deeper")),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(XmlNode, DumpTreeIndentsOneTabPerLevel) {
  NodePtr n = parsed(u"<a x=\"1\"><b>t</b></a>");
  auto out = s::thread::holdPooled(StrBuffer::create());
  n->dumpTree(0, out.get());
  EXPECT_EQ(out->view(), u"a\n\tx=1\n\tb\n\t\t=t\n");
}

// The language table is the largest hand-formatted document the program reads: 33 scripts,
// indentation and CR LF. Saved and loaded again it keeps every value.
TEST(XmlNode, TheLanguageTableLoadsAndSavesUnchangedExceptForLayout) {
  testing_support::TempDir dir;
  std::u16string source = platform::text::utf8ToUtf16(std::string(SONVIA_SOURCE_DIR) +
                                                       "/resources/lang/languages.xml");
  NodePtr table(Node::create());
  ASSERT_TRUE(table->loadFile(source.c_str()));
  ASSERT_EQ(table->nameView(), u"lang");
  std::u16string copy = platform::text::utf8ToUtf16(dir.file("copy.xml"));
  ASSERT_TRUE(table->saveFile(copy.c_str()));
  NodePtr again(Node::create());
  ASSERT_TRUE(again->loadFile(copy.c_str()));
  EXPECT_EQ(written(*again), written(*table));

  // Every translation decodes the same from both.
  const Node* entries = table->getChild(u"entries");
  const Node* entriesAgain = again->getChild(u"entries");
  ASSERT_NE(entries, nullptr);
  ASSERT_NE(entriesAgain, nullptr);
  ASSERT_EQ(entries->childCount(), entriesAgain->childCount());
  for (std::int32_t i = 0; i < entries->childCount(); ++i)
    for (std::int32_t j = 0; j < entries->childAt(i)->childCount(); ++j)
      ASSERT_EQ(decoded(*entries->childAt(i)->childAt(j), u""),
                decoded(*entriesAgain->childAt(i)->childAt(j), u""));
}

// A file is turned into text a block at a time; characters of several bytes that straddle the
// blocks and bytes that are no UTF-8 at all read exactly as the whole file read at once.
TEST(XmlNode, ALargeFileReadsAsItsBytesParsedAtOnce) {
  testing_support::TempDir dir;
  std::string bytes = "<R>";
  for (int i = 0; bytes.size() < 3 * 1024 * 1024; ++i) {
    bytes += "<e n=\"" + std::to_string(i) + " \xc3\xa9\xe6\x97\xa5\xf0\x9f\x8e\xb5";
    if (i % 977 == 0) bytes += "\xff\xc3";  // broken sequences now and then
    bytes += "\"></e>";
  }
  bytes += "</R>";
  std::ofstream(dir.file("big.xml"), std::ios::binary) << bytes;
  NodePtr fromFile(Node::create());
  ASSERT_TRUE(fromFile->loadFile(platform::text::utf8ToUtf16(dir.file("big.xml")).c_str()));
  NodePtr atOnce(Node::create());
  atOnce->parseUtf8(bytes);
  EXPECT_GT(fromFile->childCount(), 10000);
  EXPECT_TRUE(written(*fromFile) == written(*atOnce));
}

// Elements two levels down are handed over as soon as they are complete; the ones the taker
// uses leave the tree at once, whole subtrees with them, and nothing cut short is handed over.
TEST(XmlNode, EntriesAreHandedOverAsTheyCompleteAndLeaveTheTree) {
  const std::u16string text =
      u"<R><G v=\"1\"/><L n=\"x\"><e i=\"1\"/><e i=\"2\"></e><keep/>"
      u"<e i=\"3\"><d/><d/></e></L><L><e i=\"4\"/></L></R>";
  std::vector<std::u16string> taken;
  std::vector<int> children;
  s::xml::ReadContext context;
  context.takeEntry = [&](Node& parent, Node& element) {
    if (!element.nameEquals(u"e")) return false;
    taken.push_back(parent.nameView() == u"L" ? element.getAttrText(u"i", u"") : u"?");
    children.push_back(element.childCount());
    return true;
  };
  NodePtr root(Node::create());
  s::xml::Reader::read(*root, text.data(), text.data() + text.size(), &context);
  EXPECT_TRUE(context.complete);
  EXPECT_EQ(taken, (std::vector<std::u16string>{u"1", u"2", u"3", u"4"}));
  EXPECT_EQ(children, (std::vector<int>{0, 0, 2, 0}));
  EXPECT_EQ(written(*root), u"<R><G v=\"1\"></G><L n=\"x\"><keep></keep></L><L></L></R>");

  // Cut inside the third entry: it is never handed over and stays in the tree as read.
  const std::u16string cut = text.substr(0, text.find(u"<d/><d/>") + 4);
  taken.clear();
  children.clear();
  NodePtr partial(Node::create());
  s::xml::Reader::read(*partial, cut.data(), cut.data() + cut.size(), &context);
  EXPECT_FALSE(context.complete);
  EXPECT_EQ(taken, (std::vector<std::u16string>{u"1", u"2"}));
  ASSERT_NE(context.cut, nullptr);
  EXPECT_EQ(context.cut->nameView(), u"e");
}
