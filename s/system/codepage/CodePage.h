#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/base/IObject.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::system::codepage {

// One entry of the program-wide code page list: a Windows code page number and the name shown in
// menus. Entries live as long as the program and are shared; nobody releases them.
class CodePage final : public base::IObject {
 public:
  static constexpr uint32_t kUtf16 = 1200;
  static constexpr uint32_t kUtf16BE = 1201;
  static constexpr uint32_t kUtf8 = 65001;

  CodePage(uint32_t number, std::u16string_view name) : number_(number), name_(name) {}

  uint32_t getNumber() const { return number_; }
  const std::u16string& getName() const { return name_; }
  // The UTF forms, which a tag marks by its encoding byte rather than by a code page choice.
  bool isUnicode() const { return number_ == kUtf16 || number_ == kUtf16BE || number_ == kUtf8; }

  // Appends `bytes` decoded in this code page; false when the system cannot convert it.
  bool decode(std::string_view bytes, str::strbuffer::StrBuffer& out) const;
  // `text` in this code page; false when a character has no representation in it.
  bool encode(std::u16string_view text, std::string& out) const;

  const char16_t* typeName() const override { return u"s_system_codepage_CodePage"; }
  IObject* newInstance() const override { return new CodePage(number_, name_); }

 private:
  uint32_t number_;
  std::u16string name_;
};

}  // namespace s::system::codepage
