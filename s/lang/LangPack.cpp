#include "s/lang/LangPack.h"

namespace s::lang {

LangPack::LangPack(std::u16string_view tagName, std::u16string_view engName,
                   std::u16string_view trueName)
    : tagName_(tagName), engName_(engName), trueName_(trueName) {}

void LangPack::addText(std::int32_t id, std::u16string_view text) {
  ids_.append(id);
  texts_.add(text);
}

void LangPack::addText(std::u16string_view key, std::u16string_view text) {
  keys_.add(key);
  str::strbuffer::StrBuffer* stored = keyedTexts_.add(text);
  if (!byKey_.contains(key)) byKey_.put(key, stored);
}

std::ptrdiff_t LangPack::indexOf(std::int32_t id) const {
  // From the start: the first text of a repeated id is the one shown.
  const std::int32_t* ids = ids_.data();
  for (std::size_t i = 0; i < ids_.size(); ++i)
    if (ids[i] == id) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

bool LangPack::hasText(std::u16string_view key) const { return byKey_.contains(key); }

const char16_t* LangPack::findText(std::int32_t id) const {
  std::ptrdiff_t i = indexOf(id);
  return i < 0 ? nullptr : texts_.get(static_cast<std::size_t>(i))->c_str();
}

const char16_t* LangPack::findText(std::u16string_view key) const {
  auto* text = static_cast<str::strbuffer::StrBuffer*>(byKey_.get(key));
  return text ? text->c_str() : nullptr;
}

}  // namespace s::lang
