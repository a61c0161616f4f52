#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/ColorModel.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/SkinColors.h"
#include "s/lang/Localizer.h"
#include "tests/s/gui/win/ListViewSupport.h"

namespace {

using namespace listtest;
using Ints = std::vector<int>;

std::atomic<int> providerCalls{0};
std::u16string providedTitle(std::uintptr_t row) {
  ++providerCalls;
  return u"Song " + number(static_cast<int>(row));
}

class BigListTest : public ListViewTest {
 protected:
  BigListTest() : ListViewTest(0) {
    // Made outside the list, then shown at once: as the player fills a view.
    list->setRedraw(false);
    for (int i = 0; i < kRows; ++i) {
      Record* row = Record::create(3);
      row->getCell(0)->setTextProvider(&providedTitle, static_cast<std::uintptr_t>(i));
      made.push_back(row);
      list->addRow(row);
    }
    list->setRedraw(true);
    pump();
  }
  static constexpr int kRows = 100000;
};

TEST_F(BigListTest, OnlyTheRowsInViewArePaintedAndAskedForTheirText) {
  CountingDrawer counting(host.listBox());
  list->setDrawer(&counting);
  pump();
  const int inView = view().scroll().endRow() - view().scroll().firstRow();
  ASSERT_GT(inView, 3);
  EXPECT_LE(inView, view().scroll().pageRows() + 1);
  // Three columns, of which File is partly in view.
  EXPECT_GT(counting.cells, 0);
  EXPECT_LE(counting.cells, 3 * inView) << "a paint touches the rows in view only";
  EXPECT_LE(providerCalls.load(), inView);

  counting.cells = 0;
  const int asked = providerCalls.load();
  input.wheel(top, at(rows(), 40, 10), -120);
  pump();
  EXPECT_EQ(view().scroll().firstRow(), 3);
  EXPECT_LE(counting.cells, 3 * inView);
  EXPECT_LE(providerCalls.load() - asked, 3) << "only the rows that scrolled in are new";
  clickRow(3);
  key(vk::kEnd);
  EXPECT_EQ(view().scroll().firstRow(), kRows - view().scroll().pageRows());
  EXPECT_EQ(list->getRow(kRows - 1)->getCellText(0), u"Song 99999");
  list->setDrawer(nullptr);
}

TEST_F(ListViewTest, RowsAreNeverLowerThanALineOfTheFont) {
  const int normal = rowHeight();
  CountingDrawer flat(host.listBox(), 2);
  list->setDrawer(&flat);
  pump();
  EXPECT_GE(rowHeight(), normal - 3) << "a drawer asking for 2 pixels gets a line of text";
  EXPECT_GT(rowHeight(), 10);
  s::gui::drawer::FontStyle large;
  large.font.pointSize = 20;
  list->setFont(large);
  pump();
  EXPECT_GT(rowHeight(), normal) << "a larger font makes taller rows";
  list->setDrawer(nullptr);
}

TEST_F(ListViewTest, TheCurrentRowRepaintsOnlyWhenItChanges) {
  CountingDrawer counting(host.listBox());
  list->setDrawer(&counting);
  pump();
  counting.cells = 0;
  EXPECT_TRUE(list->setCurrentRow(4, ListBox2::kMarkBelow));
  pump();
  EXPECT_GT(counting.cells, 0);
  counting.cells = 0;
  EXPECT_FALSE(list->setCurrentRow(4, ListBox2::kMarkBelow));
  pump();
  EXPECT_EQ(counting.cells, 0) << "the same row and mode redraw nothing";
  list->setDrawer(nullptr);
}

TEST_F(ListViewTest, ANewLanguageRepaintsTheCaptions) {
  auto localizer = s::lang::Localizer::createFromUtf8(
      "<lang><languages>"
      "<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
      "<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>"
      "</languages><entries><entry id=\"990000\"><eng>W</eng><deu>WWWWWWWW</deu></entry></entries></lang>",
      u"English");
  list->addColumn(u"", 990000, localizer.get(), DataType::kAlignLeft, 200);
  list->setColumnOrder({3, 0, 1, 2});
  pump();
  auto& header = view().header();
  const Rect caption = Rect::fromSize(at(header, 0, 0).x, at(header, 0, 0).y, 120, header.getHeight());
  auto distinctPixels = [&] {
    const Image shot = ws.snapshot(top);
    int changes = 0;
    for (int x = caption.left + 1; x < caption.right; ++x)
      changes += shot.pixel(x, caption.top + header.getHeight() / 2) != shot.pixel(x - 1, caption.top + header.getHeight() / 2);
    return changes;
  };
  const int before = distinctPixels();
  localizer->selectByName(u"German");
  pump();
  EXPECT_GT(distinctPixels(), before + 6) << "the longer caption shows without another paint";
  // The list and its columns listen to the localizer: they go first.
  root.remove(list.get());
  list.reset(ListBox2::create());
}

// A list in a built-in skin with three rows selected, alternate rows and the current-row mark;
// the picture is written for a person to look at, and its colours are checked here.
TEST_F(ListViewTest, SnapshotInASkinShowsSelectionAndTheCurrentRowMark) {
  auto skinner = s::thread::holdPooled(s::gui::drawer::Skinner::createSkinner());
  ASSERT_TRUE(s::gui::drawer::BuiltInSkins::load(*skinner));
  const int index = skinner->findSkin(u"Deep Water");
  ASSERT_GE(index, 0);
  s::gui::drawer::ISkin* skin = skinner->getSkin(index);
  host.setSkin(skin);
  list->setAlternateRows(true);
  clickRow(2);
  clickRow(3, key::kControl);
  clickRow(5, key::kControl);
  list->setCurrentRow(7, ListBox2::kMarkBelow);
  ws.invalidateTree(top);
  pump();
  const Image shot = ws.snapshot(top);
  shot.savePng(::testing::TempDir() + "listview-deep-water.png");

  const auto colors = skin->getColors();
  using s::gui::drawer::Role;
  const Point origin = at(rows(), 0, 0);
  auto pixel = [&](int row, int x, int dy) {
    return shot.pixel(origin.x + x, origin.y + view().scroll().rowTop(row) + dy);
  };
  const int h = rowHeight();
  // x = 98 is inside Title, clear of any text.
  EXPECT_EQ(pixel(2, 98, h / 2), colors[Role::kListHeaderBg]) << "a selected row";
  EXPECT_EQ(pixel(5, 150, h / 2), colors[Role::kListHeaderBg]) << "full-row selection";
  EXPECT_EQ(pixel(4, 98, h / 2), colors[Role::kListBg]);
  EXPECT_EQ(pixel(1, 98, h / 2), colors[Role::kListAlternate]);
  EXPECT_EQ(pixel(7, 98, h - 1), colors[Role::kListHeaderBg]) << "the mark below the current row";
  EXPECT_EQ(pixel(7, 98, h / 2), colors[Role::kListAlternate]);
  host.setSkin(nullptr);
}

// The list's host paints with one built-in skin while the object lives.
struct SkinnedList {
  SkinnedList(s::gui::win::Host& host, const std::u16string& name) : host(host) {
    if (s::gui::drawer::BuiltInSkins::load(*skinner)) skin = skinner->getSkin(skinner->findSkin(name));
    host.setSkin(skin);
  }
  ~SkinnedList() { host.setSkin(nullptr); }
  s::gui::win::Host& host;
  s::thread::Pooled<s::gui::drawer::Skinner> skinner{s::gui::drawer::Skinner::createSkinner()};
  s::gui::drawer::ISkin* skin = nullptr;
};

TEST_F(ListViewTest, GridLinesSeparateEveryCellWhenSwitchedOn) {
  SkinnedList skinned(host, u"Deep Water");
  s::gui::drawer::ISkin* skin = skinned.skin;
  ASSERT_NE(skin, nullptr);
  clickRow(2);
  using s::gui::drawer::Role;
  const auto colors = skin->getColors();
  const Color background = colors[Role::kListBg], selection = colors[Role::kListHeaderBg];
  const Color grid = s::gui::drawer::ColorModel::blend(background, colors[Role::kListFont], 0.2);
  const int h = rowHeight();
  // The Title column is 100 pixels wide: its right edge is at x = 99.
  struct Spot {
    const char* what;
    int row, x, dy;
    Color off, on;
  } spots[] = {
      {"a column's right edge", 4, 99, h / 2, background, grid},
      {"a row's bottom edge", 4, 50, h - 1, background, grid},
      {"inside the cell", 4, 98, h / 2, background, background},
      {"a column's edge on a selected row", 2, 99, h / 2, selection, grid},
  };
  for (bool on : {false, true}) {
    list->setGridLines(on);
    pump();
    const Image shot = ws.snapshot(top);
    if (on) shot.savePng(::testing::TempDir() + "listview-grid-lines.png");
    const Point origin = at(rows(), 0, 0);
    for (const Spot& s : spots) {
      EXPECT_EQ(shot.pixel(origin.x + s.x, origin.y + view().scroll().rowTop(s.row) + s.dy), on ? s.on : s.off)
          << s.what << (on ? ", lines on" : ", lines off");
    }
  }
}

TEST_F(ListViewTest, CheckBoxesLeadTheRowsAndAClickOnOneSwitchesItAlone) {
  SkinnedList skinned(host, u"Deep Water");
  s::gui::drawer::ISkin* skin = skinned.skin;
  ASSERT_NE(skin, nullptr);
  list->addListener(ListBox2::kRowCheckSwitched, &heard);
  using s::gui::drawer::Role;
  const Color ink = skin->getColors()[Role::kListFont], paper = skin->getColors()[Role::kListBg];
  const int h = rowHeight(), side = std::clamp(h - 4, 7, 13);
  // Pixels of the ink colour inside a row's box (its frame left out).
  auto inkInBox = [&](int row) {
    const Image shot = ws.snapshot(top);
    const Point corner = at(rows(), 2, view().scroll().rowTop(row) + (h - side) / 2);
    int n = 0;
    for (int y = 2; y < side - 2; ++y)
      for (int x = 2; x < side - 2; ++x) n += shot.pixel(corner.x + x, corner.y + y) == ink;
    return n;
  };

  clickRow(3, 0, 6);
  EXPECT_EQ(selected(), Ints{3}) << "without check boxes the start of a row is only a row";
  EXPECT_FALSE(list->getRow(3)->isChecked());

  list->setCheckBoxes(true);
  pump();
  const std::size_t before = heard.events.size();
  clickRow(4, 0, 6);
  EXPECT_TRUE(list->getRow(4)->isChecked());
  EXPECT_EQ(selected(), Ints{3}) << "a click on the box leaves the selection";
  ASSERT_EQ(heard.events.size(), before + 1);
  EXPECT_EQ(heard.events.back().second, ListBox2::kRowCheckSwitched);
  EXPECT_EQ(list->getCheckSwitchedRow(), 4);
  ws.snapshot(top).savePng(::testing::TempDir() + "listview-check-boxes.png");
  EXPECT_GT(inkInBox(4), 0) << "a checked box shows its mark";
  EXPECT_EQ(inkInBox(5), 0) << "an empty box";
  const Point frame = at(rows(), 2, view().scroll().rowTop(5) + h / 2);
  EXPECT_EQ(ws.snapshot(top).pixel(frame.x, frame.y), ink) << "every row has its box";
  EXPECT_EQ(ws.snapshot(top).pixel(frame.x + side / 2, frame.y), paper);

  clickRow(4, 0, 6);
  EXPECT_FALSE(list->getRow(4)->isChecked()) << "a second click empties the box";
  clickRow(6, 0, 60);
  EXPECT_EQ(selected(), Ints{6}) << "past the box a click selects as always";
  EXPECT_FALSE(list->getRow(6)->isChecked());
}

}  // namespace
