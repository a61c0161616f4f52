#pragma once
#include <cstddef>
#include <string_view>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"

namespace s::str::strarray {

using strbuffer::StrBuffer;

// An ordered list of strings that owns them: they go back to their pool with the list.
class StrArray final : public base::IObject, public thread::IPoolable {
 public:
  static StrArray* create();
  StrArray() = default;
  ~StrArray() override;
  StrArray(const StrArray&) = delete;
  StrArray& operator=(const StrArray&) = delete;

  std::size_t size() const { return items_.size(); }
  bool isEmpty() const { return items_.isEmpty(); }
  StrBuffer* get(std::size_t index) const {
    return static_cast<StrBuffer*>(items_.get(index));
  }
  std::u16string_view at(std::size_t index) const { return get(index)->view(); }

  // Adds a copy of `text` at the end; returns the new string.
  StrBuffer* add(std::u16string_view text);
  // Takes ownership of `text`.
  void adopt(StrBuffer* text);
  bool insert(std::size_t index, std::u16string_view text);
  bool remove(std::size_t index);
  void clear();
  // Index of the first string equal to `text`, or -1.
  std::ptrdiff_t indexOf(std::u16string_view text, bool ignoreCase = false) const;
  // Stable sort, optionally ignoring case.
  void sort(bool ignoreCase = false);
  // Splits `text` at every `separator`; empty pieces are kept.
  void split(std::u16string_view text, char16_t separator);

  const char16_t* typeName() const override { return u"s_str_strarray_StrArray"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  col::_array::ArrayP items_;
};

}  // namespace s::str::strarray
