#include "s/xml/MappedData.h"

#include "s/col/_array/ArrayU08.h"
#include "s/file/FileInputStream.h"
#include "s/file/win/PathWin.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/Pooled.h"
#include "s/xml/NameMatch.h"
#include "s/xml/Node.h"
#include "s/xml/NumberText.h"
#include "s/xml/Reader.h"

namespace s::xml {

namespace {

// Elements with fewer children are searched in place; an index would cost more than it saves.
constexpr std::size_t kIndexFrom = 16;

bool isSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

int hexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

MappedData* openXmlStore(const char16_t* filePath, const char16_t* rootName, bool load,
                         ReadContext* context) {
  MappedData* store = thread::PoolOf<MappedData>::acquire();
  store->open(filePath, rootName, load, context);
  return store;
}

MappedData::~MappedData() { reset(); }

base::IObject* MappedData::newInstance() const { return thread::PoolOf<MappedData>::acquire(); }

void MappedData::release() { thread::PoolOf<MappedData>::release(this); }

void MappedData::reset() {
  if (root_ && ownsRoot_) root_->release();
  root_ = nullptr;
  ownsRoot_ = true;
  file_.clear();
  loadState_ = LoadState::kNotLoaded;
  loadError_.clear();
  cut_ = nullptr;
  autoFlush_ = false;
  lastPath_.clear();
  current_ = nullptr;
  scratch_.clear();
  hexScratch_.clear();
  index_.clear();
}

void MappedData::view(Node* element) {
  reset();
  root_ = element;
  ownsRoot_ = false;
  remember(u"", root_);
}

void MappedData::open(const char16_t* filePath, const char16_t* rootName, bool load,
                      ReadContext* context) {
  reset();
  file_.assign(viewOf(filePath));
  root_ = Node::create();
  if (load) readFile(context);
  // A file that held no element (empty, unreadable, or only a comment) gives a fresh root: the
  // comment "root" could not hold values and would not read back.
  if (root_->nameView().empty() || root_->isComment()) {
    if (loadState_ == LoadState::kRead) loadState_ = LoadState::kDamaged;
    cut_ = nullptr;
    root_->clear();
    root_->setName(rootName);
  }
  remember(u"", root_);
}

void MappedData::readFile(ReadContext* context) {
  using file::win::PathWin;
  if (file_.empty() || !PathWin::exists(file_)) {
    loadState_ = LoadState::kNoFile;
    return;
  }
  auto in = thread::holdPooled(file::FileInputStream::create());
  ReadContext none;
  ReadContext& read = context ? *context : none;
  if (!in->open(file_)) {
    loadState_ = LoadState::kUnreadable;
    loadError_ = in->lastError();
  } else if (!root_->load(in.get(), &read)) {
    loadState_ = LoadState::kUnreadable;
    loadError_ = in->lastError();
  } else if (!read.complete) {
    loadState_ = LoadState::kDamaged;
    cut_ = read.cut;
  } else {
    loadState_ = root_->nameView().empty() ? LoadState::kEmpty : LoadState::kRead;
  }
}

void MappedData::flush() {
  if (root_ && !file_.empty()) root_->saveFile(file_.c_str());
}

void MappedData::remember(std::u16string_view path, Node* node) {
  lastPath_.assign(path);
  current_ = node;
}

void MappedData::forgetIndex() {
  index_.clear();
  current_ = nullptr;
  lastPath_.clear();
}

Node* MappedData::childNamed(Node* parent, std::u16string_view name) {
  std::size_t count = static_cast<std::size_t>(parent->childCount());
  if (count < kIndexFrom) {
    std::int32_t at = 0;
    return parent->findChild(name.data(), &at, static_cast<std::int32_t>(name.size()))
               ? parent->childAt(at)
               : nullptr;
  }
  ChildIndex& index = index_[parent];
  if (index.builtForCount != count) {
    index.byName.clear();
    for (std::size_t i = 0; i < count; ++i) {
      Node* child = parent->childAt(static_cast<std::int32_t>(i));
      index.byName.emplace(child->nameView(), child);  // the first of a name wins
    }
    index.builtForCount = count;
  }
  auto found = index.byName.find(std::u16string(name));
  return found == index.byName.end() ? nullptr : found->second;
}

Node* MappedData::walk(std::u16string_view path, bool create) {
  if (!root_) return nullptr;
  Node* node = root_;
  std::size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && isSeparator(path[i])) ++i;
    std::size_t start = i;
    while (i < path.size() && !isSeparator(path[i])) ++i;
    if (i == start) break;
    std::u16string_view part = path.substr(start, i - start);
    Node* child = childNamed(node, part);
    if (!child) {
      if (!create) return nullptr;
      child = node->addChild(part.data(), static_cast<std::int32_t>(part.size()));
      auto known = index_.find(node);
      if (known != index_.end()) {
        known->second.byName.emplace(std::u16string(part), child);
        known->second.builtForCount = static_cast<std::size_t>(node->childCount());
      }
    }
    node = child;
  }
  return node;
}

bool MappedData::selectPath(const char16_t* path) {
  std::u16string_view p = viewOf(path);
  if (current_ && equalsIgnoreCase(p, lastPath_)) return true;
  Node* node = walk(p, false);
  if (!node) return false;
  remember(p, node);
  return true;
}

bool MappedData::openPath(const char16_t* path) {
  std::u16string_view p = viewOf(path);
  if (current_ && equalsIgnoreCase(p, lastPath_)) return true;
  Node* node = walk(p, true);
  if (!node) return false;
  remember(p, node);
  return true;
}

void MappedData::removePath(const char16_t* path) {
  std::u16string_view p = viewOf(path);
  while (!p.empty() && isSeparator(p.back())) p.remove_suffix(1);
  std::size_t cut = p.size();
  while (cut > 0 && !isSeparator(p[cut - 1])) --cut;
  std::u16string_view last = p.substr(cut);
  if (last.empty()) return;
  Node* parent = walk(p.substr(0, cut), false);
  std::int32_t at = 0;
  if (!parent || !parent->findChild(std::u16string(last).c_str(), &at, -1)) return;
  parent->removeChild(at);
  // The removed subtree may hold the remembered element or indexed ones.
  forgetIndex();
  changed();
}

bool MappedData::hasValue(const char16_t* path, const char16_t* name) {
  return selectPath(path) && current_->attributes()->find(viewOf(name)) >= 0;
}

std::uint8_t MappedData::getU08(const char16_t* path, const char16_t* name, std::uint8_t def) {
  return selectPath(path) ? current_->getAttrU08(name, def) : def;
}

std::uint16_t MappedData::getU16(const char16_t* path, const char16_t* name, std::uint16_t def) {
  return selectPath(path) ? current_->getAttrU16(name, def) : def;
}

std::uint32_t MappedData::getU32(const char16_t* path, const char16_t* name, std::uint32_t def) {
  return selectPath(path) ? current_->getAttrU32(name, def) : def;
}

std::uint64_t MappedData::getU64(const char16_t* path, const char16_t* name, std::uint64_t def) {
  return selectPath(path) ? current_->getAttrU64(name, def) : def;
}

std::int8_t MappedData::getS08(const char16_t* path, const char16_t* name, std::int8_t def) {
  return selectPath(path) ? current_->getAttrS08(name, def) : def;
}

std::int16_t MappedData::getS16(const char16_t* path, const char16_t* name, std::int16_t def) {
  return selectPath(path) ? current_->getAttrS16(name, def) : def;
}

std::int32_t MappedData::getS32(const char16_t* path, const char16_t* name, std::int32_t def) {
  return selectPath(path) ? current_->getAttrS32(name, def) : def;
}

std::int64_t MappedData::getS64(const char16_t* path, const char16_t* name, std::int64_t def) {
  return selectPath(path) ? current_->getAttrS64(name, def) : def;
}

float MappedData::getF32(const char16_t* path, const char16_t* name, float def) {
  return static_cast<float>(getF64(path, name, def));
}

double MappedData::getF64(const char16_t* path, const char16_t* name, double def) {
  if (!selectPath(path)) return def;
  const char16_t* stored = current_->getAttrText(name, nullptr);
  return stored ? textToF64(stored) : def;
}

bool MappedData::getBool(const char16_t* path, const char16_t* name, bool def) {
  return selectPath(path) ? current_->getAttrBool(name, def) : def;
}

const char16_t* MappedData::getString(const char16_t* path, const char16_t* name,
                                      const char16_t* def, bool* outExpandable, bool) {
  if (outExpandable) *outExpandable = false;
  if (!selectPath(path)) return def;
  scratch_.clear();
  if (!current_->decodeAttr(scratch_, viewOf(name))) return def;
  return scratch_.c_str();
}

col::_array::ArrayU08* MappedData::getBytes(const char16_t* path, const char16_t* name,
                                            col::_array::ArrayU08* array) {
  if (!selectPath(path)) return array;
  hexScratch_.clear();
  if (!current_->decodeAttr(hexScratch_, viewOf(name))) return array;
  if (!array) array = col::_array::ArrayU08::create();
  array->clear();
  // Pairs of hexadecimal digits, up to the first pair that is not one.
  std::size_t pairs = 0;
  while (2 * pairs + 1 < hexScratch_.size() && hexDigit(hexScratch_[2 * pairs]) >= 0 &&
         hexDigit(hexScratch_[2 * pairs + 1]) >= 0)
    ++pairs;
  if (pairs == 0 || !array->setSize(pairs)) return array;
  std::uint8_t* out = array->data();
  for (std::size_t i = 0; i < pairs; ++i)
    out[i] = static_cast<std::uint8_t>(hexDigit(hexScratch_[2 * i]) << 4 |
                                       hexDigit(hexScratch_[2 * i + 1]));
  return array;
}

void MappedData::removeValue(const char16_t* path, const char16_t* name) {
  if (!selectPath(path)) return;
  Attributes* attributes = current_->attributes();
  std::int32_t at = attributes->find(viewOf(name));
  if (at < 0) return;
  attributes->remove(at);
  changed();
}

Node* MappedData::prepareWrite(const char16_t* path, const char16_t* name) {
  if (!openPath(path)) return nullptr;
  // Replacing is removing, then appending: a changed value moves to the end of the list.
  Attributes* attributes = current_->attributes();
  std::int32_t at = attributes->find(viewOf(name));
  if (at >= 0) attributes->remove(at);
  return current_;
}

#define SONVIA_XML_SETTER(Method, Type, Add)                                        \
  void MappedData::Method(const char16_t* path, const char16_t* name, Type value) { \
    if (Node* node = prepareWrite(path, name)) node->Add(name, value);            \
    changed();                                                                      \
  }

SONVIA_XML_SETTER(setU08, std::uint8_t, addAttrU08)
SONVIA_XML_SETTER(setU16, std::uint16_t, addAttrU16)
SONVIA_XML_SETTER(setU32, std::uint32_t, addAttrU32)
SONVIA_XML_SETTER(setU64, std::uint64_t, addAttrU64)
SONVIA_XML_SETTER(setS08, std::int8_t, addAttrS08)
SONVIA_XML_SETTER(setS16, std::int16_t, addAttrS16)
SONVIA_XML_SETTER(setS32, std::int32_t, addAttrS32)
SONVIA_XML_SETTER(setS64, std::int64_t, addAttrS64)
SONVIA_XML_SETTER(setF32, float, addAttrF32)
SONVIA_XML_SETTER(setF64, double, addAttrF64)
SONVIA_XML_SETTER(setString, const char16_t*, addAttrText)

#undef SONVIA_XML_SETTER

void MappedData::setBool(const char16_t* path, const char16_t* name, bool value) {
  if (Node* node = prepareWrite(path, name)) node->addAttrU08(name, value ? 1 : 0);
  changed();
}

void MappedData::setBytes(const char16_t* path, const char16_t* name,
                          const col::_array::ArrayU08* bytes) {
  if (Node* node = prepareWrite(path, name))
    node->addAttrHexU08(name, bytes ? bytes->data() : nullptr,
                        bytes ? static_cast<std::int32_t>(bytes->size()) : 0);
  changed();
}

}  // namespace s::xml
