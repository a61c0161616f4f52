#include "s/xml/Node.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/text/Utf.h"
#include "s/col/_array/ArrayU08.h"
#include "s/file/FileInputStream.h"
#include "s/file/FileOutputStream.h"
#include "s/file/StagedOutput.h"
#include "s/file/win/PathWin.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/Pooled.h"
#include "s/xml/NameMatch.h"
#include "s/xml/NumberText.h"
#include "s/xml/Reader.h"
#include "s/xml/TextCodec.h"
#include "s/xml/Utf8Text.h"

namespace s::xml {

using str::strbuffer::StrBuffer;

Node* Node::create() { return thread::PoolOf<Node>::acquire(); }

void Node::release() { thread::PoolOf<Node>::release(this); }

Node::~Node() { clear(); }

void Node::clear() {
  delete[] name_;
  name_ = nullptr;
  nameLength_ = 0;
  attributes_.clear();
  // Children are handed back level by level from a work list: a recursive release would put
  // one stack frame per level of a deeply nested document.
  std::vector<Node*> pending;
  pending.swap(children_);
  while (!pending.empty()) {
    Node* n = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), n->children_.begin(), n->children_.end());
    n->children_.clear();
    n->release();
  }
}

void Node::dumpTree(std::int32_t indent, StrBuffer* out) const {
  struct Frame {
    const Node* node;
    std::int32_t depth;
  };
  std::vector<Frame> pending{{this, indent < 0 ? 0 : indent}};
  while (!pending.empty()) {
    Frame f = pending.back();
    pending.pop_back();
    if (out) {
      out->append(std::u16string(static_cast<std::size_t>(f.depth), u'\t'))
          .append(f.node->nameView())
          .append(u'\n');
      for (std::int32_t i = 0; i < f.node->attributes_.count(); ++i) {
        const AttrRecord* r = f.node->attributes_.at(i);
        out->append(std::u16string(static_cast<std::size_t>(f.depth) + 1, u'\t'))
            .append(viewOf(r->name, r->nameLength))
            .append(u"=")
            .append(viewOf(r->value, r->valueLength))
            .append(u'\n');
      }
    }
    for (std::size_t i = f.node->children_.size(); i-- > 0;)
      pending.push_back({f.node->children_[i], f.depth + 1});
  }
}

const char16_t* Node::parse(const char16_t* text) {
  if (!text) return text;
  return parse(text, text + std::char_traits<char16_t>::length(text));
}

const char16_t* Node::parse(const char16_t* text, const char16_t* end) {
  return Reader::read(*this, text, end);
}

void Node::parseUtf8(std::string_view bytes, ReadContext* context) {
  std::u16string text;
  appendUtf8AsUtf16(text, bytes);
  Reader::read(*this, text.data(), text.data() + text.size(), context);
}

void Node::parseBytes(const col::_array::ArrayU08* bytes) {
  if (!bytes) return;
  parseUtf8(std::string_view(reinterpret_cast<const char*>(bytes->bytes()), bytes->size()));
}

void Node::setName(const char16_t* text, std::int32_t length) {
  std::u16string_view name = viewOf(text, length);
  auto* copy = new char16_t[name.size() + 1];
  if (!name.empty()) std::memcpy(copy, name.data(), name.size() * sizeof(char16_t));
  copy[name.size()] = 0;
  delete[] name_;
  name_ = copy;
  nameLength_ = static_cast<std::int32_t>(name.size());
}

bool Node::nameEquals(const char16_t* text, std::int32_t count) const {
  if (!name_) return false;
  if (count < 0) return equalsIgnoreCase(nameView(), viewOf(text));
  return count == nameLength_ && (count == 0 || std::memcmp(name_, text, count * sizeof(char16_t)) == 0);
}

Node* Node::childAt(std::int32_t index) const {
  return index >= 0 && index < childCount() ? children_[static_cast<std::size_t>(index)] : nullptr;
}

Node* Node::addChild(const char16_t* name, std::int32_t length) {
  Node* child = create();
  child->setName(name, length);
  children_.push_back(child);
  return child;
}

Node* Node::appendChild(IXml* node) {
  // Every IXml of this library is a Node.
  auto* child = static_cast<Node*>(node);
  if (child) children_.push_back(child);
  return child;
}

void Node::removeChild(std::int32_t index) {
  Node* child = childAt(index);
  if (!child) return;
  children_.erase(children_.begin() + index);
  child->release();
}

bool Node::findChild(const char16_t* name, std::int32_t* outIndex, std::int32_t count) const {
  for (std::size_t i = 0; i < children_.size(); ++i)
    if (children_[i]->nameEquals(name, count)) {
      if (outIndex) *outIndex = static_cast<std::int32_t>(i);
      return true;
    }
  return false;
}

Node* Node::getChild(const char16_t* name, std::int32_t count) const {
  std::int32_t index = 0;
  return findChild(name, &index, count) ? children_[static_cast<std::size_t>(index)] : nullptr;
}

void Node::addAttrU64(const char16_t* name, std::uint64_t value) {
  addAttrS64(name, static_cast<std::int64_t>(value));  // written signed, as the format has it
}

void Node::addAttrU32(const char16_t* name, std::uint32_t value) {
  std::u16string v;
  appendU64(v, value);
  attributes_.append(viewOf(name), v);
}

void Node::addAttrU16(const char16_t* name, std::uint16_t value) { addAttrU32(name, value); }

void Node::addAttrU08(const char16_t* name, std::uint8_t value) { addAttrU32(name, value); }

void Node::addAttrS64(const char16_t* name, std::int64_t value) {
  std::u16string v;
  appendS64(v, value);
  attributes_.append(viewOf(name), v);
}

void Node::addAttrS32(const char16_t* name, std::int32_t value) { addAttrS64(name, value); }

void Node::addAttrS16(const char16_t* name, std::int16_t value) { addAttrS64(name, value); }

void Node::addAttrS08(const char16_t* name, std::int8_t value) { addAttrS64(name, value); }

void Node::addAttrF32(const char16_t* name, float value) { addAttrF64(name, value); }

void Node::addAttrF64(const char16_t* name, double value) {
  std::u16string v;
  appendFixed6(v, value);
  attributes_.append(viewOf(name), v);
}

void Node::addAttrText(const char16_t* name, const char16_t* text) {
  std::u16string_view n = viewOf(name);
  std::u16string v;
  escapeInto(v, viewOf(text), n.empty() ? TextContext::Text : TextContext::Attribute);
  attributes_.append(n, v);
}

template <typename T>
void Node::addHex(const char16_t* name, const T* values, std::int32_t count, int digits) {
  std::u16string v;
  if (values && count > 0) {
    v.reserve(static_cast<std::size_t>(count) * static_cast<std::size_t>(digits));
    for (std::int32_t i = 0; i < count; ++i)
      appendHex(v, static_cast<std::make_unsigned_t<T>>(values[i]), digits);
  }
  attributes_.append(viewOf(name), v);
}

void Node::addAttrHexS64(const char16_t* n, const std::int64_t* v, std::int32_t c) { addHex(n, v, c, 16); }
void Node::addAttrHexS32(const char16_t* n, const std::int32_t* v, std::int32_t c) { addHex(n, v, c, 8); }
void Node::addAttrHexS16(const char16_t* n, const std::int16_t* v, std::int32_t c) { addHex(n, v, c, 4); }
void Node::addAttrHexS08(const char16_t* n, const std::int8_t* v, std::int32_t c) { addHex(n, v, c, 2); }
void Node::addAttrHexU64(const char16_t* n, const std::uint64_t* v, std::int32_t c) { addHex(n, v, c, 16); }
void Node::addAttrHexU32(const char16_t* n, const std::uint32_t* v, std::int32_t c) { addHex(n, v, c, 8); }
void Node::addAttrHexU16(const char16_t* n, const std::uint16_t* v, std::int32_t c) { addHex(n, v, c, 4); }
void Node::addAttrHexU08(const char16_t* n, const std::uint8_t* v, std::int32_t c) { addHex(n, v, c, 2); }

void Node::addAttrHexF32(const char16_t* name, const float* values, std::int32_t count) {
  std::vector<std::uint32_t> words(values && count > 0 ? static_cast<std::size_t>(count) : 0);
  if (!words.empty()) std::memcpy(words.data(), values, words.size() * sizeof(float));
  addHex(name, words.data(), static_cast<std::int32_t>(words.size()), 8);
}

void Node::addAttrHexF64(const char16_t* name, const double* values, std::int32_t count) {
  // Two 32-bit words per value, in memory order.
  std::vector<std::uint32_t> words(values && count > 0 ? 2 * static_cast<std::size_t>(count) : 0);
  if (!words.empty()) std::memcpy(words.data(), values, words.size() * sizeof(std::uint32_t));
  addHex(name, words.data(), static_cast<std::int32_t>(words.size()), 8);
}

const AttrRecord* Node::find(const char16_t* name) const { return attributes_.get(viewOf(name)); }

const char16_t* Node::getAttrText(const char16_t* name, const char16_t* def) const {
  const AttrRecord* r = find(name);
  return r ? r->value : def;
}

bool Node::getAttrBool(const char16_t* name, bool def) const {
  const AttrRecord* r = find(name);
  if (!r) return def;
  std::u16string_view v = viewOf(r->value, r->valueLength);
  return v.substr(0, 1) == u"1" || v.substr(0, 4) == u"true";
}

namespace {
std::u16string_view storedOf(const AttrRecord* r) { return viewOf(r->value, r->valueLength); }
}  // namespace

std::int8_t Node::getAttrS08(const char16_t* name, std::int8_t def) const {
  const AttrRecord* r = find(name);
  return r ? static_cast<std::int8_t>(textToS32(storedOf(r))) : def;
}

std::int16_t Node::getAttrS16(const char16_t* name, std::int16_t def) const {
  const AttrRecord* r = find(name);
  return r ? static_cast<std::int16_t>(textToS32(storedOf(r))) : def;
}

std::int32_t Node::getAttrS32(const char16_t* name, std::int32_t def) const {
  const AttrRecord* r = find(name);
  return r ? textToS32(storedOf(r)) : def;
}

std::int64_t Node::getAttrS64(const char16_t* name, std::int64_t def) const {
  const AttrRecord* r = find(name);
  return r ? textToS64(storedOf(r)) : def;
}

std::uint8_t Node::getAttrU08(const char16_t* name, std::uint8_t def) const {
  const AttrRecord* r = find(name);
  return r ? static_cast<std::uint8_t>(textToU32(storedOf(r))) : def;
}

std::uint16_t Node::getAttrU16(const char16_t* name, std::uint16_t def) const {
  const AttrRecord* r = find(name);
  return r ? static_cast<std::uint16_t>(textToU32(storedOf(r))) : def;
}

std::uint32_t Node::getAttrU32(const char16_t* name, std::uint32_t def) const {
  const AttrRecord* r = find(name);
  return r ? textToU32(storedOf(r)) : def;
}

std::uint64_t Node::getAttrU64(const char16_t* name, std::uint64_t def) const {
  const AttrRecord* r = find(name);
  return r ? static_cast<std::uint64_t>(textToS64(storedOf(r))) : def;
}

bool Node::decodeAttr(std::u16string& out, std::u16string_view name) const {
  const AttrRecord* r = attributes_.get(name);
  if (!r) return false;
  decodeInto(out, storedOf(r), name.empty() ? TextContext::Text : TextContext::Attribute);
  return true;
}

StrBuffer* Node::getAttrDecoded(StrBuffer* buffer, const char16_t* name, const char16_t* def,
                                bool append) const {
  if (!buffer) buffer = StrBuffer::create();
  if (!append) buffer->clear();
  std::u16string decoded;
  if (decodeAttr(decoded, viewOf(name)))
    buffer->append(decoded);
  else
    buffer->append(viewOf(def));
  return buffer;
}

void Node::writeTree(std::u16string& out, std::string* utf8) const {
  auto open = [&out](const Node* n) {
    out += u'<';
    out += n->nameView();
    const AttrRecord* text = nullptr;
    for (std::int32_t i = 0; i < n->attributes_.count(); ++i) {
      const AttrRecord* r = n->attributes_.at(i);
      if (r->nameLength == 0) {
        if (!text) text = r;
        continue;
      }
      out += u' ';
      out.append(r->name, static_cast<std::size_t>(r->nameLength));
      out += u"=\"";
      out.append(r->value, static_cast<std::size_t>(r->valueLength));
      out += u'"';
    }
    out += u'>';
    if (text) out.append(text->value, static_cast<std::size_t>(text->valueLength));
  };
  // Sized first: growing a megabyte-long line by doubling costs more than walking the tree twice.
  std::size_t size = 0;
  std::vector<const Node*> pending{this};
  while (!pending.empty()) {
    const Node* n = pending.back();
    pending.pop_back();
    size += 5 + 2 * static_cast<std::size_t>(n->nameLength_);
    bool text = false;
    for (std::int32_t i = 0; i < n->attributes_.count(); ++i) {
      const AttrRecord* r = n->attributes_.at(i);
      if (r->nameLength == 0 && text) continue;
      if (r->nameLength == 0) text = true;
      size += 4 + static_cast<std::size_t>(r->nameLength) + static_cast<std::size_t>(r->valueLength);
    }
    pending.insert(pending.end(), n->children_.begin(), n->children_.end());
  }
  // Written as UTF-8, the text passes through a small buffer instead of a copy of the whole
  // document (a play list of 100,000 songs is a line of some 60 million characters).
  constexpr std::size_t kChunk = 1 << 15;
  auto drain = [&] {
    if (utf8 && out.size() >= kChunk) {
      appendUtf16AsUtf8(*utf8, out);
      out.clear();
    }
  };
  if (utf8)
    utf8->reserve(utf8->size() + size);
  else
    out.reserve(out.size() + size);

  struct Frame {
    const Node* node;
    std::size_t next;
  };
  std::vector<Frame> stack;
  open(this);
  stack.push_back({this, 0});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next < top.node->children_.size()) {
      const Node* child = top.node->children_[top.next++];
      open(child);
      drain();
      stack.push_back({child, 0});
      continue;
    }
    out += u"</";
    out += top.node->nameView();
    out += u'>';
    drain();
    stack.pop_back();
  }
  if (utf8) {
    appendUtf16AsUtf8(*utf8, out);
    out.clear();
  }
}

void Node::writeTo(std::u16string& out) const { writeTree(out, nullptr); }

void Node::writeUtf8To(std::string& out) const {
  std::u16string pending;
  writeTree(pending, &out);
}

StrBuffer* Node::write(StrBuffer* buffer, bool append) const {
  if (!buffer) buffer = StrBuffer::create();
  if (!append) buffer->clear();
  std::u16string text;
  writeTo(text);
  buffer->append(text);
  return buffer;
}

col::_array::ArrayU08* Node::writeUtf8(col::_array::ArrayU08* bytes, bool append) const {
  if (!bytes) bytes = col::_array::ArrayU08::create();
  if (!append) bytes->clear();
  std::string utf8;
  writeUtf8To(utf8);
  bytes->appendRaw(utf8.data(), utf8.size());
  return bytes;
}

bool Node::loadFile(const char16_t* path) {
  clear();
  auto in = thread::holdPooled(file::FileInputStream::create());
  return in->open(viewOf(path)) && load(in.get());
}

bool Node::load(file::FileInputStream* file, ReadContext* context) {
  clear();
  ReadContext none;
  ReadContext& into = context ? *context : none;
  into.complete = false;
  into.cut = nullptr;
  if (!file) return false;
  std::int64_t size = file->getSize();
  if (size <= 0) {
    into.complete = size == 0;
    return size == 0;
  }
  // The bytes are turned into text a block at a time, so the file's bytes and its text (twice
  // the size) never stand in memory together: a large play list is tens of MB. A block ends
  // before a trailing run of non-ASCII bytes, which goes with the next block: a character is
  // never split, and a run is converted whole as a single pass would.
  const std::size_t total = static_cast<std::size_t>(size);
  std::u16string text;
  text.reserve(total);
  constexpr std::size_t kBlock = 1 << 20;
  std::string pending;
  std::size_t have = 0;
  bool all = false;
  for (;;) {
    const std::size_t kept = pending.size();
    const std::size_t want = std::min(kBlock, total - have);
    pending.resize(kept + want);
    std::uint32_t got = 0;
    if (want > 0 && !file->read(pending.data() + kept, static_cast<std::uint32_t>(want), &got)) got = 0;
    pending.resize(kept + got);
    have += got;
    all = have == total;
    if (got == 0 || all) break;
    std::size_t cut = pending.size();
    while (cut > 0 && static_cast<unsigned char>(pending[cut - 1]) >= 0x80) --cut;
    appendUtf8AsUtf16(text, std::string_view(pending.data(), cut));
    pending.erase(0, cut);
  }
  appendUtf8AsUtf16(text, pending);
  std::string().swap(pending);
  Reader::read(*this, text.data(), text.data() + text.size(), &into);
  if (!all) into.complete = false;
  return all;
}

namespace {

bool writeDocument(const Node& node, file::FileOutputStream& file) {
  std::string utf8;
  node.writeUtf8To(utf8);
  bool ok = true;
  for (std::size_t done = 0; ok && done < utf8.size();) {
    std::size_t n = utf8.size() - done;
    if (n > 1u << 30) n = 1u << 30;
    ok = file.write(utf8.data() + done, static_cast<std::uint32_t>(n));
    done += n;
  }
  return ok;
}

}  // namespace

// The document is on the disk, not only handed to the system, when this returns true.
bool Node::save(file::FileOutputStream* file) const {
  if (!file) return false;
  const bool ok = writeDocument(*this, *file) && file->flush();
  return file->close() && ok;
}

bool Node::saveFile(const char16_t* path) const {
  using file::win::PathWin;
  std::u16string_view target = viewOf(path);
  if (target.empty()) return false;
  std::u16string_view folder = PathWin::folder(target);
  if (!folder.empty() && !PathWin::isFolder(folder) && !PathWin::createFolders(folder)) return false;
  // Written beside and moved over the old file in one step: a full disk or a crash in the
  // middle leaves the previous document whole. The process number keeps two processes saving
  // one document from writing into each other's staged file.
  std::u16string suffix = u".saving-";
  appendS64(suffix, ::getpid());
  file::StagedOutput output(target, suffix);
  auto out = thread::holdPooled(file::FileOutputStream::create());
  const bool ok = out->open(output.writePathText()) && save(out.get());
  if (!ok) {
    output.discard();
    return false;
  }
  return output.commit();
}

}  // namespace s::xml
