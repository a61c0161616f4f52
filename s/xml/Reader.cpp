#include "s/xml/Reader.h"

#include <string_view>
#include <vector>

#include "s/xml/Node.h"

namespace s::xml {

namespace {

bool isWhite(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

const char16_t* skipWhite(const char16_t* p, const char16_t* end) {
  while (p < end && isWhite(*p)) ++p;
  return p;
}

const char16_t* findChar(const char16_t* p, const char16_t* end, char16_t c) {
  while (p < end && *p != c) ++p;
  return p;
}

// After a start tag or a child: everything up to the next "<" that is not white space at its
// start becomes a text segment (its trailing white space kept as stored).
const char16_t* readText(Node& node, const char16_t* p, const char16_t* end) {
  p = skipWhite(p, end);
  if (p < end && *p != u'<') {
    const char16_t* stop = findChar(p, end, u'<');
    node.addAttrRaw(std::u16string_view(), std::u16string_view(p, static_cast<std::size_t>(stop - p)));
    p = stop;
  }
  return p;
}

// Closed: self-closed or a comment; Cut: the text ended inside the tag (the element is taken
// as it stands, empty); None: no tag before the end of the text.
enum class Start { Closed, Open, Cut, None };

// The start tag of one element, from before its "<": name, attributes, and whether it is
// open, empty or cut off by the end of the text. `p` ends after the tag's ">" for an open
// element, after the whole element otherwise.
Start readStartTag(Node& node, const char16_t*& p, const char16_t* end) {
  p = findChar(p, end, u'<');
  if (p == end) return Start::None;
  p = skipWhite(p + 1, end);

  const char16_t* name = p;
  if (p < end && *p == u'!') {
    p += end - p < 3 ? end - p : 3;
  } else {
    while (p < end && !isWhite(*p) && *p != u'/' && *p != u'>') ++p;
  }
  node.setName(name, static_cast<std::int32_t>(p - name));

  if (node.isComment()) {
    std::u16string_view rest(p, static_cast<std::size_t>(end - p));
    std::size_t close = rest.find(u"-->");
    if (close == std::u16string_view::npos) {
      p = end;
      return Start::Cut;
    }
    p += close + 3;
    return Start::Closed;
  }

  for (;;) {
    p = skipWhite(p, end);
    if (p == end) return Start::Cut;
    if (*p == u'>' || *p == u'/') break;
    // The name ends at "=" or a space only; a TAB or line break inside does not end it.
    const char16_t* attrName = p;
    while (p < end && *p != u'=' && *p != u' ') ++p;
    const char16_t* attrNameEnd = p;
    if (p == end) return Start::Cut;
    p = findChar(p + 1, end, u'"');
    if (p == end) return Start::Cut;
    const char16_t* value = ++p;
    p = findChar(p, end, u'"');
    node.addAttrRaw(std::u16string_view(attrName, static_cast<std::size_t>(attrNameEnd - attrName)),
                    std::u16string_view(value, static_cast<std::size_t>(p - value)));
    if (p == end) return Start::Cut;
    ++p;
  }
  if (*p == u'/') {
    p = findChar(p, end, u'>');
    if (p == end) return Start::Cut;
    ++p;
    return Start::Closed;
  }
  ++p;  // the ">"
  return Start::Open;
}


// `context.cut` gets the innermost element the end of the text fell into (the first one noticed
// is the innermost: the text ends only once).
const char16_t* readDocument(Node& root, const char16_t* text, const char16_t* end,
                             ReadContext& context) {
  bool& whole = context.complete;
  auto cutAt = [&](const Node* node) {
    whole = false;
    if (!context.cut) context.cut = node;
  };
  // `element`, the last child of `parent`, is complete.
  auto finished = [&](Node& parent, std::size_t depth) {
    if (depth != 2 || !context.takeEntry) return;
    const std::int32_t last = parent.childCount() - 1;
    if (context.takeEntry(parent, *parent.childAt(last))) parent.removeChild(last);
  };
  const char16_t* p = text;
  if (!p || p >= end) return p;
  switch (readStartTag(root, p, end)) {
    case Start::None:
      // Only a byte-order mark and white space count as an empty document.
      for (const char16_t* c = text; c < end && whole; ++c)
        whole = isWhite(*c) || *c == u'\uFEFF';
      return p;
    case Start::Cut:
      cutAt(&root);
      return p;
    case Start::Closed:
      return p;
    case Start::Open:
      break;
  }
  p = readText(root, p, end);

  // The open elements, innermost last; each level is a heap entry, not a stack frame.
  std::vector<Node*> open{&root};
  while (!open.empty()) {
    Node& node = *open.back();
    // Here p is at a "<" or at the end.
    if (p >= end || p + 1 >= end) {
      cutAt(&node);
      return end;
    }
    if (p[1] != u'/') {
      Node* child = Node::create();
      Start start = readStartTag(*child, p, end);
      if (start == Start::Cut) cutAt(child->isComment() ? &node : child);
      if (child->isComment()) {
        child->release();
      } else {
        node.appendChild(child);
        if (start == Start::Open) {
          open.push_back(child);
          p = readText(*child, p, end);
          continue;
        }
        if (start == Start::Closed) finished(node, open.size());
      }
      p = readText(node, p, end);
      continue;
    }
    // Any end tag closes the innermost open element, whatever name it carries.
    p = findChar(p, end, u'>');
    if (p < end)
      ++p;
    else
      cutAt(&node);
    open.pop_back();
    if (!open.empty()) {
      if (whole) finished(*open.back(), open.size());
      p = readText(*open.back(), p, end);
    }
  }
  return p;
}

}  // namespace

const char16_t* Reader::read(Node& root, const char16_t* text, const char16_t* end,
                             ReadContext* context) {
  ReadContext none;
  ReadContext& into = context ? *context : none;
  into.complete = true;
  into.cut = nullptr;
  return readDocument(root, text, end, into);
}

}  // namespace s::xml
