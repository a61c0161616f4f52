#include "s/reg/MappedData.h"

#include <cstring>

#include "platform/registry/Environment.h"
#include "platform/registry/Hive.h"
#include "platform/registry/KeyPath.h"
#include "platform/text/Utf.h"
#include "s/col/_array/ArrayU08.h"
#include "s/thread/EasyPooler.h"

namespace s::reg {

namespace reg = platform::registry;

namespace {

std::u16string_view view(const char16_t* text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

std::string utf8(const char16_t* text) { return platform::text::utf16ToUtf8(view(text)); }

template <typename To, typename From>
To bitsOf(From from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace

void MappedData::setRoot(const char16_t* keyPath) {
  hive_ = reg::Hive::currentUser();
  root_ = utf8(keyPath);
  hasRoot_ = true;
  hasLast_ = false;
  selectPath(u"");
}

std::string MappedData::keyOf(const char16_t* path) const {
  if (!path || !*path) return root_;
  return root_.empty() ? utf8(path) : root_ + "\\" + utf8(path);
}

bool MappedData::selectPath(const char16_t* path) {
  if (!hive_) return false;
  std::u16string_view p = view(path);
  std::string key = keyOf(path);
  if (hasLast_ && reg::foldName(key) == reg::foldName(lastKey_)) return true;
  if (!hive_->keyExists(key)) return false;
  lastPath_.assign(p);
  lastKey_ = key;
  hasLast_ = true;
  return true;
}

bool MappedData::openPath(const char16_t* path) {
  if (!hive_) return false;
  if (selectPath(path)) return true;
  std::string key = keyOf(path);
  if (!hive_->createKey(key)) return false;
  lastPath_.assign(view(path));
  lastKey_ = key;
  hasLast_ = true;
  return true;
}

void MappedData::removePath(const char16_t* path) {
  if (!hive_ || !path || !*path) return;
  hive_->deleteKey(keyOf(path));
  // The remembered key may have been inside what was removed.
  hasLast_ = false;
  changed();
}

bool MappedData::hasValue(const char16_t* path, const char16_t* name) {
  return read(path, name).has_value();
}

std::optional<reg::Value> MappedData::read(const char16_t* path, const char16_t* name) {
  if (!selectPath(path)) return std::nullopt;
  return hive_->getValue(lastKey_, utf8(name));
}

std::optional<std::uint64_t> MappedData::readSized(const char16_t* path, const char16_t* name,
                                                   std::size_t size) {
  auto v = read(path, name);
  if (!v || v->data.size() != size) return std::nullopt;
  return platform::registry::dataAsNumber(v->data);
}

std::uint8_t MappedData::getU08(const char16_t* path, const char16_t* name, std::uint8_t def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::uint8_t>(*v) : def;
}

std::uint16_t MappedData::getU16(const char16_t* path, const char16_t* name, std::uint16_t def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::uint16_t>(*v) : def;
}

std::uint32_t MappedData::getU32(const char16_t* path, const char16_t* name, std::uint32_t def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::uint32_t>(*v) : def;
}

std::uint64_t MappedData::getU64(const char16_t* path, const char16_t* name, std::uint64_t def) {
  auto v = readSized(path, name, 8);
  return v ? *v : def;
}

std::int8_t MappedData::getS08(const char16_t* path, const char16_t* name, std::int8_t def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::int8_t>(*v) : def;
}

std::int16_t MappedData::getS16(const char16_t* path, const char16_t* name, std::int16_t def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::int16_t>(*v) : def;
}

std::int32_t MappedData::getS32(const char16_t* path, const char16_t* name, std::int32_t def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::int32_t>(*v) : def;
}

std::int64_t MappedData::getS64(const char16_t* path, const char16_t* name, std::int64_t def) {
  auto v = readSized(path, name, 8);
  return v ? static_cast<std::int64_t>(*v) : def;
}

float MappedData::getF32(const char16_t* path, const char16_t* name, float def) {
  auto v = readSized(path, name, 4);
  return v ? bitsOf<float>(static_cast<std::uint32_t>(*v)) : def;
}

double MappedData::getF64(const char16_t* path, const char16_t* name, double def) {
  auto v = readSized(path, name, 8);
  return v ? bitsOf<double>(*v) : def;
}

bool MappedData::getBool(const char16_t* path, const char16_t* name, bool def) {
  auto v = readSized(path, name, 4);
  return v ? static_cast<std::uint32_t>(*v) != 0 : def;
}

const char16_t* MappedData::getString(const char16_t* path, const char16_t* name,
                                      const char16_t* def, bool* outExpandable, bool expand) {
  if (outExpandable) *outExpandable = false;
  auto v = read(path, name);
  if (!v || (v->type != reg::ValueType::String && v->type != reg::ValueType::ExpandString))
    return def;
  bool expandable = v->type == reg::ValueType::ExpandString;
  if (outExpandable) *outExpandable = expandable;
  scratch_ = reg::dataAsString(v->data);
  if (expandable && expand) scratch_ = reg::expandEnvironment(scratch_);
  return scratch_.c_str();
}

void MappedData::removeValue(const char16_t* path, const char16_t* name) {
  if (!selectPath(path)) return;
  hive_->deleteValue(lastKey_, utf8(name));
  changed();
}

void MappedData::write(const char16_t* path, const char16_t* name, reg::ValueType type,
                       const std::vector<std::uint8_t>& data) {
  // A key that cannot be opened or made leaves the value unwritten, silently.
  if (openPath(path)) hive_->setValue(lastKey_, utf8(name), type, data);
  changed();
}

void MappedData::setU08(const char16_t* path, const char16_t* name, std::uint8_t value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(value));
}

void MappedData::setU16(const char16_t* path, const char16_t* name, std::uint16_t value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(value));
}

void MappedData::setU32(const char16_t* path, const char16_t* name, std::uint32_t value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(value));
}

void MappedData::setU64(const char16_t* path, const char16_t* name, std::uint64_t value) {
  write(path, name, reg::ValueType::Binary, reg::qwordData(value));
}

void MappedData::setS08(const char16_t* path, const char16_t* name, std::int8_t value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(static_cast<std::int32_t>(value)));
}

void MappedData::setS16(const char16_t* path, const char16_t* name, std::int16_t value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(static_cast<std::int32_t>(value)));
}

void MappedData::setS32(const char16_t* path, const char16_t* name, std::int32_t value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(static_cast<std::uint32_t>(value)));
}

void MappedData::setS64(const char16_t* path, const char16_t* name, std::int64_t value) {
  write(path, name, reg::ValueType::Binary, reg::qwordData(static_cast<std::uint64_t>(value)));
}

void MappedData::setF32(const char16_t* path, const char16_t* name, float value) {
  write(path, name, reg::ValueType::Binary, reg::dwordData(bitsOf<std::uint32_t>(value)));
}

void MappedData::setF64(const char16_t* path, const char16_t* name, double value) {
  write(path, name, reg::ValueType::Binary, reg::qwordData(bitsOf<std::uint64_t>(value)));
}

void MappedData::setBool(const char16_t* path, const char16_t* name, bool value) {
  write(path, name, reg::ValueType::Dword, reg::dwordData(value ? 1 : 0));
}

void MappedData::setString(const char16_t* path, const char16_t* name, const char16_t* value) {
  write(path, name, reg::ValueType::String, reg::stringData(view(value)));
}

void MappedData::setExpandString(const char16_t* path, const char16_t* name,
                                 const char16_t* value) {
  write(path, name, reg::ValueType::ExpandString, reg::stringData(view(value)));
}

}  // namespace s::reg

namespace s::reg {

MappedData* openRegistryStore(const char16_t* keyPath) {
  MappedData* store = thread::PoolOf<MappedData>::acquire();
  if (!store->hasRoot()) store->setRoot(keyPath);
  return store;
}

base::IObject* MappedData::newInstance() const { return thread::PoolOf<MappedData>::acquire(); }

void MappedData::release() { thread::PoolOf<MappedData>::release(this); }

void MappedData::reset() {
  hive_.reset();
  root_.clear();
  hasRoot_ = false;
  autoFlush_ = false;
  lastPath_.clear();
  lastKey_.clear();
  hasLast_ = false;
  scratch_.clear();
}

col::_array::ArrayU08* MappedData::getBytes(const char16_t* path, const char16_t* name,
                                            col::_array::ArrayU08* array) {
  auto v = read(path, name);
  if (!v) return array;
  if (!array) array = col::_array::ArrayU08::create();
  array->clear();
  array->appendRaw(v->data.data(), v->data.size());
  return array;
}

void MappedData::setBytes(const char16_t* path, const char16_t* name,
                          const col::_array::ArrayU08* bytes) {
  std::vector<std::uint8_t> data;
  if (bytes) data.assign(bytes->data(), bytes->data() + bytes->size());
  write(path, name, reg::ValueType::Binary, data);
}

}  // namespace s::reg
