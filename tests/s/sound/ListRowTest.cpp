#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/IInfo.h"
#include "s/sound/SourceFactory.h"
#include "s/sound/mp3/win/Info.h"
#include "s/sound/wav/Info.h"
#include "tests/s/sound/SoundFixtures.h"
#include "tests/s/sound/mp3/TagTestFiles.h"
#include "tests/support/Signals.h"
#include "tests/support/TempDir.h"

namespace {

using s::gui::listbox2::Record;
using s::gui::win::ListBox2;
using s::sound::IInfo;
using testing_support::u16;

std::vector<std::u16string> cellsOf(Record* row) {
  std::vector<std::u16string> cells;
  for (int i = 0; i < row->getCellCount(); ++i) cells.emplace_back(row->getCellText(i));
  return cells;
}

// The record a play list gets for a file: made by the file's own source.
IInfo* recordFor(const std::string& path) {
  std::string reason;
  s::sound::IEncodedAudio* source = s::sound::SourceFactory::open(u16(path), &reason);
  EXPECT_NE(source, nullptr) << reason;
  if (!source) return nullptr;
  IInfo* info = source->createInfo(u16(path));
  source->release();
  return info;
}

class ListRowTest : public ::testing::Test {
 protected:
  testing_support::TempDir dir_;
};

TEST_F(ListRowTest, AWaveRecordsRowShowsItsFileNameForTitleAndNoTags) {
  const std::string path = dir_.file("Song One.wav");
  ASSERT_TRUE(testing_support::writeWave16(path, testing_support::sine16(440, 2.5, 8000, 1), 8000, 1));
  IInfo* info = recordFor(path);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->peekListRow(), nullptr) << "made on first use only";

  Record* row = info->getListRow();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(info->peekListRow(), row);
  EXPECT_EQ(info->getListRow(), row) << "one row per record";
  EXPECT_EQ(row->getUserData(), info);
  EXPECT_EQ(cellsOf(row), (std::vector<std::u16string>{u"", u"Song One", u"0:02", u"", u"", u"",
                                                         u"Song One.wav", u16(path)}));

  info->setSongNumber(12);
  info->setPlayTimeMs(3725999);
  info->updateListRow();
  EXPECT_EQ(row->getCellText(0), u"12");
  EXPECT_EQ(row->getCellText(2), u"1:02:05");
  EXPECT_EQ(row->getCell(2)->getSortValue(), 3725u) << "sorting needs the seconds, not the text";
  EXPECT_EQ(row->getCell(0)->getSortValue(), 12u);
  info->setSongNumber(IInfo::kNoSongNumber);
  info->updateListRow();
  EXPECT_EQ(row->getCellText(0), u"");
  EXPECT_FALSE(row->getCell(0)->hasSortValue());
  info->release();
}

TEST_F(ListRowTest, AnMp3RecordsRowShowsItsTagsAndFallsBackToTheFileName) {
  namespace files = tag_test_files;
  const std::string tagged = dir_.file("tagged.mp3"), bare = dir_.file("No Tag.MP3");
  ASSERT_TRUE(files::makeMp3WithLame(tagged, "--tt 'Night Drive' --ta 'The Band' --tl 'First Album' --tg Jazz"));
  ASSERT_TRUE(files::makeMp3WithLame(bare, ""));

  IInfo* info = recordFor(tagged);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(cellsOf(info->getListRow()),
            (std::vector<std::u16string>{u"", u"Night Drive", u"0:00", u"The Band", u"First Album",
                                         u"Jazz", u"tagged.mp3", u16(tagged)}));
  // Edited values reach the first six cells when the row is refreshed.
  info->setTitle(u"Renamed");
  info->setGenre(u"");
  EXPECT_EQ(info->getListRow()->getCellText(1), u"Night Drive");
  info->updateListRow();
  EXPECT_EQ(info->getListRow()->getCellText(1), u"Renamed");
  EXPECT_EQ(info->getListRow()->getCellText(5), u"");
  info->release();

  info = recordFor(bare);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(cellsOf(info->getListRow()),
            (std::vector<std::u16string>{u"", u"No Tag", u"0:00", u"", u"", u"", u"No Tag.MP3",
                                         u16(bare)}));
  info->release();
}

TEST_F(ListRowTest, ARecordGivenBackTakesItsRowOutOfTheViewShowingIt) {
  ListBox2* view = ListBox2::create();
  std::vector<IInfo*> records;
  for (const char16_t* path : {u"/m/a.wav", u"/m/b.mp3", u"/m/c.wav"}) {
    IInfo* info = std::u16string_view(path).ends_with(u"mp3")
                      ? static_cast<IInfo*>(s::sound::mp3::win::Info::create())
                      : static_cast<IInfo*>(s::sound::wav::Info::create());
    info->setPath(path);
    view->addRow(info->getListRow());
    records.push_back(info);
  }
  view->select(1);
  records[1]->release();  // the pool resets it, giving back its row
  ASSERT_EQ(view->getRowCount(), 2);
  EXPECT_EQ(view->getRow(0)->getUserData(), records[0]);
  EXPECT_EQ(view->getRow(1)->getUserData(), records[2]);
  EXPECT_EQ(view->getRow(1)->getIndex(), 1);
  EXPECT_EQ(view->getSelectedCount(), 0);

  // A record back from the pool has no row until it is asked for one.
  IInfo* fresh = s::sound::mp3::win::Info::create();
  EXPECT_EQ(fresh->peekListRow(), nullptr);
  fresh->release();

  // A record that never went through a pool (destroyed outright) lets go of its row too.
  {
    s::sound::wav::Info stack;
    stack.setPath(u"/m/d.wav");
    view->addRow(stack.getListRow());
    EXPECT_EQ(view->getRowCount(), 3);
  }
  EXPECT_EQ(view->getRowCount(), 2);

  // The view going first leaves the records their rows.
  view->release();
  EXPECT_EQ(records[0]->peekListRow()->getIndex(), -1);
  EXPECT_EQ(records[0]->peekListRow()->getCellText(6), u"a.wav");
  records[0]->release();
  records[2]->release();
}

}  // namespace
