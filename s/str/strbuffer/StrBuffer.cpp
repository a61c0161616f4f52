#include "s/str/strbuffer/StrBuffer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/text/CodePageConv.h"
#include "platform/text/Utf.h"
#include "s/str/CharCase.h"
#include "s/thread/EasyPooler.h"

namespace s::str::strbuffer {

namespace {

// Pooled strings keep at most this many characters of storage; longer ones go back to the heap.
constexpr std::size_t kKeptChars = 4096;

bool isSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x0B || c == 0x0C ||
         c == 0xA0 || c == 0x3000 || c == 0xFEFF;
}

int digitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

}  // namespace

StrBuffer* StrBuffer::create(std::u16string_view text) {
  StrBuffer* s = thread::PoolOf<StrBuffer>::acquire();
  s->assign(text);
  return s;
}

StrBuffer* StrBuffer::createUtf8(std::string_view text) {
  StrBuffer* s = thread::PoolOf<StrBuffer>::acquire();
  s->assignUtf8(text);
  return s;
}

void StrBuffer::release() { thread::PoolOf<StrBuffer>::release(this); }

StrBuffer::StrBuffer() = default;

StrBuffer::StrBuffer(std::u16string_view text) { assign(text); }

StrBuffer::StrBuffer(const StrBuffer& other) : IObject(), IPoolable(), IInputStream(), IOutputStream() {
  assign(other.view());
}

StrBuffer& StrBuffer::operator=(const StrBuffer& other) {
  if (this != &other) assign(other.view());
  return *this;
}

StrBuffer::~StrBuffer() { std::free(buffer_); }

void StrBuffer::reset() {
  top_ = 0;
  position_ = 0;
  if (capacity_ > kKeptChars) {
    std::free(buffer_);
    buffer_ = nullptr;
    capacity_ = 0;
  } else if (buffer_) {
    buffer_[0] = 0;
  }
}

std::string StrBuffer::toUtf8() const { return platform::text::utf16ToUtf8(view()); }

bool StrBuffer::ensureCapacity(std::size_t count) {
  if (count <= capacity_ && buffer_) return true;
  if (count >= std::numeric_limits<std::size_t>::max() / 2 - 1) return false;
  auto* fresh = static_cast<char16_t*>(std::malloc((count + 1) * sizeof(char16_t)));
  if (!fresh) return false;
  if (top_) std::memcpy(fresh, buffer_, top_ * sizeof(char16_t));
  fresh[top_] = 0;
  std::free(buffer_);
  buffer_ = fresh;
  capacity_ = count;
  return true;
}

bool StrBuffer::reserveForAppend(std::size_t extra) {
  if (extra > std::numeric_limits<std::size_t>::max() / 4 - top_) return false;
  std::size_t needed = top_ + extra;
  if (needed <= capacity_ && buffer_) return true;
  // Appends grow geometrically so that building a long text piece by piece stays linear;
  // an explicit ensureCapacity still allocates exactly what it is asked for.
  std::size_t next = capacity_ + capacity_ / 2;
  return ensureCapacity(needed > next ? needed : next);
}

bool StrBuffer::setLength(std::size_t count) {
  if (count > top_) {
    if (!ensureCapacity(count)) return false;
    std::memset(buffer_ + top_, 0, (count - top_) * sizeof(char16_t));
  }
  top_ = count;
  if (buffer_) buffer_[top_] = 0;
  if (position_ > top_ * 2) position_ = top_ * 2;
  return true;
}

void StrBuffer::clear() { setLength(0); }

StrBuffer& StrBuffer::assign(std::u16string_view text) {
  if (buffer_ && text.data() >= buffer_ && text.data() <= buffer_ + top_) {
    // Assigning a piece of ourselves: move it down in place.
    std::memmove(buffer_, text.data(), text.size() * sizeof(char16_t));
    top_ = text.size();
    buffer_[top_] = 0;
    return *this;
  }
  top_ = 0;
  if (buffer_) buffer_[0] = 0;
  return append(text);
}

StrBuffer& StrBuffer::assignUtf8(std::string_view text) {
  clear();
  return appendUtf8(text);
}

StrBuffer& StrBuffer::append(std::u16string_view text) {
  if (text.empty()) {
    if (!buffer_) ensureCapacity(0);
    return *this;
  }
  if (buffer_ && text.data() >= buffer_ && text.data() <= buffer_ + top_) {
    std::u16string copy(text);  // the text lives in our own storage, which may move
    return append(std::u16string_view(copy));
  }
  if (!reserveForAppend(text.size())) return *this;
  std::memcpy(buffer_ + top_, text.data(), text.size() * sizeof(char16_t));
  top_ += text.size();
  buffer_[top_] = 0;
  return *this;
}

StrBuffer& StrBuffer::append(char16_t c) { return append(std::u16string_view(&c, 1)); }

StrBuffer& StrBuffer::appendUtf8(std::string_view text) {
  return append(platform::text::utf8ToUtf16(text));
}

StrBuffer& StrBuffer::appendInt(int64_t value) {
  if (value < 0) {
    append(u'-');
    return appendUInt(0 - static_cast<uint64_t>(value));
  }
  return appendUInt(static_cast<uint64_t>(value));
}

StrBuffer& StrBuffer::appendUInt(uint64_t value) {
  char16_t digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value);
  char16_t out[24];
  for (int i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
  return append(std::u16string_view(out, static_cast<std::size_t>(n)));
}

StrBuffer& StrBuffer::appendHex(uint64_t value, int minDigits, bool upper) {
  const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char16_t digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char16_t>(alphabet[value & 15]);
    value >>= 4;
  } while (value || n < minDigits);
  char16_t out[20];
  for (int i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
  return append(std::u16string_view(out, static_cast<std::size_t>(n)));
}

StrBuffer& StrBuffer::appendDouble(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 17) decimals = 17;
  if (!std::isfinite(value)) return append(std::isnan(value) ? u"NaN" : value < 0 ? u"-Inf" : u"Inf");
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return appendUtf8(text);
}

bool StrBuffer::insert(std::size_t index, std::u16string_view text) {
  if (index > top_) return false;
  std::u16string copy(text);  // the text may live in our own storage
  if (!reserveForAppend(copy.size())) return false;
  std::memmove(buffer_ + index + copy.size(), buffer_ + index, (top_ - index) * sizeof(char16_t));
  std::memcpy(buffer_ + index, copy.data(), copy.size() * sizeof(char16_t));
  top_ += copy.size();
  buffer_[top_] = 0;
  return true;
}

bool StrBuffer::remove(std::size_t index, std::size_t count) {
  if (index > top_) return false;
  if (count > top_ - index) count = top_ - index;
  std::memmove(buffer_ + index, buffer_ + index + count,
               (top_ - index - count) * sizeof(char16_t));
  top_ -= count;
  if (buffer_) buffer_[top_] = 0;
  return true;
}

std::u16string_view StrBuffer::substring(std::size_t from, std::size_t count) const {
  return view().substr(from < top_ ? from : top_, count);
}

bool StrBuffer::assignBytes(std::string_view bytes, uint32_t codePage) {
  std::u16string decoded;
  if (!platform::text::decode(codePage, bytes, decoded)) return false;
  assign(decoded);
  return true;
}

bool StrBuffer::appendBytes(std::string_view bytes, uint32_t codePage) {
  std::u16string decoded;
  if (!platform::text::decode(codePage, bytes, decoded)) return false;
  append(decoded);
  return true;
}

bool StrBuffer::toBytes(uint32_t codePage, std::string& out) const {
  return platform::text::encode(codePage, view(), out);
}

std::size_t StrBuffer::find(std::u16string_view text, std::size_t from) const {
  return view().find(text, from);
}

std::size_t StrBuffer::find(char16_t c, std::size_t from) const { return view().find(c, from); }

std::size_t StrBuffer::findLast(char16_t c) const { return view().rfind(c); }

std::size_t StrBuffer::findIgnoreCase(std::u16string_view text, std::size_t from) const {
  if (text.size() > top_) return npos;
  for (std::size_t i = from; i + text.size() <= top_; ++i)
    if (equalsIgnoreCaseAt(i, text, static_cast<std::ptrdiff_t>(text.size()))) return i;
  return npos;
}

bool StrBuffer::equalsIgnoreCaseAt(std::size_t index, std::u16string_view text,
                                   std::ptrdiff_t count) const {
  if (index > top_) return false;
  std::size_t n;
  if (count < 0) {
    if (top_ - index != text.size()) return false;
    n = text.size();
  } else {
    n = static_cast<std::size_t>(count);
    if (n > top_ - index || n > text.size()) return false;
  }
  for (std::size_t i = 0; i < n; ++i)
    if (!CharCase::equalIgnoringCase(buffer_[index + i], text[i])) return false;
  return true;
}

bool StrBuffer::startsWith(std::u16string_view prefix) const {
  return view().substr(0, prefix.size()) == prefix;
}

bool StrBuffer::startsWithIgnoreCase(std::u16string_view prefix) const {
  return equalsIgnoreCaseAt(0, prefix, static_cast<std::ptrdiff_t>(prefix.size()));
}

bool StrBuffer::endsWith(std::u16string_view suffix) const {
  return suffix.size() <= top_ && view().substr(top_ - suffix.size()) == suffix;
}

bool StrBuffer::endsWithIgnoreCase(std::u16string_view suffix) const {
  return suffix.size() <= top_ && equalsIgnoreCaseAt(top_ - suffix.size(), suffix, -1);
}

int StrBuffer::compare(std::u16string_view text) const {
  int c = view().compare(text);
  return c < 0 ? -1 : c > 0;
}

int StrBuffer::compareIgnoreCase(std::u16string_view text) const {
  std::size_t n = top_ < text.size() ? top_ : text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char16_t a = CharCase::toLower(buffer_[i]), b = CharCase::toLower(text[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return top_ < text.size() ? -1 : top_ > text.size();
}

void StrBuffer::trim() {
  std::size_t end = top_;
  while (end > 0 && isSpace(buffer_[end - 1])) --end;
  std::size_t start = 0;
  while (start < end && isSpace(buffer_[start])) ++start;
  if (start == 0 && end == top_) return;
  assign(view().substr(start, end - start));
}

void StrBuffer::toLower() {
  for (std::size_t i = 0; i < top_; ++i) buffer_[i] = CharCase::toLower(buffer_[i]);
}

void StrBuffer::toUpper() {
  for (std::size_t i = 0; i < top_; ++i) buffer_[i] = CharCase::toUpper(buffer_[i]);
}

std::size_t StrBuffer::replaceAll(std::u16string_view from, std::u16string_view to) {
  if (from.empty()) return 0;
  std::u16string result;
  std::size_t count = 0, pos = 0;
  std::u16string_view text = view();
  for (;;) {
    std::size_t hit = text.find(from, pos);
    if (hit == npos) break;
    result.append(text.substr(pos, hit - pos)).append(to);
    pos = hit + from.size();
    ++count;
  }
  if (count) {
    result.append(text.substr(pos));
    assign(result);
  }
  return count;
}

int64_t StrBuffer::toInt64(int64_t fallback) const {
  std::size_t i = 0;
  while (i < top_ && isSpace(buffer_[i])) ++i;
  bool negative = false;
  if (i < top_ && (buffer_[i] == u'-' || buffer_[i] == u'+')) negative = buffer_[i++] == u'-';
  unsigned base = 10;
  if (i + 1 < top_ && buffer_[i] == u'0' && (buffer_[i + 1] == u'x' || buffer_[i + 1] == u'X') &&
      i + 2 < top_ && digitValue(buffer_[i + 2]) < 16) {
    base = 16;
    i += 2;
  }
  uint64_t value = 0;
  bool any = false;
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  for (; i < top_; ++i) {
    int d = digitValue(buffer_[i]);
    if (d >= static_cast<int>(base)) break;
    if (value > (limit - static_cast<uint64_t>(d)) / base) return fallback;
    value = value * base + static_cast<uint64_t>(d);
    any = true;
  }
  if (!any) return fallback;
  return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

int32_t StrBuffer::toInt32(int32_t fallback) const {
  int64_t v = toInt64(static_cast<int64_t>(std::numeric_limits<int64_t>::min()));
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    return fallback;
  return static_cast<int32_t>(v);
}

bool StrBuffer::parseInt64(int64_t* out) const {
  StrBuffer trimmed(view());
  trimmed.trim();
  if (trimmed.isEmpty()) return false;
  std::size_t i = (trimmed.charAt(0) == u'-' || trimmed.charAt(0) == u'+') ? 1 : 0;
  if (i >= trimmed.length()) return false;
  for (; i < trimmed.length(); ++i)
    if (trimmed.charAt(i) < u'0' || trimmed.charAt(i) > u'9') return false;
  const int64_t sentinel = std::numeric_limits<int64_t>::min();
  int64_t v = trimmed.toInt64(sentinel);
  if (v == sentinel && !trimmed.equals(u"-9223372036854775808")) return false;
  if (out) *out = v;
  return true;
}

double StrBuffer::toDouble(double fallback) const {
  std::string utf8 = toUtf8();
  const char* begin = utf8.c_str();
  char* end = nullptr;
  double v = std::strtod(begin, &end);
  return end == begin ? fallback : v;
}

bool StrBuffer::read(void* dst, uint32_t capacity, uint32_t* got) {
  std::size_t total = top_ * 2;
  std::size_t n = position_ < total ? total - position_ : 0;
  if (n > capacity) n = capacity;
  if (n) std::memcpy(dst, reinterpret_cast<const uint8_t*>(buffer_) + position_, n);
  position_ += n;
  if (got) *got = static_cast<uint32_t>(n);
  return n > 0;
}

bool StrBuffer::seek(int64_t position) {
  if (position < 0 || static_cast<uint64_t>(position) > top_ * 2) return false;
  position_ = static_cast<std::size_t>(position);
  return true;
}

bool StrBuffer::write(const void* src, uint32_t count) {
  if (count == 0) return true;
  std::size_t end = position_ + count;
  std::size_t chars = (end + 1) / 2;
  if (chars > top_) {
    if (!reserveForAppend(chars - top_)) return false;
    std::memset(buffer_ + top_, 0, (chars - top_) * sizeof(char16_t));
    top_ = chars;
    buffer_[top_] = 0;
  }
  std::memcpy(reinterpret_cast<uint8_t*>(buffer_) + position_, src, count);
  position_ = end;
  return true;
}

}  // namespace s::str::strbuffer
