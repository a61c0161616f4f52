#include <gtest/gtest.h>

#include "s/gui/drawer/listbox/win/Basic.h"
#include "s/gui/drawer/listbox/win/Thin.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Rect;
using s::gui::drawer::ListCellState;
using ListBox = s::gui::drawer::listbox::win::Thin;
using s::gui::drawer::listbox::win::Basic;

struct ListBoxDrawerTest : ::testing::Test {
  ListBoxDrawerTest() { drawer->configure(colors); }
  platform::ui::Image paint(const ListCellState& state, int w = 120, int h = 18) {
    auto image = paper(w, h);
    platform::ui::Canvas canvas(image);
    drawer->paintCell(state, image.bounds(), canvas);
    return image;
  }
  SkinColors colors = distinctPalette();
  s::thread::Pooled<ListBox> drawer{ListBox::create()};
};

TEST_F(ListBoxDrawerTest, RowsTakeBackgroundAlternateOrSelectionColours) {
  ListCellState cell;
  cell.text = u"Song";
  EXPECT_EQ(paint(cell).pixel(100, 9), colors[Role::kListBg]);
  cell.alternate = true;
  EXPECT_EQ(paint(cell).pixel(100, 9), colors[Role::kListAlternate]);
  cell.selected = true;
  const auto selected = paint(cell);
  EXPECT_EQ(selected.pixel(100, 9), colors[Role::kListHeaderBg]);
  const auto ground = colors[Role::kListHeaderBg];
  EXPECT_GT(inked(selected, selected.bounds(), colors[Role::kListHeaderFont], ground), 5);
  EXPECT_EQ(count(selected, selected.bounds(), colors[Role::kListFont]), 0);
  // Without full-row selection only the text and 2 pixels either side are filled.
  cell.fullRowSelect = false;
  const auto partial = paint(cell);
  EXPECT_EQ(partial.pixel(100, 9), colors[Role::kListAlternate]);
  EXPECT_EQ(partial.pixel(0, 9), colors[Role::kListHeaderBg]);
}

TEST_F(ListBoxDrawerTest, CurrentRowMarkIsOneOrTwoPixelsAtTheTopOrBottom) {
  struct Case {
    int mark;
    bool emphasised, last;
    int top, bottom;  // marked rows at the top and at the bottom
  } cases[] = {{1, false, false, 1, 0}, {1, true, false, 2, 0}, {2, false, false, 0, 1},
               {2, false, true, 0, 2},  {2, true, false, 0, 2}, {0, true, true, 0, 0}};
  for (const Case& c : cases) {
    ListCellState cell;
    cell.mark = c.mark;
    cell.markEmphasised = c.emphasised;
    cell.lastRow = c.last;
    const auto image = paint(cell);
    const auto mark = colors[Role::kListHeaderBg];
    int top = 0, bottom = 0;
    while (top < 18 && image.pixel(60, top) == mark) ++top;
    while (bottom < 18 && image.pixel(60, 17 - bottom) == mark) ++bottom;
    EXPECT_EQ(top, c.top) << c.mark << c.emphasised << c.last;
    EXPECT_EQ(bottom, c.bottom) << c.mark << c.emphasised << c.last;
  }
}

TEST_F(ListBoxDrawerTest, TreeRowsAreIndentedAndShowTheirOpenOrClosedMark) {
  ListCellState cell;
  cell.treeLevel = 2;
  cell.treeHasChildren = true;
  const auto image = paint(cell);
  const int indent = Basic::treeIndent(2);
  EXPECT_EQ(indent, 49);
  EXPECT_GT(count(image, {indent - 19, 0, indent, 18}, colors[Role::kListFont]), 10);
  EXPECT_EQ(count(image, {0, 0, indent - 19, 18}, colors[Role::kListFont]), 0);
  cell.treeHasChildren = false;
  EXPECT_EQ(count(paint(cell), paint(cell).bounds(), colors[Role::kListFont]), 0);
}

TEST_F(ListBoxDrawerTest, CellButtonsAndLinks) {
  ListCellState cell;
  cell.cellButton = 3;
  const auto boxed = paint(cell);  // a 13-pixel box at the left, centred
  const int top = (18 - 13) / 2;
  EXPECT_EQ(boxed.pixel(2, top), colors[Role::kListFont]);
  EXPECT_EQ(boxed.pixel(4, top + 2), colors[Role::kListBg]);
  EXPECT_EQ(boxed.pixel(8, top + 6), colors[Role::kListFont]);
  cell.cellButton = 0;
  cell.link = true;
  cell.text = u"www";
  const auto link = paint(cell);
  EXPECT_GT(inked(link, link.bounds(), platform::ui::rgb(0, 0, 255), colors[Role::kListBg]), 5);
}

}  // namespace
