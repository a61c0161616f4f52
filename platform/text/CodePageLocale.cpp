#include "platform/text/CodePageLocale.h"

#include <cstdlib>
#include <string>

namespace platform::text {

namespace {

struct LanguageCodePage {
  const char* language;
  uint32_t codePage;
};

constexpr LanguageCodePage kLanguages[] = {
    {"ja", 932},   {"ko", 949},   {"ru", 1251},  {"uk", 1251},  {"bg", 1251},  {"be", 1251},
    {"sr", 1251},  {"el", 1253},  {"tr", 1254},  {"he", 1255},  {"iw", 1255},  {"ar", 1256},
    {"fa", 1256},  {"lt", 1257},  {"lv", 1257},  {"et", 1257},  {"vi", 1258},  {"th", 874},
    {"cs", 1250},  {"pl", 1250},  {"hu", 1250},  {"sk", 1250},  {"sl", 1250},  {"hr", 1250},
    {"ro", 1250},
};

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

uint32_t legacyCodePageOfLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  std::string_view modifier;
  if (size_t at = locale.find('@'); at != std::string_view::npos) {
    modifier = locale.substr(at + 1);
    locale = locale.substr(0, at);
  }
  locale = locale.substr(0, locale.find('.'));
  size_t underscore = locale.find_first_of("_-");
  std::string language = lower(locale.substr(0, underscore));
  std::string territory =
      underscore == std::string_view::npos ? std::string() : lower(locale.substr(underscore + 1));

  if (language == "zh")
    return territory == "tw" || territory == "hk" || territory == "mo" ? 950 : 936;
  // Serbian in Latin script uses the Central European code page, as Windows does.
  if (language == "sr" && lower(modifier) == "latin") return 1250;
  for (const LanguageCodePage& entry : kLanguages)
    if (language == entry.language) return entry.codePage;
  return 1252;
}

uint32_t userLegacyCodePage() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return legacyCodePageOfLocale(value);
  }
  return 1252;
}

}  // namespace platform::text
