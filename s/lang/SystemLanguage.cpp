#include "s/lang/SystemLanguage.h"

#include <cstdlib>
#include <cstring>

namespace s::lang {

namespace {

struct Primary {
  const char* code;  // ISO 639 code of the locale name
  std::uint16_t id;  // primary language identifier
};

// Locale language codes and the primary language identifiers they stand for.
constexpr Primary kPrimaries[] = {
    {"ar", 0x01},  {"bg", 0x02},  {"ca", 0x03},  {"zh", 0x04},  {"cs", 0x05},  {"da", 0x06},
    {"de", 0x07},  {"el", 0x08},  {"en", 0x09},  {"es", 0x0A},  {"fi", 0x0B},  {"fr", 0x0C},
    {"he", 0x0D},  {"hu", 0x0E},  {"is", 0x0F},  {"it", 0x10},  {"ja", 0x11},  {"ko", 0x12},
    {"nl", 0x13},  {"nb", 0x14},  {"nn", 0x14},  {"no", 0x14},  {"pl", 0x15},  {"pt", 0x16},
    {"rm", 0x17},  {"ro", 0x18},  {"ru", 0x19},  {"hr", 0x1A},  {"sr", 0x1A},  {"bs", 0x1A},
    {"sk", 0x1B},  {"sq", 0x1C},  {"sv", 0x1D},  {"th", 0x1E},  {"tr", 0x1F},  {"ur", 0x20},
    {"id", 0x21},  {"uk", 0x22},  {"be", 0x23},  {"sl", 0x24},  {"et", 0x25},  {"lv", 0x26},
    {"lt", 0x27},  {"tg", 0x28},  {"fa", 0x29},  {"vi", 0x2A},  {"hy", 0x2B},  {"az", 0x2C},
    {"eu", 0x2D},  {"hsb", 0x2E}, {"dsb", 0x2E}, {"mk", 0x2F},  {"tn", 0x32},  {"xh", 0x34},
    {"zu", 0x35},  {"af", 0x36},  {"ka", 0x37},  {"fo", 0x38},  {"hi", 0x39},  {"mt", 0x3A},
    {"se", 0x3B},  {"ga", 0x3C},  {"ms", 0x3E},  {"kk", 0x3F},  {"ky", 0x40},  {"sw", 0x41},
    {"tk", 0x42},  {"uz", 0x43},  {"tt", 0x44},  {"bn", 0x45},  {"pa", 0x46},  {"gu", 0x47},
    {"or", 0x48},  {"ta", 0x49},  {"te", 0x4A},  {"kn", 0x4B},  {"ml", 0x4C},  {"as", 0x4D},
    {"mr", 0x4E},  {"sa", 0x4F},  {"mn", 0x50},  {"bo", 0x51},  {"cy", 0x52},  {"km", 0x53},
    {"lo", 0x54},  {"gl", 0x56},  {"kok", 0x57}, {"syr", 0x5A}, {"si", 0x5B},  {"iu", 0x5D},
    {"am", 0x5E},  {"ne", 0x61},  {"fy", 0x62},  {"ps", 0x63},  {"fil", 0x64}, {"dv", 0x65},
    {"ha", 0x68},  {"yo", 0x6A},  {"quz", 0x6B}, {"nso", 0x6C}, {"ba", 0x6D},  {"lb", 0x6E},
    {"kl", 0x6F},  {"ig", 0x70},  {"ii", 0x78},  {"arn", 0x7A}, {"moh", 0x7C}, {"br", 0x7E},
    {"ug", 0x80},  {"mi", 0x81},  {"oc", 0x82},  {"co", 0x83},  {"gsw", 0x84}, {"sah", 0x85},
    {"rw", 0x87},  {"wo", 0x88},  {"prs", 0x8C},
};

struct Full {
  const char* locale;  // language_TERRITORY, with "@latin" where the script decides
  std::uint16_t id;
};

// Locales whose full identifier picks a language of its own; every other locale takes the
// default sub-language (1) of its primary language.
constexpr Full kFulls[] = {
    {"zh_CN", 0x0804}, {"zh_SG", 0x1004}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04},
    {"zh_MO", 0x1404}, {"zh", 0x0804},    {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"pt", 0x0816},    {"hr", 0x041A},    {"hr_HR", 0x041A}, {"hr_BA", 0x101A},
    {"bs", 0x141A},    {"bs_BA", 0x141A}, {"sr", 0x281A},    {"sr_RS", 0x281A},
    {"sr_RS@latin", 0x241A}, {"sr_ME", 0x301A}, {"sr_ME@latin", 0x2C1A}, {"hsb", 0x042E},
    {"hsb_DE", 0x042E}, {"dsb", 0x082E}, {"dsb_DE", 0x082E}, {"nn", 0x0814}, {"nn_NO", 0x0814},
};

struct Name {
  std::uint16_t id;
  const char16_t* name;
};

// Full identifiers whose name is not their primary language's.
constexpr Name kFullNames[] = {
    {0x0004, u"CHINESE_SIMPLIFIED"},  {0x0804, u"CHINESE_SIMPLIFIED"},
    {0x1004, u"CHINESE_SIMPLIFIED"},  {0x0404, u"CHINESE_TRADITIONAL"},
    {0x0C04, u"CHINESE_TRADITIONAL"}, {0x1404, u"CHINESE_TRADITIONAL"},
    {0x7C04, u"CHINESE_TRADITIONAL"}, {0x0416, u"PORTUGUESE_BRAZILIAN"},
    {0x0816, u"PORTUGUESE_PORTUGAL"}, {0x041A, u"CROATIAN"},
    {0x201A, u"BOSNIAN"},             {0x7C1A, u"SERBIAN"},
    {0x042E, u"UPPER_SORBIAN"},       {0x082E, u"LOWER_SORBIAN"},
};

constexpr Name kPrimaryNames[] = {
    {0x01, u"ARABIC"},      {0x02, u"BULGARIAN"},    {0x03, u"CATALAN"},
    {0x04, u"CHINESE"},     {0x05, u"CZECH"},        {0x06, u"DANISH"},
    {0x07, u"GERMAN"},      {0x08, u"GREEK"},        {0x09, u"ENGLISH"},
    {0x0A, u"SPANISH"},     {0x0B, u"FINNISH"},      {0x0C, u"FRENCH"},
    {0x0D, u"HEBREW"},      {0x0E, u"HUNGARIAN"},    {0x0F, u"ICELANDIC"},
    {0x10, u"ITALIAN"},     {0x11, u"JAPANESE"},     {0x12, u"KOREAN"},
    {0x13, u"DUTCH"},       {0x14, u"NORWEGIAN"},    {0x15, u"POLISH"},
    {0x16, u"PORTUGUESE"},  {0x17, u"ROMANSH"},      {0x18, u"ROMANIAN"},
    {0x19, u"RUSSIAN"},     {0x1A, u"SERBIAN"},      {0x1B, u"SLOVAK"},
    {0x1C, u"ALBANIAN"},    {0x1D, u"SWEDISH"},      {0x1E, u"THAI"},
    {0x1F, u"TURKISH"},     {0x20, u"URDU"},         {0x21, u"INDONESIAN"},
    {0x22, u"UKRAINIAN"},   {0x23, u"BELARUSIAN"},   {0x24, u"SLOVENIAN"},
    {0x25, u"ESTONIAN"},    {0x26, u"LATVIAN"},      {0x27, u"LITHUANIAN"},
    {0x28, u"TAJIK"},       {0x29, u"PERSIAN"},      {0x2A, u"VIETNAMESE"},
    {0x2B, u"ARMENIAN"},    {0x2C, u"AZERI"},        {0x2D, u"BASQUE"},
    {0x2E, u"UPPER_SORBIAN"}, {0x2F, u"MACEDONIAN"}, {0x32, u"TSWANA"},
    {0x34, u"XHOSA"},       {0x35, u"ZULU"},         {0x36, u"AFRIKAANS"},
    {0x37, u"GEORGIAN"},    {0x38, u"FAEROESE"},     {0x39, u"HINDI"},
    {0x3A, u"MALTESE"},     {0x3B, u"SAMI"},         {0x3C, u"IRISH"},
    {0x3E, u"MALAY"},       {0x3F, u"KAZAK"},        {0x40, u"KYRGYZ"},
    {0x41, u"SWAHILI"},     {0x42, u"TURKMEN"},      {0x43, u"UZBEK"},
    {0x44, u"TATAR"},       {0x45, u"BENGALI"},      {0x46, u"PUNJABI"},
    {0x47, u"GUJARATI"},    {0x48, u"ORIYA"},        {0x49, u"TAMIL"},
    {0x4A, u"TELUGU"},      {0x4B, u"KANNADA"},      {0x4C, u"MALAYALAM"},
    {0x4D, u"ASSAMESE"},    {0x4E, u"MARATHI"},      {0x4F, u"SANSKRIT"},
    {0x50, u"MONGOLIAN"},   {0x51, u"TIBETAN"},      {0x52, u"WELSH"},
    {0x53, u"KHMER"},       {0x54, u"LAO"},          {0x56, u"GALICIAN"},
    {0x57, u"KONKANI"},     {0x5A, u"SYRIAC"},       {0x5B, u"SINHALESE"},
    {0x5D, u"INUKTITUT"},   {0x5E, u"AMHARIC"},      {0x5F, u"TAMAZIGHT"},
    {0x61, u"NEPALI"},      {0x62, u"FRISIAN"},      {0x63, u"PASHTO"},
    {0x64, u"FILIPINO"},    {0x65, u"DIVEHI"},       {0x68, u"HAUSA"},
    {0x6A, u"YORUBA"},      {0x6B, u"QUECHUA"},      {0x6C, u"SOTHO"},
    {0x6D, u"BASHKIR"},     {0x6E, u"LUXEMBOURGISH"}, {0x6F, u"GREENLANDIC"},
    {0x70, u"IGBO"},        {0x78, u"YI"},           {0x7A, u"MAPUDUNGUN"},
    {0x7C, u"MOHAWK"},      {0x7E, u"BRETON"},       {0x80, u"UIGHUR"},
    {0x81, u"MAORI"},       {0x82, u"OCCITAN"},      {0x83, u"CORSICAN"},
    {0x84, u"ALSATIAN"},    {0x85, u"YAKUT"},        {0x86, u"KICHE"},
    {0x87, u"KINYARWANDA"}, {0x88, u"WOLOF"},        {0x8C, u"DARI"},
};

constexpr std::uint16_t kEnglishUnitedStates = 0x0409;

}  // namespace

std::uint16_t SystemLanguage::idFromLocale(std::string_view locale) {
  // "language[_TERRITORY][.codeset][@modifier]": the codeset never matters, the modifier only
  // for the script of Serbian.
  std::string_view modifier;
  if (auto at = locale.find('@'); at != std::string_view::npos) {
    modifier = locale.substr(at);
    locale = locale.substr(0, at);
  }
  if (auto dot = locale.find('.'); dot != std::string_view::npos) locale = locale.substr(0, dot);
  if (locale.empty() || locale == "C" || locale == "POSIX") return kEnglishUnitedStates;
  std::string_view language = locale.substr(0, locale.find('_'));

  std::string withScript = std::string(locale) + std::string(modifier);
  for (const Full& f : kFulls)
    if (withScript == f.locale) return f.id;
  for (const Full& f : kFulls)
    if (locale == f.locale) return f.id;
  for (const Primary& p : kPrimaries)
    if (language == p.code) return static_cast<std::uint16_t>((1 << 10) | p.id);
  return 0;
}

std::uint16_t SystemLanguage::currentId() {
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string_view first(value);
    first = first.substr(0, first.find(':'));  // LANGUAGE is a list, best first
    if (!first.empty()) return idFromLocale(first);
  }
  return kEnglishUnitedStates;
}

std::u16string SystemLanguage::nameOfId(std::uint16_t id) {
  for (const Name& n : kFullNames)
    if (n.id == id) return n.name;
  std::uint16_t primary = id & 0x3FF;
  for (const Name& n : kPrimaryNames)
    if (n.id == primary) return n.name;
  return {};
}

const std::u16string& SystemLanguage::name() {
  static const std::u16string kept = nameOfId(currentId());
  return kept;
}

}  // namespace s::lang
