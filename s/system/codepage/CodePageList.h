#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "s/system/codepage/CodePage.h"

namespace s::system::codepage {

// The program-wide list of code pages a user can choose for tag texts: every code page of our
// table that this system can convert, plus UTF-16 and UTF-16BE always, sorted by name. Built once
// on first use from any thread, read-only afterwards; the entries are never freed.
class CodePageList {
 public:
  // The entries in menu order.
  static const std::vector<const CodePage*>& entries();
  static const CodePage* byNumber(uint32_t number);
  // The entry with exactly this name ("Japanese (Shift_JIS)"); null when there is none.
  static const CodePage* byName(std::u16string_view name);
  // The entry a person means by `text`: its name in any case, the charset in its parentheses
  // ("Shift_JIS", "windows-1251"), its number ("932"), "cp" and the number, or its iconv name.
  static const CodePage* lookup(std::u16string_view text);

  // The program's default code page. On Windows this is the OEM code page; here it is the
  // legacy code page of the user's locale language (see platform/text/CodePageLocale.h). When
  // the system cannot convert that one: UTF-8, and when that is missing too, the first entry.
  static const CodePage* getDefault();

  static const CodePage* utf8();
  static const CodePage* utf16();
  static const CodePage* utf16BE();

  // The default for a given locale code page number, by the same rule (for tests and tools that
  // need to know what another locale would give).
  static const CodePage* defaultFor(uint32_t localeCodePage);
};

}  // namespace s::system::codepage
