#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer {

// The wide string of the whole program: UTF-16 code units with a length ("top") and a capacity,
// always followed by a terminating zero. It is also a byte stream over its characters.
class StrBuffer final : public base::IObject,
                        public thread::IPoolable,
                        public io::IInputStream,
                        public io::IOutputStream {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // A string from the pool holding `text`.
  static StrBuffer* create(std::u16string_view text = {});
  static StrBuffer* createUtf8(std::string_view text);

  StrBuffer();
  explicit StrBuffer(std::u16string_view text);
  ~StrBuffer() override;
  StrBuffer(const StrBuffer& other);
  StrBuffer& operator=(const StrBuffer& other);

  std::size_t length() const { return top_; }
  bool isEmpty() const { return top_ == 0; }
  std::size_t capacity() const { return capacity_; }
  const char16_t* c_str() const { return buffer_ ? buffer_ : u""; }
  char16_t* data() { return buffer_; }
  std::u16string_view view() const { return {c_str(), top_}; }
  operator std::u16string_view() const { return view(); }
  char16_t charAt(std::size_t index) const { return index < top_ ? buffer_[index] : 0; }
  std::string toUtf8() const;

  // Makes room for `count` characters plus the terminator, allocating exactly count + 1.
  bool ensureCapacity(std::size_t count);
  // Cuts the text to `count` characters, or extends it with zero characters.
  bool setLength(std::size_t count);
  void clear();

  StrBuffer& assign(std::u16string_view text);
  StrBuffer& assign(const char16_t* terminated) { return assign(std::u16string_view(terminated)); }
  StrBuffer& assignUtf8(std::string_view text);
  StrBuffer& append(std::u16string_view text);
  StrBuffer& append(char16_t c);
  StrBuffer& appendUtf8(std::string_view text);
  StrBuffer& appendInt(int64_t value);
  StrBuffer& appendUInt(uint64_t value);
  StrBuffer& appendHex(uint64_t value, int minDigits = 1, bool upper = true);
  StrBuffer& appendDouble(double value, int decimals);
  bool insert(std::size_t index, std::u16string_view text);
  bool remove(std::size_t index, std::size_t count);
  // Text between `from` and `from + count` (clipped to the string).
  std::u16string_view substring(std::size_t from, std::size_t count = npos) const;

  // 8-bit text in a Windows code page (65001 UTF-8, 28591 Latin-1, 1252, 932, ...). Returns false
  // and leaves the string as it was when the code page is not supported.
  bool assignBytes(std::string_view bytes, uint32_t codePage);
  bool appendBytes(std::string_view bytes, uint32_t codePage);
  // The text in a code page; false when a character cannot be represented in it.
  bool toBytes(uint32_t codePage, std::string& out) const;

  std::size_t find(std::u16string_view text, std::size_t from = 0) const;
  std::size_t find(char16_t c, std::size_t from = 0) const;
  std::size_t findLast(char16_t c) const;
  std::size_t findIgnoreCase(std::u16string_view text, std::size_t from = 0) const;

  bool equals(std::u16string_view text) const { return view() == text; }
  bool equalsIgnoreCase(std::u16string_view text) const {
    return equalsIgnoreCaseAt(0, text, -1);
  }
  // Compares `count` characters from `index` with the start of `text`, ignoring case. With a
  // count of -1 the whole rest of this string must match the whole of `text`.
  bool equalsIgnoreCaseAt(std::size_t index, std::u16string_view text, std::ptrdiff_t count) const;
  bool startsWith(std::u16string_view prefix) const;
  bool startsWithIgnoreCase(std::u16string_view prefix) const;
  bool endsWith(std::u16string_view suffix) const;
  bool endsWithIgnoreCase(std::u16string_view suffix) const;
  using IObject::compare;
  int compare(std::u16string_view text) const;
  int compareIgnoreCase(std::u16string_view text) const;

  // Removes white space (spaces, tabs, line breaks, no-break spaces) at both ends.
  void trim();
  void toLower();
  void toUpper();
  // Replaces every occurrence of `from`; returns how many were replaced.
  std::size_t replaceAll(std::u16string_view from, std::u16string_view to);

  // Leading white space, an optional sign, then decimal digits (or "0x" and hex digits); stops at
  // the first other character. `fallback` when there is no digit or the value does not fit.
  int64_t toInt64(int64_t fallback = 0) const;
  int32_t toInt32(int32_t fallback = 0) const;
  // The whole string must be a number (surrounding white space allowed).
  bool parseInt64(int64_t* out) const;
  double toDouble(double fallback = 0) const;

  // Byte stream over the characters (two bytes each, little-endian in memory).
  bool read(void* dst, uint32_t capacity, uint32_t* got) override;
  int64_t getPosition() const override { return static_cast<int64_t>(position_); }
  bool seek(int64_t position) override;
  int64_t getSize() const override { return static_cast<int64_t>(top_ * 2); }
  bool write(const void* src, uint32_t count) override;

  const char16_t* typeName() const override { return u"s_str_strbuffer_StrBuffer"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  bool reserveForAppend(std::size_t extra);

  char16_t* buffer_ = nullptr;
  std::size_t top_ = 0;
  std::size_t capacity_ = 0;
  std::size_t position_ = 0;
};

}  // namespace s::str::strbuffer
