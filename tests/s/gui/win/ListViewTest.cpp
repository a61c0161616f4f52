#include <gtest/gtest.h>

#include "platform/ui/desktop/HeadlessDesktop.h"
#include "s/gui/win/ListHeader.h"
#include "s/gui/win/ScrollBar.h"
#include "tests/s/gui/win/ListViewSupport.h"

namespace {

using namespace listtest;
using Kind = InputEvent::Kind;
using Ints = std::vector<int>;

TEST_F(ListViewTest, ClicksSelectOneRowShiftExtendsFromTheAnchorControlToggles) {
  struct Step {
    int row;
    unsigned modifiers;
    Ints expected;
  };
  const Step steps[] = {
      {2, 0, {2}},
      {5, key::kShift, {2, 3, 4, 5}},
      {3, key::kControl, {2, 4, 5}},
      {7, key::kControl, {2, 4, 5, 7}},
      {9, key::kShift | key::kControl, {2, 4, 5, 7, 8, 9}},  // adds the range from the anchor
      {1, 0, {1}},
      {4, key::kShift, {1, 2, 3, 4}},
      {2, key::kShift, {1, 2}},  // the anchor stays where the last plain click put it
  };
  for (const Step& step : steps) {
    clickRow(step.row, step.modifiers);
    EXPECT_EQ(selected(), step.expected) << "click on row " << step.row;
  }
  // A range is reported once, not row by row.
  heard.events.clear();
  clickRow(0);
  clickRow(6, key::kShift);
  EXPECT_EQ(heard.codes(), (Ints{2, 20, 1, 1}));
  // A press below the last row of a short list clears the selection.
  list->removeAll();
  list->addRow(made[0]);
  list->addRow(made[1]);
  list->selectAll(true);
  heard.events.clear();
  input.click(top, at(rows(), 40, rowHeight() * 4));
  pump();
  EXPECT_TRUE(selected().empty());
  EXPECT_EQ(heard.codes(), (Ints{2, 21}));
}

TEST_F(ListViewTest, KeysMoveTheFocusRowSelectAndKeepItInView) {
  const int page = view().scroll().pageRows();
  clickRow(0);
  struct Step {
    unsigned key, modifiers;
    Ints expected;
  };
  const Step steps[] = {
      {vk::kDown, 0, {1}},
      {vk::kDown, 0, {2}},
      {vk::kDown, key::kShift, {2, 3}},
      {vk::kDown, key::kShift, {2, 3, 4}},
      {vk::kUp, key::kShift, {2, 3}},
      {vk::kDown, key::kControl, {2, 3}},  // the focus moves to 4 alone
      {vk::kDown, key::kControl, {2, 3}},
      {vk::kSpace, key::kControl, {2, 3, 5}},
      {vk::kUp, 0, {4}},
      {'A', key::kControl, {}},  // every row, checked by count below
  };
  for (const Step& step : steps) {
    key(step.key, step.modifiers);
    if (step.key != 'A') {
      EXPECT_EQ(selected(), step.expected) << "key " << step.key;
    }
  }
  EXPECT_EQ(list->getSelectedCount(), 100);

  key(vk::kEnd);
  EXPECT_EQ(selected(), Ints{99});
  EXPECT_EQ(view().scroll().firstRow(), 100 - page) << "the last row is shown at the bottom";
  EXPECT_EQ(view().verticalBar().getPosition(), 100 - page) << "the bar shows the same position";
  key(vk::kPageUp);
  EXPECT_EQ(selected(), Ints{99 - (page - 1)});
  key(vk::kHome);
  EXPECT_EQ(selected(), Ints{0});
  EXPECT_EQ(view().scroll().firstRow(), 0);
  key(vk::kPageDown);
  key(vk::kPageDown);
  const int focus = 2 * (page - 1);
  EXPECT_EQ(selected(), Ints{focus});
  EXPECT_GE(focus, view().scroll().firstRow());
  EXPECT_LT(focus, view().scroll().firstRow() + page) << "the focus row is in view";
  key(vk::kUp, key::kShift);
  key(vk::kUp, key::kShift);
  EXPECT_EQ(selected(), (Ints{focus - 2, focus - 1, focus}));
  key(vk::kUp);
  key(vk::kUp);
  EXPECT_EQ(selected(), Ints{focus - 4});
}

TEST_F(ListViewTest, DeleteEnterAndOtherKeysAreReportedWithTheirCode) {
  clickRow(3);
  for (unsigned code : {vk::kDelete, vk::kReturn, unsigned('Q')}) {
    heard.events.clear();
    key(code);
    EXPECT_EQ(heard.codes(), Ints{ListBox2::kKeyPressed});
    EXPECT_EQ(list->getLastKey(), static_cast<int>(code));
  }
  EXPECT_EQ(selected(), Ints{3}) << "Delete and Enter are the owner's to act on";
}

TEST_F(ListViewTest, TheWheelAndTheBarScrollTheSamePosition) {
  const int page = view().scroll().pageRows();
  ASSERT_LT(page, 100);
  ASSERT_TRUE(view().verticalBar().isShown());
  const Point inRows = at(rows(), 40, 10);
  input.wheel(top, inRows, -120);
  pump();
  EXPECT_EQ(view().scroll().firstRow(), 3);
  EXPECT_EQ(view().verticalBar().getPosition(), 3);
  EXPECT_EQ(rows().dropIndexAt({0, 0}), 3) << "the rows' hits follow the scroll";
  input.wheel(top, inRows, -120 * 100);
  pump();
  EXPECT_EQ(view().scroll().firstRow(), 100 - page) << "never past the last page";
  input.wheel(top, at(view().header(), 20, 5), 120 * 100);  // over the header too
  pump();
  EXPECT_EQ(view().scroll().firstRow(), 0);
  // The bar's own arrow moves the list.
  auto& bar = view().verticalBar();
  press(bar, bar.getWidth() / 2, bar.getHeight() - 3);
  releaseAt(bar, bar.getWidth() / 2, bar.getHeight() - 3);
  EXPECT_EQ(view().scroll().firstRow(), 1);
  input.click(top, at(rows(), 40, rowHeight() / 2));
  pump();
  EXPECT_EQ(selected(), Ints{1}) << "clicks land on the rows as they are shown";
  // The horizontal bar moves header and rows alike.
  ASSERT_TRUE(view().horizontalBar().isShown());
  EXPECT_TRUE(view().setXOffset(50));
  EXPECT_EQ(view().horizontalBar().getPosition(), 50);
  EXPECT_EQ(view().header().columnAt(0), 0);
  EXPECT_EQ(view().header().columnAt(60), 1);
}

TEST_F(ListViewTest, HeaderEdgesResizeCaptionsMoveAndAClickSorts) {
  auto& header = view().header();
  const int y = header.getHeight() / 2;
  // Drag the right edge of Title from 100 to 130.
  press(header, 101, y);
  moveTo(header, 120, y);
  moveTo(header, 131, y);
  releaseAt(header, 131, y);
  EXPECT_EQ(list->getColumnWidth(0), 130);
  EXPECT_EQ(view().scroll().contentWidth(), 410);
  // Narrowed to nothing, a column can still be widened at its edge.
  press(header, 130, y);
  releaseAt(header, -40, y);
  EXPECT_EQ(list->getColumnWidth(0), 0);
  press(header, 1, y);
  releaseAt(header, 60, y);
  EXPECT_EQ(list->getColumnWidth(0), 59);
  EXPECT_TRUE(heard.events.empty()) << "resizing is not a click";

  // Drag Title's caption past the middle of Artist: Artist, Title, File.
  press(header, 20, y);
  moveTo(header, 30, y);
  releaseAt(header, 110, y);
  EXPECT_EQ(list->getColumnOrder(), (Ints{1, 0, 2}));
  EXPECT_EQ(header.columnAt(10), 1);
  // A small wobble is still a click: it sorts by Title, descending after ascending.
  press(header, 100, y);
  moveTo(header, 102, y);
  releaseAt(header, 102, y);
  EXPECT_EQ(heard.codes(), (Ints{ListBox2::kRowsSorted, ListBox2::kColumnClicked}));
  EXPECT_EQ(titleAt(0), u"Title 0");
  EXPECT_EQ(titleAt(1), u"Title 1");
  EXPECT_EQ(titleAt(2), u"Title 10");
  input.click(top, at(header, 100, y));
  pump();
  EXPECT_EQ(titleAt(0), u"Title 99");
  EXPECT_EQ(list->getColumnOrder(), (Ints{1, 0, 2}));
}

TEST_F(ListViewTest, ADoubleClickOnARowRaises22ForThatRow) {
  clickRow(4);
  heard.events.clear();
  clickRow(6);
  clickRow(6);
  EXPECT_EQ(heard.codes().back(), ListBox2::kRowDoubleClicked);
  EXPECT_EQ(list->getDoubleClickedRow(), 6);
  EXPECT_EQ(selected(), Ints{6});
  // Below the rows there is nothing to play.
  list->removeAll();
  list->addRow(made[0]);
  heard.events.clear();
  const Point empty = at(rows(), 40, rowHeight() * 5);
  input.click(top, empty);
  input.click(top, empty);
  pump();
  for (int code : heard.codes()) EXPECT_NE(code, ListBox2::kRowDoubleClicked);
}

TEST_F(ListViewTest, DraggingRowsStartsPastTheThresholdAndReordersOnlyWhenAllowed) {
  clickRow(1);
  clickRow(2, key::kShift);
  auto dragRows = [&](int toRow, int x) {
    heard.events.clear();
    // Pressed away from the last press, which would make it a double click.
    input.mouse(top, Kind::kButtonDown, rowPoint(2, x));
    input.mouse(top, Kind::kMouseMove, {rowPoint(2, x).x + 2, rowPoint(2).y + ListBox2::kDragThreshold});
    pump();
    EXPECT_FALSE(rows().isDragging()) << "a wobble within the threshold is no drag";
    input.mouse(top, Kind::kMouseMove, rowPoint(toRow));
    input.mouse(top, Kind::kMouseMove, {rowPoint(toRow).x, rowPoint(toRow).y - rowHeight() / 2 + 1});
    pump();
    EXPECT_TRUE(rows().isDragging());
    EXPECT_EQ(rows().dropIndex(), toRow);
    input.mouse(top, Kind::kButtonUp, {rowPoint(toRow).x, rowPoint(toRow).y - rowHeight() / 2 + 1});
    pump();
    EXPECT_FALSE(rows().isDragging());
  };
  dragRows(6, 90);
  EXPECT_EQ(heard.codes(), Ints{ListBox2::kDragStarted}) << "reordering is off: no drop";
  EXPECT_EQ(titleAt(1), u"Title 1");
  EXPECT_EQ(selected(), (Ints{1, 2})) << "a drag keeps the whole selection";

  list->setReorderAllowed(true);
  dragRows(6, 140);
  EXPECT_EQ(heard.codes(), (Ints{ListBox2::kDragStarted, ListBox2::kRowsDropped}));
  const std::vector<std::u16string> reordered = {u"Title 0", u"Title 3", u"Title 4", u"Title 5",
                                                 u"Title 1", u"Title 2", u"Title 6"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(titleAt(i), reordered[static_cast<std::size_t>(i)]);
  EXPECT_EQ(selected(), (Ints{4, 5}));
  EXPECT_EQ(list->getDropTarget(), list.get());
  EXPECT_EQ(list->getDropIndex(), 6);

  // A press on a selected row and a release without a move selects that row alone.
  clickRow(5);
  EXPECT_EQ(selected(), Ints{5});
}

TEST_F(ListViewTest, ADragHeldBelowTheRowsScrollsThemAndDropsWhereTheListHasGot) {
  input.useManualClock();
  list->setReorderAllowed(true);
  clickRow(0);
  input.mouse(top, Kind::kButtonDown, rowPoint(0, 90));
  input.mouse(top, Kind::kMouseMove, rowPoint(3));
  const Point below = at(rows(), 40, rows().getHeight() + 10);
  input.mouse(top, Kind::kMouseMove, below);
  pump();
  EXPECT_EQ(view().scroll().firstRow(), 0);
  for (int tick = 0; tick < 5; ++tick) {
    input.advanceClock(std::chrono::milliseconds(50));
    pump();
  }
  EXPECT_EQ(view().scroll().firstRow(), 5) << "a row per tick while the pointer stays below";
  const int landing = rows().dropIndexAt({40, rows().getHeight() + 10});
  EXPECT_EQ(rows().dropIndex(), landing) << "the indicator follows the scroll";
  input.mouse(top, Kind::kButtonUp, below);
  pump();
  EXPECT_EQ(titleAt(landing - 1), u"Title 0");
  input.advanceClock(std::chrono::milliseconds(500));
  pump();
  EXPECT_EQ(view().scroll().firstRow(), 5) << "the drop stops the scrolling";
}

TEST_F(ListViewTest, RowsDroppedOnAnotherTargetListAreReportedWithThatList) {
  // A second list beside an empty strip of this one: the first list is narrowed to make room.
  list->setMinSize(160, 240);
  list->setMaxSize(160, 240);
  root.setHorizontal();
  s::thread::Pooled<ListBox2> other{ListBox2::create()};
  other->addColumn(u"Title", -1, nullptr, DataType::kAlignLeft, 100);
  other->setMinSize(160, 240);
  other->setMaxSize(160, 240);
  root.add(other.get());
  root.doLayout();
  pump();
  list->addDragTarget(other.get());
  clickRow(0);
  heard.events.clear();
  input.mouse(top, Kind::kButtonDown, rowPoint(0, 90));
  input.mouse(top, Kind::kMouseMove, rowPoint(4));
  const Point there = at(other->viewport().rows(), 30, 5);
  input.mouse(top, Kind::kMouseMove, there);
  input.mouse(top, Kind::kButtonUp, there);
  pump();
  EXPECT_EQ(heard.codes(), (Ints{ListBox2::kDragStarted, ListBox2::kRowsDropped}));
  EXPECT_EQ(list->getDropTarget(), other.get());
  EXPECT_EQ(list->getDropIndex(), 0);
  EXPECT_EQ(titleAt(0), u"Title 0") << "the owner decides what a drop elsewhere does";
  root.remove(other.get());
}

TEST_F(ListViewTest, FilesDroppedFromOtherProgramsArriveInOrderAsBytes) {
  const std::vector<std::string> paths = {"/music/b.mp3", "/music/\xff\xfe-odd.wav",
                                          "/music/" + std::string(400, 'n') + ".mp3", "/music/a.mp3"};
  input.drop(top, rowPoint(2), paths);
  pump();
  EXPECT_TRUE(heard.events.empty()) << "a list that takes no files ignores them";
  list->setAcceptFiles(true);
  input.drop(top, rowPoint(2), paths);
  input.drop(top, at(view().header(), 10, 5), {"/music/c.mp3"});  // the header is the list too
  pump();
  EXPECT_EQ(heard.codes(), (Ints{ListBox2::kFilesDropped, ListBox2::kFilesDropped}));
  EXPECT_EQ(list->getDroppedPaths(), std::vector<std::string>{"/music/c.mp3"});
  heard.events.clear();
  input.drop(top, rowPoint(2), paths);
  pump();
  EXPECT_EQ(list->getDroppedPaths(), paths);
  // Drops from other programs' drag sources come the same way: either setting takes them.
  list->setAcceptFiles(false);
  list->setOleDropTarget(true);
  input.drop(top, rowPoint(2), {"/music/d.mp3"});
  pump();
  list->setOleDropTarget(false);
  input.drop(top, rowPoint(2), {"/music/e.mp3"});
  pump();
  EXPECT_EQ(list->getDroppedPaths(), std::vector<std::string>{"/music/d.mp3"});
}

TEST_F(ListViewTest, RowsDraggedOutOfTheWindowOfferTheirFiles) {
  list->setFileOfRow([](Record* row) {
    const std::u16string& path = row->getCell(2)->getText();
    return std::string(path.begin(), path.end());
  });
  clickRow(3);
  clickRow(5, key::kControl);
  input.mouse(top, Kind::kButtonDown, rowPoint(5, 90));
  input.mouse(top, Kind::kMouseMove, rowPoint(7));
  input.mouse(top, Kind::kMouseMove, {400, rowPoint(7).y});  // past the window's right edge
  pump();
  auto& desktop = static_cast<platform::ui::desktop::HeadlessDesktop&>(ws.backend().desktop());
  const auto requests = desktop.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].kind, platform::ui::desktop::HeadlessDesktop::Request::Kind::kFileDrag);
  EXPECT_EQ(requests[0].owner, top);
  EXPECT_EQ(requests[0].paths, (std::vector<std::string>{"/music/3.mp3", "/music/5.mp3"}));
  EXPECT_FALSE(rows().isDragging()) << "the desktop has the drag now";
  input.mouse(top, Kind::kButtonUp, {400, rowPoint(7).y});
  pump();
  EXPECT_EQ(titleAt(5), u"Title 5");
}

}  // namespace
