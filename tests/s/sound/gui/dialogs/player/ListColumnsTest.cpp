#include "s/sound/gui/dialogs/player/ListColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/sound/wav/Info.h"

namespace {

using s::gui::listbox2::DataType;
using s::gui::listbox2::SubRecord;
using s::gui::win::ListBox2;
namespace player = s::sound::gui::dialogs::player;

TEST(ListColumnsTest, TheEightSongColumnsWithTheirTitlesWidthsAndAlignments) {
  auto localizer = s::lang::Localizer::createFromResource();
  localizer->selectByName(u"English");
  ListBox2* view = ListBox2::create();
  player::addSongColumns(*view, localizer.get());

  struct Expected {
    int textId;
    const char16_t* title;
    int width;
    int alignment;
    bool numeric;
  } expected[] = {
      {990500, u"#", 30, DataType::kAlignLeft, true},
      {990000, u"Title", 150, DataType::kAlignLeft, false},
      {991000, u"Duration", 45, DataType::kAlignCentre, true},
      {992000, u"Artist", 75, DataType::kAlignLeft, false},
      {992500, u"Album", 90, DataType::kAlignLeft, false},
      {993000, u"Genre", 70, DataType::kAlignLeft, false},
      {993900, u"File Name", 150, DataType::kAlignLeft, false},
      {994000, u"File Path", 700, DataType::kAlignLeft, false},
  };
  ASSERT_EQ(view->getColumnCount(), player::kSongColumnCount);
  for (int i = 0; i < player::kSongColumnCount; ++i) {
    DataType* column = view->getColumn(i);
    const Expected& e = expected[i];
    EXPECT_EQ(column->getTextId(), e.textId) << i;
    EXPECT_EQ(column->getTitle(), e.title) << i;
    EXPECT_EQ(column->getWidth(), e.width) << i;
    EXPECT_EQ(column->getAlignment(), e.alignment) << i;
    EXPECT_EQ(column->getCompare(), e.numeric ? &player::compareCellNumbers : &player::compareCellTexts)
        << i;
  }

  localizer->selectByName(u"German");
  EXPECT_EQ(view->getColumn(player::kTitleColumn)->getTitle(), u"Titel");
  EXPECT_NE(view->getColumn(player::kDurationColumn)->getTitle(), u"Duration");
  view->release();
}

TEST(ListColumnsTest, WithoutALocalizerTheColumnsHaveTheirEnglishTitles) {
  ListBox2* view = ListBox2::create();
  player::addSongColumns(*view, nullptr);
  EXPECT_EQ(view->getColumn(player::kSongNumberColumn)->getTitle(), u"#");
  EXPECT_EQ(view->getColumn(player::kFilePathColumn)->getTitle(), u"File Path");
  view->release();
}

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

TEST(ListColumnsTest, TextsCompareIgnoringCaseOverTheShorterLengthThenShorterFirst) {
  struct Case {
    const char16_t *a, *b;
    int order;
  } cases[] = {
      {u"abc", u"ABC", 0},     {u"abc", u"abd", -1},   {u"ab", u"abc", -1},
      {u"ABC", u"ab", 1},      {u"Zebra", u"apple", 1}, {u"", u"a", -1},
      {u"", u"", 0},           {u"Ärger", u"äRGER", 0}, {u"Ωmega", u"ωmega", 0},
      {u"Привет", u"привет", 0}, {u"a_", u"aB", -1},  // '_' sorts below the folded letters
  };
  for (const Case& c : cases) {
    SubRecord* a = SubRecord::create();
    SubRecord* b = SubRecord::create();
    a->setText(c.a);
    b->setText(c.b);
    EXPECT_EQ(sign(player::compareCellTexts(a, b)), c.order);
    EXPECT_EQ(sign(player::compareCellTexts(b, a)), -c.order);
    a->release();
    b->release();
  }
}

TEST(ListColumnsTest, NumbersCompareByTheKeptValueElseByTheirText) {
  struct Case {
    const char16_t *a, *b;
    int order;
  } cases[] = {
      {u"10", u"9", 1},   {u"", u"0", 0},      {u" 7", u"07", 0},
      {u"12abc", u"12", 0}, {u"x", u"1", -1},  {u"+3", u"3", 0},
      {u"99999999999999999999999", u"18446744073709551615", 0},  // too long reads as the largest
      {u"4294967296", u"4294967295", 1},
  };
  for (const Case& c : cases) {
    SubRecord* a = SubRecord::create();
    SubRecord* b = SubRecord::create();
    a->setText(c.a);
    b->setText(c.b);
    EXPECT_EQ(sign(player::compareCellNumbers(a, b)), c.order);
    EXPECT_EQ(sign(player::compareCellNumbers(b, a)), -c.order);
    a->release();
    b->release();
  }
  // A kept value wins over the text it is shown as.
  SubRecord* longer = SubRecord::create();
  SubRecord* shorter = SubRecord::create();
  longer->setText(u"1:01:01");
  longer->setSortValue(25 * 3600 + 61);
  shorter->setText(u"2:00:00");
  shorter->setSortValue(2 * 3600);
  EXPECT_GT(player::compareCellNumbers(longer, shorter), 0);
  longer->release();
  shorter->release();
}

TEST(ListColumnsTest, SongRowsSortByTheirSecondsNumbersAndTitles) {
  ListBox2* view = ListBox2::create();
  player::addSongColumns(*view, nullptr);
  struct Song {
    const char16_t* path;
    int number;
    int playTimeMs;
  } songs[] = {
      {u"/m/beta.wav", 10, (25 * 3600 + 61) * 1000},  // shows 1:01:01
      {u"/m/Alpha.wav", 9, 2 * 3600 * 1000},
      {u"/m/gamma.wav", 100, 59999},
      {u"/m/alpha two.wav", -1, 187000},
  };
  std::vector<s::sound::wav::Info*> records;
  for (const Song& song : songs) {
    auto* info = s::sound::wav::Info::create();
    info->setPath(song.path);
    info->setSongNumber(song.number);
    info->setPlayTimeMs(song.playTimeMs);
    view->addRow(info->getListRow());
    records.push_back(info);
  }
  auto column = [&](int cell) {
    std::vector<std::u16string> out;
    for (int i = 0; i < view->getRowCount(); ++i) out.emplace_back(view->getRow(i)->getCellText(cell));
    return out;
  };
  view->clickColumn(player::kDurationColumn);
  EXPECT_EQ(column(player::kDurationColumn),
            (std::vector<std::u16string>{u"0:59", u"3:07", u"2:00:00", u"1:01:01"}));
  view->clickColumn(player::kSongNumberColumn);
  EXPECT_EQ(column(player::kSongNumberColumn), (std::vector<std::u16string>{u"", u"9", u"10", u"100"}));
  view->clickColumn(player::kTitleColumn);
  EXPECT_EQ(column(player::kTitleColumn),
            (std::vector<std::u16string>{u"Alpha", u"alpha two", u"beta", u"gamma"}));
  view->clickColumn(player::kTitleColumn);
  EXPECT_EQ(column(player::kTitleColumn),
            (std::vector<std::u16string>{u"gamma", u"beta", u"alpha two", u"Alpha"}));

  view->release();
  for (auto* info : records) info->release();
}

}  // namespace
