#include "s/system/codepage/CodePage.h"

#include "s/str/strbuffer/StrBuffer.h"

namespace s::system::codepage {

bool CodePage::decode(std::string_view bytes, str::strbuffer::StrBuffer& out) const {
  return out.appendBytes(bytes, number_);
}

bool CodePage::encode(std::u16string_view text, std::string& out) const {
  return str::strbuffer::StrBuffer(text).toBytes(number_, out);
}

}  // namespace s::system::codepage
