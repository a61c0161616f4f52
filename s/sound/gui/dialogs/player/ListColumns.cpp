#include "s/sound/gui/dialogs/player/ListColumns.h"

#include <cstdint>
#include <limits>
#include <string>

#include "s/gui/listbox2/DataType.h"
#include "s/gui/win/ListBox2.h"
#include "s/str/CharCase.h"

namespace s::sound::gui::dialogs::player {

using s::gui::listbox2::DataType;
using s::gui::listbox2::SubRecord;

namespace {

struct ColumnDef {
  int textId;
  const char16_t* englishTitle;  // shown when no localizer is given
  int width;
  int alignment;
  DataType::Compare compare;
};

constexpr ColumnDef kColumns[kSongColumnCount] = {
    {990500, u"#", 30, DataType::kAlignLeft, &compareCellNumbers},
    {990000, u"Title", 150, DataType::kAlignLeft, &compareCellTexts},
    {991000, u"Duration", 45, DataType::kAlignCentre, &compareCellNumbers},
    {992000, u"Artist", 75, DataType::kAlignLeft, &compareCellTexts},
    {992500, u"Album", 90, DataType::kAlignLeft, &compareCellTexts},
    {993000, u"Genre", 70, DataType::kAlignLeft, &compareCellTexts},
    {993900, u"File Name", 150, DataType::kAlignLeft, &compareCellTexts},
    {994000, u"File Path", 700, DataType::kAlignLeft, &compareCellTexts},
};

inline char16_t folded(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  return str::CharCase::toLower(c);
}

std::uint64_t numberOf(SubRecord* cell) {
  if (cell->hasSortValue()) return cell->getSortValue();
  const std::u16string& text = cell->getText();
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i < text.size() && text[i] == u'+') ++i;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    const std::uint64_t digit = static_cast<std::uint64_t>(text[i] - u'0');
    // A number too long for 64 bits sorts after every number that fits.
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

void addSongColumns(s::gui::win::ListBox2& view, s::lang::Localizer* localizer) {
  for (const ColumnDef& entry : kColumns) {
    DataType* column =
        view.addColumn(entry.englishTitle, entry.textId, localizer, entry.alignment, entry.width);
    column->setCompare(entry.compare);
  }
}

int compareCellTexts(SubRecord* a, SubRecord* b) {
  const std::u16string& x = a->getText();
  const std::u16string& y = b->getText();
  const std::size_t common = x.size() < y.size() ? x.size() : y.size();
  for (std::size_t i = 0; i < common; ++i) {
    if (x[i] == y[i]) continue;
    const char16_t p = folded(x[i]), q = folded(y[i]);
    if (p != q) return p < q ? -1 : 1;
  }
  if (x.size() == y.size()) return 0;
  return x.size() < y.size() ? -1 : 1;
}

int compareCellNumbers(SubRecord* a, SubRecord* b) {
  const std::uint64_t x = numberOf(a), y = numberOf(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace s::sound::gui::dialogs::player
