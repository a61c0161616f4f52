#pragma once
#include <cstdint>
#include <string_view>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayS32.h"
#include "s/map/MapTable.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::lang {

// The texts of one language: numeric ids with their texts in the order they were added (a
// repeated id keeps its first text), and texts under string keys.
class LangPack : public base::IObject {
 public:
  LangPack(std::u16string_view tagName, std::u16string_view engName, std::u16string_view trueName);
  ~LangPack() override = default;
  LangPack(const LangPack&) = delete;
  LangPack& operator=(const LangPack&) = delete;

  const char16_t* typeName() const override { return u"s_lang_LangPack"; }
  base::IObject* newInstance() const override { return new LangPack({}, {}, {}); }

  std::u16string_view tagName() const { return tagName_.view(); }
  std::u16string_view engName() const { return engName_.view(); }
  std::u16string_view trueName() const { return trueName_.view(); }

  void addText(std::int32_t id, std::u16string_view text);
  void addText(std::u16string_view key, std::u16string_view text);
  bool hasText(std::int32_t id) const { return indexOf(id) >= 0; }
  bool hasText(std::u16string_view key) const;
  // The text for the id or key; null when the pack has none.
  const char16_t* findText(std::int32_t id) const;
  const char16_t* findText(std::u16string_view key) const;
  std::size_t textCount() const { return ids_.size(); }
  std::size_t keyedTextCount() const { return keys_.size(); }

 private:
  std::ptrdiff_t indexOf(std::int32_t id) const;

  str::strbuffer::StrBuffer tagName_;
  str::strbuffer::StrBuffer engName_;
  str::strbuffer::StrBuffer trueName_;
  col::_array::ArrayS32 ids_;
  str::strarray::StrArray texts_;
  str::strarray::StrArray keys_;
  str::strarray::StrArray keyedTexts_;
  // Key to its text (a StrBuffer owned by keyedTexts_); the first text of a key stays.
  mutable map::MapTable byKey_;
};

}  // namespace s::lang
