#pragma once
#include <cstdint>
#include <string_view>

#include "s/base/IObject.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"

namespace s::str {

// Builds a text piece by piece: s << u"Track " << 7 << u" of " << 12.
class Stringer final : public base::IObject, public thread::IPoolable {
 public:
  static Stringer* create();

  Stringer& operator<<(std::u16string_view text) { text_.append(text); return *this; }
  Stringer& operator<<(const char16_t* text) { text_.append(text); return *this; }
  Stringer& operator<<(char16_t c) { text_.append(c); return *this; }
  Stringer& operator<<(int value) { text_.appendInt(value); return *this; }
  Stringer& operator<<(long value) { text_.appendInt(value); return *this; }
  Stringer& operator<<(long long value) { text_.appendInt(value); return *this; }
  Stringer& operator<<(unsigned value) { text_.appendUInt(value); return *this; }
  Stringer& operator<<(unsigned long value) { text_.appendUInt(value); return *this; }
  Stringer& operator<<(unsigned long long value) { text_.appendUInt(value); return *this; }
  Stringer& utf8(std::string_view text) { text_.appendUtf8(text); return *this; }
  // A number padded on the left to `width` characters with `pad` ("07", "  7").
  Stringer& padded(int64_t value, int width, char16_t pad = u'0');
  Stringer& hex(uint64_t value, int minDigits = 1) { text_.appendHex(value, minDigits); return *this; }
  Stringer& fixed(double value, int decimals) { text_.appendDouble(value, decimals); return *this; }

  std::u16string_view view() const { return text_.view(); }
  const strbuffer::StrBuffer& buffer() const { return text_; }
  // A pooled copy of the text built so far; the caller releases it.
  strbuffer::StrBuffer* toStrBuffer() const { return strbuffer::StrBuffer::create(text_.view()); }
  void clear() { text_.clear(); }

  const char16_t* typeName() const override { return u"s_str_Stringer"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override { text_.reset(); }

 private:
  strbuffer::StrBuffer text_;
};

}  // namespace s::str
