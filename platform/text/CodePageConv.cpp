#include "platform/text/CodePageConv.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <unordered_map>

#include "platform/text/Utf.h"

namespace platform::text {

namespace {

struct Named {
  uint32_t codePage;
  // iconv implementations differ in the names they know; the first one this system accepts is
  // used. The Microsoft variants come first where they differ from the standard charset (CP932
  // keeps 0x5C a backslash and has the NEC and IBM extensions that Shift_JIS lacks).
  const char* names[3];
};

constexpr Named kNames[] = {
    {37, {"IBM037", "CP037"}},
    {437, {"CP437", "IBM437"}},
    {850, {"CP850", "IBM850"}},
    {852, {"CP852", "IBM852"}},
    {855, {"CP855", "IBM855"}},
    {857, {"CP857", "IBM857"}},
    {860, {"CP860", "IBM860"}},
    {861, {"CP861", "IBM861"}},
    {862, {"CP862", "IBM862"}},
    {863, {"CP863", "IBM863"}},
    {864, {"CP864", "IBM864"}},
    {865, {"CP865", "IBM865"}},
    {866, {"CP866", "IBM866"}},
    {869, {"CP869", "IBM869"}},
    {874, {"CP874", "WINDOWS-874", "TIS-620"}},
    {932, {"CP932", "WINDOWS-31J", "SHIFT_JIS"}},
    {936, {"CP936", "GBK"}},
    {949, {"CP949", "UHC"}},
    {950, {"CP950", "BIG5"}},
    {1250, {"CP1250", "WINDOWS-1250"}},
    {1251, {"CP1251", "WINDOWS-1251"}},
    {1252, {"CP1252", "WINDOWS-1252"}},
    {1253, {"CP1253", "WINDOWS-1253"}},
    {1254, {"CP1254", "WINDOWS-1254"}},
    {1255, {"CP1255", "WINDOWS-1255"}},
    {1256, {"CP1256", "WINDOWS-1256"}},
    {1257, {"CP1257", "WINDOWS-1257"}},
    {1258, {"CP1258", "WINDOWS-1258"}},
    {1361, {"JOHAB", "CP1361"}},
    {10000, {"MACINTOSH", "MAC"}},
    {10007, {"MAC-CYRILLIC", "MACCYRILLIC"}},
    // Windows' "Chinese Traditional (CNS)" is CNS 11643 in its EUC form.
    {20000, {"EUC-TW"}},
    {20127, {"ASCII", "US-ASCII"}},
    {20866, {"KOI8-R"}},
    {20932, {"EUC-JP"}},
    {20936, {"GB2312", "EUC-CN"}},
    {21866, {"KOI8-U"}},
    {28591, {"ISO-8859-1"}},
    {28592, {"ISO-8859-2"}},
    {28593, {"ISO-8859-3"}},
    {28594, {"ISO-8859-4"}},
    {28595, {"ISO-8859-5"}},
    {28596, {"ISO-8859-6"}},
    {28597, {"ISO-8859-7"}},
    {28598, {"ISO-8859-8"}},
    {28599, {"ISO-8859-9"}},
    {28603, {"ISO-8859-13"}},
    {28605, {"ISO-8859-15"}},
    {50220, {"ISO-2022-JP"}},
    {50225, {"ISO-2022-KR"}},
    {50227, {"ISO-2022-CN"}},
    {50229, {"BIG5-HKSCS", "BIG5HKSCS"}},
    {51932, {"EUC-JP"}},
    {51936, {"GB2312", "EUC-CN"}},
    {51949, {"EUC-KR"}},
    {52936, {"HZ", "HZ-GB-2312"}},
    {54936, {"GB18030"}},
    {65000, {"UTF-7"}},
    {65001, {"UTF-8"}},
    {1200, {"UTF-16LE"}},
    {1201, {"UTF-16BE"}},
};

bool convertedHere(uint32_t codePage) {
  return codePage == 65001 || codePage == 28591 || codePage == 1200 || codePage == 1201;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// A name is usable only when iconv converts both ways: reading tags needs one direction and
// writing them the other.
bool iconvAccepts(const char* name) {
  return Converter("UTF-16LE", name).ok() && Converter(name, "UTF-16LE").ok();
}

// Asking iconv is slow (it loads a module per charset), so each code page is asked once.
std::string resolveName(uint32_t codePage) {
  static std::mutex mutex;
  static std::unordered_map<uint32_t, std::string> resolved;
  std::lock_guard<std::mutex> hold(mutex);
  if (auto found = resolved.find(codePage); found != resolved.end()) return found->second;
  std::string name;
  for (const Named& entry : kNames) {
    if (entry.codePage != codePage) continue;
    for (const char* candidate : entry.names) {
      if (!candidate) break;
      if (convertedHere(codePage) || iconvAccepts(candidate)) {
        name = candidate;
        break;
      }
    }
    break;
  }
  resolved.emplace(codePage, name);
  return name;
}

// Opening a converter costs far more than converting a tag, and a play list decodes thousands of
// tags; each thread keeps its converters (they are not safe to share between threads).
class ConverterCache {
 public:
  ~ConverterCache() {
    for (auto& entry : converters_) iconv_close(entry.second);
  }
  // A converter in its initial shift state, or (iconv_t)-1.
  iconv_t get(uint32_t codePage, bool toUtf16, const std::string& name) {
    uint64_t key = static_cast<uint64_t>(codePage) << 1 | (toUtf16 ? 1 : 0);
    auto found = converters_.find(key);
    if (found == converters_.end()) {
      iconv_t cd = toUtf16 ? iconv_open("UTF-16LE", name.c_str())
                           : iconv_open(name.c_str(), "UTF-16LE");
      if (cd == reinterpret_cast<iconv_t>(-1)) return cd;
      found = converters_.emplace(key, cd).first;
    }
    iconv(found->second, nullptr, nullptr, nullptr, nullptr);
    return found->second;
  }

 private:
  std::unordered_map<uint64_t, iconv_t> converters_;
};

iconv_t cachedConverter(uint32_t codePage, bool toUtf16, const std::string& name) {
  thread_local ConverterCache cache;
  return cache.get(codePage, toUtf16, name);
}

void decodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out) {
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  if (bytes.size() & 1) out.push_back(0xFFFD);
}

}  // namespace

std::string iconvName(uint32_t codePage) { return resolveName(codePage); }

bool isSupported(uint32_t codePage) { return !resolveName(codePage).empty(); }

bool decode(uint32_t codePage, std::string_view bytes, std::u16string& out) {
  switch (codePage) {
    case 65001:
      appendUtf8AsUtf16(out, bytes);
      return true;
    case 28591:
      for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
      return true;
    case 1200:
      decodeUtf16(bytes, false, out);
      return true;
    case 1201:
      decodeUtf16(bytes, true, out);
      return true;
    default:
      break;
  }
  std::string name = resolveName(codePage);
  if (name.empty()) return false;
  iconv_t cd = cachedConverter(codePage, true, name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string decoded;
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    decoded.append(buffer, static_cast<size_t>(o - buffer));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An invalid or cut-off sequence: mark it and carry on after its first byte.
      decoded.append("\xFD\xFF", 2);
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* o = buffer;
  size_t oLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &o, &oLeft);  // flush shift states (ISO-2022-JP, HZ)
  decoded.append(buffer, static_cast<size_t>(o - buffer));
  decodeUtf16(decoded, false, out);
  return true;
}

bool encode(uint32_t codePage, std::u16string_view text, std::string& out) {
  if (codePage == 65001) {
    out += utf16ToUtf8(text);
    return true;
  }
  if (codePage == 1200 || codePage == 1201) {
    for (char16_t c : text) {
      char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
      out.push_back(codePage == 1200 ? lo : hi);
      out.push_back(codePage == 1200 ? hi : lo);
    }
    return true;
  }
  if (codePage == 28591) {
    std::string encoded;
    for (char16_t c : text) {
      if (c > 0xFF) return false;
      encoded.push_back(static_cast<char>(c));
    }
    out += encoded;
    return true;
  }
  std::string name = resolveName(codePage);
  if (name.empty()) return false;
  iconv_t cd = cachedConverter(codePage, false, name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in16;
  for (char16_t c : text) {
    in16.push_back(static_cast<char>(c & 0xFF));
    in16.push_back(static_cast<char>(c >> 8));
  }
  std::string encoded;
  char buffer[4096];
  char* in = in16.data();
  size_t inLeft = in16.size();
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    encoded.append(buffer, static_cast<size_t>(o - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
  }
  char* o = buffer;
  size_t oLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &o, &oLeft);
  encoded.append(buffer, static_cast<size_t>(o - buffer));
  // Some converters quietly substitute a look-alike (a fullwidth tilde for a wave dash) and count
  // it as "irreversible" instead of failing; a text that does not come back unchanged was not
  // representable, and the caller must choose another encoding rather than lose characters.
  std::u16string back;
  if (!decode(codePage, encoded, back) || back != text) return false;
  out += encoded;
  return true;
}

}  // namespace platform::text
