#include "platform/text/Utf.h"

namespace platform::text {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The length of the well-formed UTF-8 sequence at `i` (shortest form, no surrogates, at most
// U+10FFFF) with its code point in `cp`; 0 when the byte there starts none.
size_t strictSequence(std::string_view in, size_t i, char32_t* cp) {
  const unsigned char c = static_cast<unsigned char>(in[i]);
  if (c < 0x80) {
    *cp = c;
    return 1;
  }
  const int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0) return 0;
  char32_t value = extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
  for (int k = 1; k <= extra; ++k) {
    if (i + static_cast<size_t>(k) >= in.size()) return 0;
    const unsigned char d = static_cast<unsigned char>(in[i + static_cast<size_t>(k)]);
    if ((d & 0xC0) != 0x80) return 0;
    value = (value << 6) | (d & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (value < kMin[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *cp = value;
  return static_cast<size_t>(extra) + 1;
}

}  // namespace

void appendUtf8AsUtf16(std::u16string& out, std::string_view in) {
  out.reserve(out.size() + in.size());
  size_t i = 0;
  const size_t n = in.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
    char32_t min;
    if ((c & 0xE0) == 0xC0) {
      extra = 1, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, cp = c & 0x07, min = 0x10000;
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    size_t j = i + 1;
    int k = 0;
    for (; k < extra && j < n; ++k, ++j) {
      unsigned char d = static_cast<unsigned char>(in[j]);
      if ((d & 0xC0) != 0x80) break;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (k != extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    appendCodePoint(out, cp);
    i = j;
  }
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  appendUtf8AsUtf16(out, utf8);
  return out;
}

std::string utf16ToUtf8(std::u16string_view in) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = in[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
        in[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::u16string fileNameToUtf16(std::string_view in) {
  std::u16string out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    char32_t cp = 0;
    const size_t length = strictSequence(in, i, &cp);
    if (length == 0) {
      out.push_back(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(in[i])));
      ++i;
      continue;
    }
    appendCodePoint(out, cp);
    i += length;
  }
  return out;
}

bool isValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t ignored = 0;
    const size_t length = strictSequence(bytes, i, &ignored);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string fileNameFromUtf16(std::u16string_view in) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char16_t c = in[i];
    if (c >= 0xDC80 && c <= 0xDCFF) {
      out.push_back(static_cast<char>(c - 0xDC00));
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
               in[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (in[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, c);
    }
  }
  return out;
}

}  // namespace platform::text
