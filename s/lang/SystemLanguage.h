#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace s::lang {

// The user's interface language, in the form the language table is chosen by: a Windows
// language identifier (primary language in the low 10 bits, sub-language above) and the English
// name of that language in capitals.
class SystemLanguage {
 public:
  // The identifier for a POSIX locale name such as "pt_BR.UTF-8", "zh_HK", "sr_RS@latin" or
  // "de"; "C" and "POSIX" are English (United States); 0 for a language without identifier.
  static std::uint16_t idFromLocale(std::string_view locale);
  // The identifier of this process's interface language: the first of LANGUAGE (its first
  // entry), LC_ALL, LC_MESSAGES and LANG that is set and not empty.
  static std::uint16_t currentId();
  // "CHINESE_TRADITIONAL", "PORTUGUESE_BRAZILIAN", "GERMAN", ...; empty for an identifier
  // without a name.
  static std::u16string nameOfId(std::uint16_t id);
  // The name of currentId(), computed at the first call and kept for the life of the process.
  static const std::u16string& name();
};

}  // namespace s::lang
