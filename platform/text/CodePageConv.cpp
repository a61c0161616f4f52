#include "platform/text/CodePageConv.h"

#include <iconv.h>

#include <cerrno>

#include "platform/text/Utf.h"

namespace platform::text {

namespace {

struct Named {
  uint32_t codePage;
  const char* name;
};

// Windows code page numbers and the names iconv knows them by.
constexpr Named kNames[] = {
    {37, "IBM037"},          {437, "CP437"},         {850, "CP850"},
    {852, "CP852"},          {855, "CP855"},         {857, "CP857"},
    {860, "CP860"},          {861, "CP861"},         {862, "CP862"},
    {863, "CP863"},          {864, "CP864"},         {865, "CP865"},
    {866, "CP866"},          {869, "CP869"},         {874, "CP874"},
    {932, "CP932"},          {936, "GBK"},           {949, "CP949"},
    {950, "BIG5"},           {1250, "CP1250"},       {1251, "CP1251"},
    {1252, "CP1252"},        {1253, "CP1253"},       {1254, "CP1254"},
    {1255, "CP1255"},        {1256, "CP1256"},       {1257, "CP1257"},
    {1258, "CP1258"},        {10000, "MACINTOSH"},   {10007, "MAC-CYRILLIC"},
    {20127, "ASCII"},        {20866, "KOI8-R"},      {20932, "EUC-JP"},
    {21866, "KOI8-U"},       {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},   {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},   {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},   {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {50220, "ISO-2022-JP"},  {51932, "EUC-JP"},      {51936, "GB2312"},
    {51949, "EUC-KR"},       {52936, "HZ"},          {54936, "GB18030"},
    {65000, "UTF-7"},        {65001, "UTF-8"},       {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},
};

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

void decodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out) {
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  if (bytes.size() & 1) out.push_back(0xFFFD);
}

}  // namespace

std::string iconvName(uint32_t codePage) {
  for (const Named& n : kNames)
    if (n.codePage == codePage) return n.name;
  return {};
}

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
  std::string name = iconvName(codePage);
  if (name.empty()) return false;
  Converter conv("UTF-16LE", name.c_str());
  if (!conv.ok()) return false;
  std::string decoded;
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(conv.get(), &in, &inLeft, &o, &oLeft);
    decoded.append(buffer, static_cast<size_t>(o - buffer));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An invalid or cut-off sequence: mark it and carry on after its first byte.
      decoded.append("\xFD\xFF", 2);
      ++in;
      --inLeft;
      iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* o = buffer;
  size_t oLeft = sizeof buffer;
  iconv(conv.get(), nullptr, nullptr, &o, &oLeft);  // flush shift states (ISO-2022-JP, HZ)
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
  std::string name = iconvName(codePage);
  if (name.empty()) return false;
  Converter conv(name.c_str(), "UTF-16LE");
  if (!conv.ok()) return false;
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
    size_t r = iconv(conv.get(), &in, &inLeft, &o, &oLeft);
    encoded.append(buffer, static_cast<size_t>(o - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
  }
  char* o = buffer;
  size_t oLeft = sizeof buffer;
  iconv(conv.get(), nullptr, nullptr, &o, &oLeft);
  encoded.append(buffer, static_cast<size_t>(o - buffer));
  out += encoded;
  return true;
}

}  // namespace platform::text
