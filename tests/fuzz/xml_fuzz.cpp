// The XML reader on any input: UTF-8 bytes as files are read, and the same bytes taken directly
// as UTF-16 code units so the reader sees every possible character, NUL included. Whatever was
// read must write, decode and read again without fault. A tree whose names and texts are of the
// dialect's shape (what the program itself builds) must also read back exactly as written;
// other trees (a name holding "<", text holding markup) may read back as something else.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/xml/Node.h"
#include "tests/fuzz/TextSeeds.h"

namespace {

void exercise(s::xml::Node& root) {
  s::str::strbuffer::StrBuffer* scratch = s::str::strbuffer::StrBuffer::create();
  std::vector<const s::xml::Node*> pending{&root};
  while (!pending.empty()) {
    const s::xml::Node* n = pending.back();
    pending.pop_back();
    const s::xml::Attributes* attributes = n->attributes();
    for (std::int32_t i = 0; i < attributes->count(); ++i) {
      const s::xml::AttrRecord* r = attributes->at(i);
      std::u16string name(r->name, static_cast<std::size_t>(r->nameLength));
      n->getAttrDecoded(scratch, name.c_str(), u"", true);
      (void)n->getAttrS64(name.c_str(), 0);
      (void)n->getAttrU32(name.c_str(), 0);
      (void)n->getAttrBool(name.c_str(), false);
    }
    for (std::int32_t i = 0; i < n->childCount(); ++i) pending.push_back(n->childAt(i));
  }
  root.dumpTree(0, scratch);
  scratch->release();
}

bool plainName(std::u16string_view name) {
  if (name.empty() || name[0] == u'!') return false;
  return name.find_first_of(u" \t\r\n=\"<>/") == std::u16string_view::npos;
}

// True when every element and attribute name is plain and no text starts with white space or
// holds a "<" (a text read from content never does).
bool ofTheDialectsShape(const s::xml::Node& root) {
  std::vector<const s::xml::Node*> pending{&root};
  while (!pending.empty()) {
    const s::xml::Node* n = pending.back();
    pending.pop_back();
    if (!plainName(n->nameView())) return false;
    const s::xml::Attributes* attributes = n->attributes();
    for (std::int32_t i = 0; i < attributes->count(); ++i) {
      const s::xml::AttrRecord* r = attributes->at(i);
      std::u16string_view name(r->name, static_cast<std::size_t>(r->nameLength));
      std::u16string_view value(r->value, static_cast<std::size_t>(r->valueLength));
      if (name.empty()) {
        if (!value.empty() && (value.find(u'<') != value.npos ||
                               value.find_first_of(u" \t\r\n") == 0))
          return false;
      } else if (!plainName(name)) {
        return false;
      }
    }
    for (std::int32_t i = 0; i < n->childCount(); ++i) pending.push_back(n->childAt(i));
  }
  return true;
}

std::u16string reread(const std::u16string& text) {
  s::xml::Node* again = s::xml::Node::create();
  again->parse(text.data(), text.data() + text.size());
  std::u16string out;
  again->writeTo(out);
  again->release();
  return out;
}

void check(s::xml::Node& root) {
  exercise(root);
  std::u16string first;
  root.writeTo(first);
  std::u16string second = reread(first);
  if (ofTheDialectsShape(root) && second != first) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  s::xml::Node* fromUtf8 = s::xml::Node::create();
  fromUtf8->parseUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  check(*fromUtf8);
  fromUtf8->release();

  // An exact-size heap copy, so a read one code unit too far is caught.
  std::size_t units = size / 2;
  auto* text = static_cast<char16_t*>(std::malloc(units ? units * sizeof(char16_t) : 1));
  if (units) std::memcpy(text, data, units * sizeof(char16_t));
  s::xml::Node* fromUtf16 = s::xml::Node::create();
  const char16_t* after = fromUtf16->parse(text, text + units);
  if (after < text || after > text + units) std::abort();
  check(*fromUtf16);
  fromUtf16->release();
  std::free(text);
  return 0;
}

namespace {

const char* const kSeeds[] = {
    "<lang>\r\n\t<languages>\r\n\t\t<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
    "\r\n\t</languages>\r\n\t<entries>\r\n\t\t<!-- menu -->\r\n\t\t<entry id=\"300000\">name"
    "<eng>Pruv Sonvia</eng><deu>&#160;Wiedergabe&#160;</deu></entry>\r\n\t</entries>\r\n</lang>",
    "<SkinSetXml><Skin name=\"Blue &amp; Gold\" c0=\"00ff1a\"><Colors a=\"1\" b=\"-2\"></Colors>"
    "</Skin></SkinSetXml>",
    "<PlayListXml><Song title=\"&quot;x&quot; &lt;y&gt;&#13;&#10;\">text &amp; &gt; more<a/>tail"
    "</Song></PlayListXml>",
    "\xEF\xBB\xBF<a x = \"1\" y=\"2\"/>",
    "<!-- lead --><a></a>",
    "<a><b></x><c d=\"\"></c></a>",
};

}  // namespace

SONVIA_TEXT_SEEDS(kSeeds)
