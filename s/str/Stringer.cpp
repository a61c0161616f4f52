#include "s/str/Stringer.h"

#include "s/thread/EasyPooler.h"

namespace s::str {

Stringer* Stringer::create() { return thread::PoolOf<Stringer>::acquire(); }

void Stringer::release() { thread::PoolOf<Stringer>::release(this); }

Stringer& Stringer::padded(int64_t value, int width, char16_t pad) {
  strbuffer::StrBuffer digits;
  digits.appendUInt(value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
  int length = static_cast<int>(digits.length()) + (value < 0 ? 1 : 0);
  if (value < 0 && pad == u'0') text_.append(u'-');
  for (int i = length; i < width; ++i) text_.append(pad);
  if (value < 0 && pad != u'0') text_.append(u'-');
  text_.append(digits.view());
  return *this;
}

}  // namespace s::str
