#include "s/str/strarray/StrArray.h"

#include "s/comp/IComparator.h"
#include "s/thread/EasyPooler.h"

namespace s::str::strarray {

namespace {

struct ByText : comp::IComparator {
  explicit ByText(bool ignoreCase) : ignoreCase(ignoreCase) {}
  int compare(const void* a, const void* b) const override {
    auto* x = *static_cast<StrBuffer* const*>(a);
    auto* y = *static_cast<StrBuffer* const*>(b);
    return ignoreCase ? x->compareIgnoreCase(y->view()) : x->compare(y->view());
  }
  bool ignoreCase;
};

}  // namespace

StrArray* StrArray::create() { return thread::PoolOf<StrArray>::acquire(); }

void StrArray::release() { thread::PoolOf<StrArray>::release(this); }

StrArray::~StrArray() { clear(); }

void StrArray::reset() {
  clear();
  items_.reset();
}

StrBuffer* StrArray::add(std::u16string_view text) {
  StrBuffer* s = StrBuffer::create(text);
  items_.append(s);
  return s;
}

void StrArray::adopt(StrBuffer* text) {
  if (text) items_.append(text);
}

bool StrArray::insert(std::size_t index, std::u16string_view text) {
  if (index > items_.size()) return false;
  items_.insert(index, StrBuffer::create(text));
  return true;
}

bool StrArray::remove(std::size_t index) {
  if (index >= items_.size()) return false;
  get(index)->release();
  items_.removeAt(index);
  return true;
}

void StrArray::clear() {
  for (std::size_t i = 0; i < items_.size(); ++i) get(i)->release();
  items_.clear();
}

std::ptrdiff_t StrArray::indexOf(std::u16string_view text, bool ignoreCase) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (ignoreCase ? get(i)->equalsIgnoreCase(text) : get(i)->equals(text))
      return static_cast<std::ptrdiff_t>(i);
  return -1;
}

void StrArray::sort(bool ignoreCase) { items_.sort(ByText(ignoreCase)); }

void StrArray::split(std::u16string_view text, char16_t separator) {
  std::size_t start = 0;
  for (;;) {
    std::size_t hit = text.find(separator, start);
    add(text.substr(start, hit == std::u16string_view::npos ? hit : hit - start));
    if (hit == std::u16string_view::npos) break;
    start = hit + 1;
  }
}

}  // namespace s::str::strarray
