#include "s/gui/win/ListBox2.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "s/gui/events/IEventListener.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/List.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/listbox2/SubRecord.h"
#include "s/lang/Localizer.h"

namespace {

using s::gui::listbox2::DataType;
using s::gui::listbox2::Record;
using s::gui::listbox2::SubRecord;
using s::gui::win::ListBox2;

// Records every event it hears, in order.
struct Recorder : s::gui::events::IEventListener {
  std::vector<int> codes;
  void onEvent(s::base::IObject*, int code) override { codes.push_back(code); }
};

constexpr int kAllCodes[] = {ListBox2::kRowSelected,    ListBox2::kRowDeselected,
                             ListBox2::kFilesDropped,   ListBox2::kRowsDropped,
                             ListBox2::kColumnClicked,  ListBox2::kKeyPressed,
                             ListBox2::kOnlyRowSelected, ListBox2::kNoRowSelected,
                             ListBox2::kRowsSorted};

int compareText(SubRecord* a, SubRecord* b) {
  const std::u16string &x = a->getText(), &y = b->getText();
  for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
    char16_t p = x[i] >= u'A' && x[i] <= u'Z' ? x[i] + 32 : x[i];
    char16_t q = y[i] >= u'A' && y[i] <= u'Z' ? y[i] + 32 : y[i];
    if (p != q) return p < q ? -1 : 1;
  }
  return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

// A list view with rows made by the test: row i has the cells given to addRows and a last cell
// naming the row ("r0", "r1", ...) so that orders read as strings.
class ListBox2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = ListBox2::create();
    for (int code : kAllCodes) view_->addListener(code, &events_);
  }
  void TearDown() override {
    view_->release();
    for (Record* row : made_) row->release();
  }

  void addColumns(int count, bool sortable = true) {
    for (int i = 0; i < count; ++i) {
      DataType* column = view_->addColumn(u"c" + std::u16string(1, char16_t(u'0' + i)), -1,
                                          nullptr, DataType::kAlignLeft, 50);
      if (sortable) column->setCompare(&compareText);
    }
  }
  Record* makeRow(std::vector<std::u16string> cells) {
    Record* row = Record::create(static_cast<int>(cells.size()));
    for (std::size_t i = 0; i < cells.size(); ++i) row->setCellText(static_cast<int>(i), cells[i]);
    made_.push_back(row);
    return row;
  }
  // Rows named by single letters: "ABCDE" adds five rows whose first cell is the letter.
  void addNamedRows(const std::u16string& names) {
    for (char16_t name : names) view_->addRow(makeRow({std::u16string(1, name)}));
  }
  std::u16string order(int cell = 0) {
    std::u16string out;
    for (int i = 0; i < view_->getRowCount(); ++i) {
      Record* row = view_->getRow(i);
      EXPECT_EQ(row->getIndex(), i) << "a row's index must equal its position";
      if (i) out += u",";
      out += row->getCellText(cell);
    }
    return out;
  }
  std::u16string letters() {
    std::u16string out;
    for (int i = 0; i < view_->getRowCount(); ++i) {
      Record* row = view_->getRow(i);
      EXPECT_EQ(row->getIndex(), i) << "a row's index must equal its position";
      out += row->getCellText(0);
    }
    return out;
  }

  ListBox2* view_ = nullptr;
  Recorder events_;
  std::vector<Record*> made_;
};

TEST_F(ListBox2Test, AColumnOrderIsTakenOnlyWhenItIsAPermutationOfAllColumns) {
  addColumns(3);
  EXPECT_EQ(view_->getColumnOrder(), (std::vector<int>{0, 1, 2}));
  struct Case {
    const char* what;
    std::vector<int> order;
    bool taken;
  } cases[] = {
      {"one short", {2, 0}, false},
      {"one long", {2, 0, 1, 3}, false},
      {"empty", {}, false},
      {"a column twice", {0, 0, 1}, false},
      {"past the last column", {0, 1, 3}, false},
      {"negative", {-1, 0, 1}, false},
      {"a permutation", {2, 0, 1}, true},
      {"one short after a change", {1, 2}, false},
      {"the identity", {0, 1, 2}, true},
  };
  std::vector<int> expected = view_->getColumnOrder();
  for (const Case& c : cases) {
    EXPECT_EQ(view_->setColumnOrder(c.order), c.taken) << c.what;
    if (c.taken) expected = c.order;
    EXPECT_EQ(view_->getColumnOrder(), expected) << c.what;
  }
  // A column added later joins at the right.
  view_->setColumnOrder({2, 0, 1});
  view_->addColumn(u"late", -1, nullptr, DataType::kAlignRight, 10);
  EXPECT_EQ(view_->getColumnOrder(), (std::vector<int>{2, 0, 1, 3}));
}

TEST_F(ListBox2Test, ColumnsKeepTheirSettingsAndARowGetsOneCellPerColumnOnlyFromItsMaker) {
  DataType* column = view_->addColumn(u"Size", -1, nullptr, DataType::kAlignRight, 80, 3);
  EXPECT_EQ(view_->getColumnCount(), 1);
  EXPECT_EQ(view_->getColumn(0), column);
  EXPECT_EQ(view_->getColumn(1), nullptr);
  EXPECT_EQ(column->getTitle(), u"Size");
  EXPECT_EQ(column->getTextId(), -1);
  EXPECT_EQ(column->getAlignment(), DataType::kAlignRight);
  EXPECT_EQ(column->getDrawFlags(), 3u);
  EXPECT_FALSE(column->isSortable());
  EXPECT_FALSE(column->getSortDirection());
  EXPECT_EQ(view_->getColumnWidth(0), 80);
  view_->setColumnWidth(0, 120);
  EXPECT_EQ(column->getWidth(), 120);
  view_->setColumnWidth(5, 10);  // no such column: nothing happens
  EXPECT_EQ(view_->getColumnWidth(5), 0);
  // An alignment the list does not know draws as left.
  EXPECT_EQ(view_->addColumn(u"x", -1, nullptr, 7, 10)->getAlignment(), DataType::kAlignLeft);
}

TEST_F(ListBox2Test, AColumnTitleFollowsTheLocalizerAndStopsListeningWhenTheListGoes) {
  auto localizer = s::lang::Localizer::createFromUtf8(
      "<lang><languages>"
      "<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
      "<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>"
      "</languages><entries>"
      "<entry id=\"990000\"><eng>Title</eng><deu>Titel</deu></entry>"
      "</entries></lang>",
      u"English");
  DataType* titled = view_->addColumn(u"given", 990000, localizer.get(), 0, 150);
  DataType* missing = view_->addColumn(u"kept", 12345, localizer.get(), 0, 50);
  DataType* plain = view_->addColumn(u"plain", -1, localizer.get(), 0, 50);
  EXPECT_EQ(titled->getTitle(), u"Title");
  EXPECT_EQ(titled->getTextId(), 990000);
  localizer->selectByName(u"German");
  EXPECT_EQ(titled->getTitle(), u"Titel");
  EXPECT_EQ(missing->getTitle(), u"kept");  // the table has no such text
  EXPECT_EQ(plain->getTitle(), u"plain");

  // Once the list is given back its columns are gone; a later language change must not reach
  // them (the sanitizer reports a use after free if it does).
  view_->release();
  view_ = ListBox2::create();
  localizer->selectByName(u"English");
  DataType* again = view_->addColumn(u"given", 990000, localizer.get(), 0, 150);
  EXPECT_EQ(again->getTitle(), u"Title");
  // A column destroyed outright (as a full pool does) must not stay among the listeners.
  {
    DataType column;
    column.setTextId(990000, localizer.get());
    EXPECT_EQ(column.getTitle(), u"Title");
  }
  localizer->selectByName(u"German");
  EXPECT_EQ(again->getTitle(), u"Titel");
  // The columns listen to the localizer, so they go before it does.
  view_->release();
  view_ = ListBox2::create();
}

TEST_F(ListBox2Test, RowsAreShownInOneListAtATimeAndLeaveDetachedAndDeselected) {
  addNamedRows(u"AC");
  Record* b = makeRow({u"B"});
  EXPECT_EQ(view_->addRow(b, 1), 1);
  EXPECT_EQ(letters(), u"ABC");
  EXPECT_EQ(view_->addRow(b), -1) << "shown twice";
  ListBox2* other = ListBox2::create();
  EXPECT_EQ(other->addRow(b), -1) << "shown in another list";
  EXPECT_EQ(view_->addRow(nullptr), -1);
  EXPECT_EQ(view_->addRow(makeRow({u"D"}), 99), 3) << "past the end appends";
  EXPECT_EQ(letters(), u"ABCD");
  EXPECT_EQ(view_->indexOf(b), 1);
  EXPECT_EQ(other->indexOf(b), -1);

  view_->select(1);
  EXPECT_EQ(view_->getSelectedCount(), 1);
  EXPECT_EQ(view_->removeRow(1), b);
  EXPECT_EQ(b->getIndex(), -1);
  EXPECT_FALSE(b->isSelected());
  EXPECT_EQ(view_->getSelectedCount(), 0);
  EXPECT_EQ(view_->indexOf(b), -1);
  EXPECT_EQ(letters(), u"ACD");
  EXPECT_EQ(view_->removeRow(3), nullptr);
  EXPECT_EQ(view_->removeRow(-1), nullptr);

  // Detached, the row can be shown elsewhere; the list never frees it.
  EXPECT_EQ(other->addRow(b), 0);
  view_->removeAll();
  EXPECT_EQ(view_->getRowCount(), 0);
  for (Record* row : made_)
    if (row != b) {
      EXPECT_EQ(row->getIndex(), -1);
    }
  other->release();
  EXPECT_EQ(b->getIndex(), -1);
  EXPECT_EQ(b->getCellText(0), u"B");
}

TEST_F(ListBox2Test, MovingRowsKeepsTheirOrderAndLandsThemBeforeTheTargetRow) {
  struct Case {
    std::vector<int> indices;
    int to;
    bool done;
    const char16_t* after;
  } cases[] = {
      {{1, 2}, 1, true, u"ABCDE"},   // onto their own position
      {{1, 2}, 2, true, u"ABCDE"},   // onto themselves
      {{1, 2}, 3, true, u"ABCDE"},   // just below themselves
      {{1, 2}, 5, true, u"ADEBC"},   // below the last row
      {{2, 1}, -1, true, u"ADEBC"},  // -1 is the end too; the given order does not matter
      {{3, 0}, 2, true, u"BADCE"},
      {{4}, 0, true, u"EABCD"},
      {{2, 2, 2}, 0, true, u"CABDE"},  // duplicates count once
      {{}, 2, true, u"ABCDE"},
      {{5}, 0, false, u"ABCDE"},
      {{1, -1}, 0, false, u"ABCDE"},
      {{1}, 6, false, u"ABCDE"},
      {{1}, -2, false, u"ABCDE"},
  };
  for (const Case& c : cases) {
    view_->removeAll();
    addNamedRows(u"ABCDE");
    view_->select(1);  // B
    EXPECT_EQ(view_->moveRows(c.indices, c.to), c.done) << "to " << c.to;
    EXPECT_EQ(letters(), c.after) << "to " << c.to;
    Record* b = made_[made_.size() - 4];
    EXPECT_TRUE(b->isSelected()) << "a moved row keeps its selection";
    EXPECT_EQ(view_->getSelectedIndices(), std::vector<int>{b->getIndex()});
  }
}

TEST_F(ListBox2Test, DroppingSelectedRowsOntoThemselvesChangesNothingAndBelowTheLastMovesThemToTheEnd) {
  struct Case {
    int to;
    const char16_t* after;
  } cases[] = {{1, u"ABCDE"}, {3, u"ABCDE"}, {5, u"ADEBC"}, {99, u"ADEBC"}, {-1, u"ADEBC"},
               {0, u"BCADE"}};
  for (const Case& c : cases) {
    view_->removeAll();
    addNamedRows(u"ABCDE");
    view_->select(2);
    view_->select(1);
    events_.codes.clear();
    view_->dropSelectedRows(c.to);
    EXPECT_EQ(letters(), c.after) << "to " << c.to;
    EXPECT_EQ(events_.codes, std::vector<int>{ListBox2::kRowsDropped}) << "to " << c.to;
    EXPECT_EQ(view_->getSelectedCount(), 2);
    EXPECT_EQ(view_->getSelectionOrder(), (std::vector<int>{view_->indexOf(made_[made_.size() - 3]),
                                                            view_->indexOf(made_[made_.size() - 4])}))
        << "C was selected before B";
  }
  view_->selectAll(false);
  events_.codes.clear();
  view_->dropSelectedRows(0);
  EXPECT_TRUE(events_.codes.empty()) << "no rows, no drop";
}

TEST_F(ListBox2Test, SelectionRaisesItsEventsInOrder) {
  constexpr int kAll = -1;
  struct Step {
    int index;
    bool on;
  };
  struct Case {
    const char* what;
    bool multi;
    std::vector<Step> steps;
    std::vector<int> codes;
    std::vector<int> selected;
  } cases[] = {
      {"first row selected", true, {{0, true}}, {20, 1}, {0}},
      {"a second row", true, {{0, true}, {2, true}}, {20, 1, 1}, {0, 2}},
      {"again, no change", true, {{0, true}, {0, true}}, {20, 1}, {0}},
      {"one of two deselected", true, {{0, true}, {2, true}, {0, false}}, {20, 1, 1, 2}, {2}},
      {"the last deselected", true, {{3, true}, {3, false}}, {20, 1, 2, 21}, {}},
      {"deselecting an unselected row", true, {{1, false}}, {}, {}},
      {"out of range", true, {{9, true}, {-2, true}}, {}, {}},
      {"single selection moves", false, {{0, true}, {1, true}}, {20, 1, 2, 21, 20, 1}, {1}},
      {"all rows", true, {{kAll, true}}, {1}, {0, 1, 2, 3}},
      {"all rows when one was", true, {{2, true}, {kAll, true}}, {20, 1, 1}, {0, 1, 2, 3}},
      {"none", true, {{1, true}, {3, true}, {kAll, false}}, {20, 1, 1, 2, 21}, {}},
      {"none when none are", true, {{kAll, false}}, {}, {}},
      {"all in a single-selection list", false, {{kAll, true}}, {}, {}},
  };
  for (const Case& c : cases) {
    view_->removeAll();
    addNamedRows(u"ABCD");
    view_->setMultiSelect(c.multi);
    events_.codes.clear();
    for (const Step& step : c.steps) {
      if (step.index == kAll)
        view_->selectAll(step.on);
      else
        view_->select(step.index, step.on);
    }
    EXPECT_EQ(events_.codes, c.codes) << c.what;
    EXPECT_EQ(view_->getSelectedIndices(), c.selected) << c.what;
    EXPECT_EQ(view_->getSelectedCount(), static_cast<int>(c.selected.size())) << c.what;
  }
}

TEST_F(ListBox2Test, SelectedIndicesAscendWhileTheSelectionOrderFollowsTheRowsThroughASort) {
  addColumns(1);
  addNamedRows(u"DBCA");
  view_->select(3);  // A
  view_->select(0);  // D
  view_->select(2);  // C
  EXPECT_EQ(view_->getSelectedIndices(), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(view_->getSelectionOrder(), (std::vector<int>{3, 0, 2}));
  view_->clickColumn(0);
  EXPECT_EQ(letters(), u"ABCD");
  EXPECT_EQ(view_->getSelectedIndices(), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(view_->getSelectionOrder(), (std::vector<int>{0, 3, 2}));  // A, D, C
}

TEST_F(ListBox2Test, TheCurrentRowChangesOnlyWhenRowOrModeDiffer) {
  EXPECT_EQ(view_->getCurrentRow(), -1);
  struct Step {
    int row, mode;
    bool changed;
  } steps[] = {
      {-1, ListBox2::kMarkAbove, false},  {3, ListBox2::kMarkAbove, true},
      {3, ListBox2::kMarkAbove, false},   {3, ListBox2::kMarkBelow, true},
      {3, ListBox2::kMarkBelow, false},   {4, ListBox2::kMarkBelow, true},
      {4, ListBox2::kMarkAsSelected, true}, {4, ListBox2::kMarkAsSelected, false},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(view_->setCurrentRow(step.row, step.mode), step.changed)
        << step.row << "/" << step.mode;
    EXPECT_EQ(view_->getCurrentRow(), step.row);
    EXPECT_EQ(view_->getCurrentRowMode(), step.mode);
  }
}

TEST_F(ListBox2Test, AHeaderClickSortsStablyAndFlipsTheDirection) {
  addColumns(2);
  view_->addRow(makeRow({u"b", u"1"}));
  view_->addRow(makeRow({u"a", u"2"}));
  view_->addRow(makeRow({u"B", u"3"}));
  view_->addRow(makeRow({u"a", u"4"}));
  view_->clickColumn(0);
  EXPECT_TRUE(view_->getColumn(0)->getSortDirection());
  EXPECT_EQ(order(1), u"2,4,1,3") << "ascending; equal titles keep their order";
  EXPECT_EQ(events_.codes, (std::vector<int>{ListBox2::kRowsSorted, ListBox2::kColumnClicked}));
  EXPECT_EQ(view_->getClickedColumn(), 0);

  view_->clickColumn(0);
  EXPECT_FALSE(view_->getColumn(0)->getSortDirection());
  EXPECT_EQ(order(1), u"1,3,2,4") << "descending; ties still in their previous order";
  view_->clickColumn(0);
  EXPECT_EQ(order(1), u"2,4,1,3");
}

TEST_F(ListBox2Test, EarlierClickedColumnsDecideTiesInTheOrderTheyWereClicked) {
  addColumns(3);
  // title, artist, album
  view_->addRow(makeRow({u"x", u"2", u"q"}));
  view_->addRow(makeRow({u"y", u"1", u"p"}));
  view_->addRow(makeRow({u"x", u"1", u"p"}));
  view_->addRow(makeRow({u"y", u"2", u"p"}));
  view_->addRow(makeRow({u"x", u"1", u"o"}));
  view_->clickColumn(2);  // album ascending
  view_->clickColumn(1);  // artist ascending
  view_->clickColumn(1);  // artist descending
  view_->clickColumn(0);  // title ascending
  EXPECT_EQ(view_->model()->sortKeys(), (std::vector<int>{0, 1, 2}));
  // Scramble the rows so that only the keys, not the previous order, can give the result.
  ASSERT_TRUE(view_->moveRows({0, 2}, 5));
  view_->clickColumn(0);
  view_->clickColumn(0);
  auto row = [&](int i) {
    Record* r = view_->getRow(i);
    return std::u16string(r->getCellText(0)) + std::u16string(r->getCellText(1)) +
           std::u16string(r->getCellText(2));
  };
  std::vector<std::u16string> rows;
  for (int i = 0; i < view_->getRowCount(); ++i) rows.push_back(row(i));
  EXPECT_EQ(rows, (std::vector<std::u16string>{u"x2q", u"x1o", u"x1p", u"y2p", u"y1p"}));
}

TEST_F(ListBox2Test, AColumnThatDoesNotSortOnlyReportsTheClick) {
  addColumns(1, false);
  view_->addColumn(u"sorts", -1, nullptr, 0, 10)->setCompare(&compareText);
  addNamedRows(u"BA");
  view_->clickColumn(0);
  EXPECT_EQ(letters(), u"BA");
  EXPECT_EQ(events_.codes, std::vector<int>{ListBox2::kColumnClicked});
  EXPECT_EQ(view_->getClickedColumn(), 0);
  EXPECT_TRUE(view_->model()->sortKeys().empty());
  EXPECT_FALSE(view_->getColumn(0)->getSortDirection());
  events_.codes.clear();
  view_->clickColumn(5);
  EXPECT_TRUE(events_.codes.empty()) << "no such column";
  EXPECT_EQ(view_->getClickedColumn(), 0);
  // Rows shorter than the sorted column sort as if the cell were empty.
  view_->clickColumn(1);
  EXPECT_EQ(letters(), u"BA");
}

TEST_F(ListBox2Test, ListenersMayUseTheListFromAnotherThreadWhileTheyAreTold) {
  addColumns(1);
  addNamedRows(u"BA");
  struct CallsBack : s::gui::events::IEventListener {
    ListBox2* view;
    std::vector<bool> lockFree;
    void onEvent(s::base::IObject* source, int) override {
      EXPECT_EQ(source, view);
      bool free = false;
      std::thread other([&] {
        free = view->model()->lock().tryLock();
        if (free) view->model()->lock().unlock();
      });
      other.join();
      lockFree.push_back(free);
      view->getRowCount();  // and from this thread too
    }
  } listener;
  listener.view = view_;
  for (int code : kAllCodes) view_->addListener(code, &listener);
  view_->select(0);
  view_->clickColumn(0);
  view_->setAcceptFiles(true);
  view_->dropFiles({"/music/a.mp3"});
  view_->dropSelectedRows(2);
  view_->pressKey(46);
  EXPECT_EQ(listener.lockFree, std::vector<bool>(7, true));
}

TEST_F(ListBox2Test, FilesAreTakenOnlyByAListThatAcceptsThem) {
  // Bytes that are not UTF-8 and a name past any old path limit go through unchanged.
  const std::string longPath = "/music/\xe9t\xe9-" + std::string(300, 'x') + ".mp3";
  EXPECT_FALSE(view_->acceptsFiles());
  EXPECT_FALSE(view_->dropFiles({"/music/a.mp3"}));
  EXPECT_TRUE(view_->getDroppedPaths().empty());
  EXPECT_TRUE(events_.codes.empty());

  view_->setAcceptFiles(true);
  EXPECT_TRUE(view_->dropFiles({"/music/a.mp3", longPath}));
  EXPECT_TRUE(view_->dropFiles({"/music/b.wav"}));
  EXPECT_EQ(view_->getDroppedPaths(), std::vector<std::string>{"/music/b.wav"});
  EXPECT_FALSE(view_->dropFiles({}));
  EXPECT_EQ(events_.codes, (std::vector<int>{ListBox2::kFilesDropped, ListBox2::kFilesDropped}));

  view_->dropFiles({longPath});
  EXPECT_EQ(view_->getDroppedPaths().front(), longPath) << "a long path is kept whole";
  view_->setAcceptFiles(false);
  EXPECT_FALSE(view_->dropFiles({"/music/c.wav"}));
  EXPECT_EQ(view_->getDroppedPaths().front(), longPath);
}

TEST_F(ListBox2Test, KeysListenersAndRedrawSuspension) {
  view_->pressKey(46);
  EXPECT_EQ(view_->getLastKey(), 46);
  EXPECT_EQ(events_.codes, std::vector<int>{ListBox2::kKeyPressed});

  Recorder onlyKeys;
  view_->addListener(ListBox2::kKeyPressed, &onlyKeys);
  view_->addListener(ListBox2::kKeyPressed, &onlyKeys);  // once is enough
  view_->addListener(ListBox2::kKeyPressed, nullptr);
  view_->pressKey(13);
  EXPECT_EQ(onlyKeys.codes, std::vector<int>{ListBox2::kKeyPressed});
  view_->removeListener(ListBox2::kKeyPressed, &onlyKeys);
  view_->pressKey(13);
  EXPECT_EQ(onlyKeys.codes.size(), 1u);

  EXPECT_FALSE(view_->isRedrawSuspended());
  view_->setRedraw(false);
  view_->setRedraw(false);
  view_->setRedraw(true);
  EXPECT_TRUE(view_->isRedrawSuspended()) << "suspensions nest";
  view_->setRedraw(true);
  EXPECT_FALSE(view_->isRedrawSuspended());
  view_->setRedraw(true);
  view_->setRedraw(false);
  EXPECT_TRUE(view_->isRedrawSuspended()) << "an extra resume is not saved up";
}

TEST_F(ListBox2Test, AListFromThePoolIsFreshAndHasLetGoOfItsRows) {
  addColumns(2);
  addNamedRows(u"AB");
  view_->setMultiSelect(false);
  view_->setAcceptFiles(true);
  view_->setViewList();
  view_->setCurrentRow(1, ListBox2::kMarkBelow);
  view_->select(1);
  view_->clickColumn(0);
  view_->setRedraw(false);
  view_->release();

  for (Record* row : made_) {
    EXPECT_EQ(row->getIndex(), -1);
    EXPECT_FALSE(row->isSelected());
  }
  view_ = ListBox2::create();
  EXPECT_EQ(view_->getColumnCount(), 0);
  EXPECT_EQ(view_->getRowCount(), 0);
  EXPECT_TRUE(view_->getColumnOrder().empty());
  EXPECT_TRUE(view_->model()->sortKeys().empty());
  EXPECT_EQ(view_->getViewMode(), 2);
  EXPECT_TRUE(view_->isMultiSelect());
  EXPECT_FALSE(view_->acceptsFiles());
  EXPECT_EQ(view_->getCurrentRow(), -1);
  EXPECT_EQ(view_->getClickedColumn(), -1);
  EXPECT_FALSE(view_->isRedrawSuspended());
  events_.codes.clear();
  view_->pressKey(1);
  EXPECT_TRUE(events_.codes.empty()) << "listeners went with the old list";
  for (int code : kAllCodes) view_->addListener(code, &events_);
}

}  // namespace
