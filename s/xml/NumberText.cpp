#include "s/xml/NumberText.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace s::xml {

namespace {

bool isSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Skips white space and a sign; returns whether the number is negative.
bool skipToDigits(std::u16string_view text, std::size_t& i) {
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  return negative;
}

// The magnitude of the digits at i, saturating at `limit`; `overflow` tells whether it did.
std::uint64_t digitsValue(std::u16string_view text, std::size_t i, std::uint64_t limit,
                          bool& overflow) {
  std::uint64_t v = 0;
  overflow = false;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    unsigned d = text[i] - u'0';
    if (v > (limit - d) / 10) {
      overflow = true;
      v = limit;
    } else if (!overflow) {
      v = v * 10 + d;
    }
  }
  return v;
}

template <typename T>
T signedValue(std::u16string_view text) {
  std::size_t i = 0;
  bool negative = skipToDigits(text, i);
  using U = std::make_unsigned_t<T>;
  std::uint64_t limit = negative ? static_cast<std::uint64_t>(std::numeric_limits<T>::max()) + 1
                                 : static_cast<std::uint64_t>(std::numeric_limits<T>::max());
  bool overflow;
  std::uint64_t magnitude = digitsValue(text, i, limit, overflow);
  if (!negative) return static_cast<T>(magnitude);
  return static_cast<T>(static_cast<U>(0) - static_cast<U>(magnitude));
}

template <typename Char>
void appendChars(std::u16string& out, const Char* begin, const Char* end) {
  for (const Char* p = begin; p < end; ++p) out.push_back(static_cast<char16_t>(*p));
}

}  // namespace

std::int32_t textToS32(std::u16string_view text) { return signedValue<std::int32_t>(text); }

std::int64_t textToS64(std::u16string_view text) { return signedValue<std::int64_t>(text); }

std::uint32_t textToU32(std::u16string_view text) {
  std::size_t i = 0;
  bool negative = skipToDigits(text, i);
  bool overflow;
  std::uint64_t v = digitsValue(text, i, 0xFFFFFFFFu, overflow);
  if (overflow) return 0xFFFFFFFFu;
  return negative ? static_cast<std::uint32_t>(0u - static_cast<std::uint32_t>(v))
                  : static_cast<std::uint32_t>(v);
}

double textToF64(std::u16string_view text) {
  // Only ASCII can be part of a number; the first other character ends it.
  char buf[512];
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size() && n + 1 < sizeof buf && text[i] > 0 && text[i] < 0x7F;
       ++i)
    buf[n++] = static_cast<char>(text[i]);
  buf[n] = 0;
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return strtod_l(buf, nullptr, cLocale);
}

void appendS64(std::u16string& out, std::int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  appendChars(out, buf, r.ptr);
}

void appendU64(std::u16string& out, std::uint64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  appendChars(out, buf, r.ptr);
}

void appendFixed6(std::u16string& out, double v) {
  if (std::isnan(v)) {
    out += std::signbit(v) ? u"-nan" : u"nan";
    return;
  }
  if (std::isinf(v)) {
    out += v < 0 ? u"-inf" : u"inf";
    return;
  }
  char buf[400];  // the largest double has 309 integer digits
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
  appendChars(out, buf, r.ptr);
}

void appendHex(std::u16string& out, std::uint64_t v, int digits) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xF];
}

}  // namespace s::xml
