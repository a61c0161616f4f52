#include "s/xml/Attributes.h"

#include <algorithm>

#include "s/xml/NameMatch.h"

namespace s::xml {

namespace {

// An element whose text grew past this gives it back when cleared, so that pooled elements do
// not keep the memory of the largest document they ever held.
constexpr std::size_t kKeptCapacity = 1024;

}  // namespace

void Attributes::repoint() {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    AttrRecord& r = records_[i];
    r.name = text_.data() + offsets_[i];
    r.value = r.name + r.nameLength + 1;
  }
}

void Attributes::append(std::u16string_view name, std::u16string_view value) {
  const char16_t* begin = text_.data();
  const char16_t* end = begin + text_.size();
  auto inside = [&](std::u16string_view s) { return s.data() >= begin && s.data() < end; };
  // Growing the text would move strings the arguments may point into.
  if (inside(name) || inside(value)) {
    const std::u16string nameCopy(name), valueCopy(value);
    append(nameCopy, valueCopy);
    return;
  }
  const std::size_t need = name.size() + value.size() + 2;
  if (text_.size() + need > text_.capacity()) {
    text_.reserve(std::max(text_.capacity() * 2, text_.size() + need));
    repoint();
  }
  const std::size_t at = text_.size();
  text_.append(name);
  text_.push_back(u'\0');
  text_.append(value);
  text_.push_back(u'\0');
  AttrRecord record;
  record.nameLength = static_cast<std::int32_t>(name.size());
  record.name = text_.data() + at;
  record.valueLength = static_cast<std::int32_t>(value.size());
  record.value = record.name + record.nameLength + 1;
  records_.push_back(record);
  offsets_.push_back(static_cast<std::uint32_t>(at));
}

std::int32_t Attributes::find(std::u16string_view name) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const AttrRecord& r = records_[i];
    if (equalsIgnoreCase(std::u16string_view(r.name, static_cast<std::size_t>(r.nameLength)),
                         name))
      return static_cast<std::int32_t>(i);
  }
  return -1;
}

void Attributes::remove(std::int32_t index) {
  if (index < 0 || index >= count()) return;
  const AttrRecord& r = records_[static_cast<std::size_t>(index)];
  unused_ += static_cast<std::size_t>(r.nameLength) + r.valueLength + 2;
  records_.erase(records_.begin() + index);
  offsets_.erase(offsets_.begin() + index);
  // A value replaced again and again (a setting written often) must not grow the text forever.
  if (unused_ > 64 && unused_ * 2 > text_.size()) compact();
}

void Attributes::compact() {
  std::u16string packed;
  packed.reserve(text_.size() - unused_);
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const AttrRecord& r = records_[i];
    offsets_[i] = static_cast<std::uint32_t>(packed.size());
    packed.append(r.name, static_cast<std::size_t>(r.nameLength) + 1);
    packed.append(r.value, static_cast<std::size_t>(r.valueLength) + 1);
  }
  text_.swap(packed);
  unused_ = 0;
  repoint();
}

void Attributes::clear() {
  records_.clear();
  offsets_.clear();
  unused_ = 0;
  if (text_.capacity() > kKeptCapacity) {
    std::u16string().swap(text_);
    std::vector<AttrRecord>().swap(records_);
    std::vector<std::uint32_t>().swap(offsets_);
  } else {
    text_.clear();
  }
}

}  // namespace s::xml
