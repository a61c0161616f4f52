#include "s/gui/listbox2/Record.h"

#include <gtest/gtest.h>

#include <string>

#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/SubRecord.h"

namespace {

using s::gui::listbox2::List;
using s::gui::listbox2::Record;
using s::gui::listbox2::SubRecord;

int providerCalls = 0;

std::u16string countedText(std::uintptr_t data) {
  ++providerCalls;
  return data == 0 ? std::u16string() : u"cell " + std::u16string(1, static_cast<char16_t>(data));
}

TEST(ListRecordTest, ATextProviderIsAskedOnceAndItsAnswerKeptEvenWhenEmpty) {
  for (std::uintptr_t data : {std::uintptr_t{u'7'}, std::uintptr_t{0}}) {
    providerCalls = 0;
    SubRecord* cell = SubRecord::create();
    cell->setTextProvider(&countedText, data);
    EXPECT_FALSE(cell->hasText());
    const std::u16string first = cell->getText();
    EXPECT_EQ(cell->getText(), first);
    EXPECT_EQ(cell->getText(), first);
    EXPECT_EQ(providerCalls, 1) << "data " << data;
    EXPECT_TRUE(cell->hasText());
    cell->release();
  }
}

TEST(ListRecordTest, ASetTextWinsOverTheProviderAndDropsTheSortValue) {
  providerCalls = 0;
  SubRecord* cell = SubRecord::create();
  cell->setText(u"1:02:05");
  cell->setSortValue(3725);
  cell->setTextProvider(&countedText, u'x');
  EXPECT_EQ(cell->getText(), u"1:02:05");
  EXPECT_EQ(providerCalls, 0);
  EXPECT_TRUE(cell->hasSortValue());
  EXPECT_EQ(cell->getSortValue(), 3725u);
  cell->setText(u"0:59");
  EXPECT_FALSE(cell->hasSortValue());
  cell->release();

  // A cell back from the pool is blank: no text, no provider, no value.
  cell = SubRecord::create();
  EXPECT_FALSE(cell->hasText());
  EXPECT_FALSE(cell->hasSortValue());
  EXPECT_EQ(cell->getText(), u"");
  EXPECT_EQ(providerCalls, 0);
  cell->release();
}

TEST(ListRecordTest, CellsOutOfRangeReadEmptyAndWritingGrowsTheRow) {
  Record* row = Record::create(2);
  EXPECT_EQ(row->getCellCount(), 2);
  EXPECT_EQ(row->getCell(-1), nullptr);
  EXPECT_EQ(row->getCell(2), nullptr);
  EXPECT_EQ(row->getCellText(5), u"");
  row->setCellText(4, u"five");
  EXPECT_EQ(row->getCellCount(), 5);
  EXPECT_EQ(row->getCellText(4), u"five");
  EXPECT_EQ(row->getCellText(3), u"");
  row->setCellText(-1, u"ignored");
  EXPECT_EQ(row->getCellCount(), 5);
  row->ensureCells(3);
  EXPECT_EQ(row->getCellCount(), 5);
  row->release();
}

TEST(ListRecordTest, ARowGivenBackWhileShownLeavesItsListFirst) {
  List* list = List::create();
  Record* rows[3];
  for (int i = 0; i < 3; ++i) {
    rows[i] = Record::create(1);
    rows[i]->setCellText(0, std::u16string(1, static_cast<char16_t>(u'a' + i)));
    ASSERT_EQ(list->insertRow(rows[i], -1), i);
  }
  rows[1]->setSelected(true);
  EXPECT_EQ(list->selectedCount(), 1);

  rows[1]->release();
  ASSERT_EQ(list->rows().size(), 2u);
  EXPECT_EQ(list->rows()[0], rows[0]);
  EXPECT_EQ(list->rows()[1], rows[2]);
  EXPECT_EQ(rows[2]->getIndex(), 1);
  EXPECT_EQ(list->selectedCount(), 0);

  // The list gives back only its own parts: the rows stay with their maker, detached.
  list->release();
  for (Record* row : {rows[0], rows[2]}) {
    EXPECT_EQ(row->getIndex(), -1);
    EXPECT_EQ(row->getList(), nullptr);
    EXPECT_EQ(row->getCellCount(), 1);
  }
  EXPECT_EQ(rows[2]->getCellText(0), u"c");
  rows[0]->release();
  rows[2]->release();
}

}  // namespace
