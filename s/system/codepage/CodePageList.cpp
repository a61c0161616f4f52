#include "s/system/codepage/CodePageList.h"

#include <algorithm>

#include "platform/text/CodePageConv.h"
#include "platform/text/CodePageLocale.h"
#include "platform/text/Utf.h"
#include "s/base/Singletons.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::system::codepage {

namespace {

struct TableEntry {
  uint32_t number;
  const char16_t* name;
};

// The names are also keys of saved play lists ("titleCodePageName"), so they stay exactly as
// earlier versions wrote them, spelling included.
constexpr TableEntry kTable[] = {
    {850, u"Western (IBM-850)"},
    {852, u"Central European (IBM-852)"},
    {855, u"Cyrillic (IBM-855)"},
    {857, u"Turkish (IBM-857)"},
    {866, u"Russian (CP-866)"},
    {874, u"Thai (Windows-874)"},
    {932, u"Japanese (Shift_JIS)"},
    {936, u"Chinese Simplified (GBK)"},
    {949, u"Korean (UHC)"},
    {950, u"Chinese Traditional (Big5)"},
    {1200, u"UTF-16"},
    {1201, u"UTF-16BE"},
    {1250, u"Central European (Windows-1250)"},
    {1251, u"Cyrillic (Windows-1251)"},
    {1252, u"Western (Windows-1252)"},
    {1253, u"Greek (Windows-1253)"},
    {1254, u"Turkish (Windows-1254)"},
    {1255, u"Hebrew (Windows-1255)"},
    {1256, u"Arabic (Windows-1256)"},
    {1257, u"Baltic (Windows-1257)"},
    {1258, u"Vetnamese (Windows-1258)"},
    {1361, u"Korean (JOHAB)"},
    {20000, u"Chinese Traditional (CNS)"},
    {20127, u"English (ASCII)"},
    {20866, u"Russian (KOI8)"},
    {20932, u"Japanese (EUC-JP)"},
    {20936, u"Chinese Simplified (GB2312)"},
    {21866, u"Ukrainian (KOI8-U)"},
    {28591, u"Western (ISO 8859-1)"},
    {28592, u"Central European (ISO 8859-2)"},
    {28594, u"Baltic (ISO 8859-4)"},
    {28595, u"Cyrillic (ISO 8859-5)"},
    {28597, u"Greek (ISO 8859-7)"},
    {28599, u"Turkish (ISO 8859-9)"},
    {28605, u"Western (ISO 8859-15)"},
    {50220, u"Japanese (ISO-2022-JP)"},
    {50225, u"Korean (ISO-2022-KR)"},
    {50227, u"Chinese Simplified (ISO-2022-CN)"},
    {50229, u"Chinese Traditional (Big5-HKSCS)"},
    {51949, u"Korean (EUC-KR)"},
    {52936, u"Chinese Simplified (HZ)"},
    {54936, u"Chinese Simplified (GB18030)"},
    {65001, u"UTF-8"},
};

struct Built {
  std::vector<const CodePage*> entries;
  const CodePage* utf8 = nullptr;
  const CodePage* utf16 = nullptr;
  const CodePage* utf16BE = nullptr;
  const CodePage* defaultEntry = nullptr;

  ~Built() {
    for (const CodePage* entry : entries) delete entry;
  }
};

const CodePage* find(const std::vector<const CodePage*>& entries, uint32_t number) {
  for (const CodePage* entry : entries)
    if (entry->getNumber() == number) return entry;
  return nullptr;
}

const CodePage* chooseDefault(const Built& built, uint32_t localeCodePage) {
  if (const CodePage* entry = find(built.entries, localeCodePage)) return entry;
  if (built.utf8) return built.utf8;
  return built.entries.empty() ? nullptr : built.entries.front();
}

// The lazy singleton runs this once, under the lock of a function-local static.
Built* build() {
  auto* built = new Built;
  for (const TableEntry& row : kTable) {
    bool always = row.number == CodePage::kUtf16 || row.number == CodePage::kUtf16BE;
    if (always || platform::text::isSupported(row.number))
      built->entries.push_back(new CodePage(row.number, row.name));
  }
  std::stable_sort(built->entries.begin(), built->entries.end(),
                   [](const CodePage* a, const CodePage* b) { return a->getName() < b->getName(); });
  built->utf8 = find(built->entries, CodePage::kUtf8);
  built->utf16 = find(built->entries, CodePage::kUtf16);
  built->utf16BE = find(built->entries, CodePage::kUtf16BE);
  built->defaultEntry = chooseDefault(*built, platform::text::userLegacyCodePage());
  return built;
}

const Built& list() { return base::lazySingleton<Built>(&build); }

}  // namespace

const std::vector<const CodePage*>& CodePageList::entries() { return list().entries; }

const CodePage* CodePageList::byNumber(uint32_t number) { return find(list().entries, number); }

const CodePage* CodePageList::byName(std::u16string_view name) {
  for (const CodePage* entry : list().entries)
    if (entry->getName() == name) return entry;
  return nullptr;
}

const CodePage* CodePageList::lookup(std::u16string_view text) {
  auto same = [](std::u16string_view a, std::u16string_view b) {
    return str::strbuffer::StrBuffer(a).equalsIgnoreCase(b);
  };
  if (text.empty()) return nullptr;
  if (const CodePage* exact = byName(text)) return exact;
  str::strbuffer::StrBuffer number(text);
  if (number.startsWithIgnoreCase(u"cp")) number.remove(0, 2);
  int64_t value = 0;
  if (number.parseInt64(&value) && value > 0 && value <= 0xFFFFFFFFLL)
    return byNumber(static_cast<uint32_t>(value));
  for (const CodePage* entry : list().entries) {
    std::u16string_view name = entry->getName();
    if (same(name, text)) return entry;
    size_t open = name.find(u'('), close = name.rfind(u')');
    if (open != std::u16string_view::npos && close > open &&
        same(name.substr(open + 1, close - open - 1), text))
      return entry;
    std::string charset = platform::text::iconvName(entry->getNumber());
    if (!charset.empty() && same(platform::text::utf8ToUtf16(charset), text)) return entry;
  }
  return nullptr;
}

const CodePage* CodePageList::getDefault() { return list().defaultEntry; }
const CodePage* CodePageList::utf8() { return list().utf8; }
const CodePage* CodePageList::utf16() { return list().utf16; }
const CodePage* CodePageList::utf16BE() { return list().utf16BE; }

const CodePage* CodePageList::defaultFor(uint32_t localeCodePage) {
  return chooseDefault(list(), localeCodePage);
}

}  // namespace s::system::codepage
