// The drawers of the smaller widgets: their shapes where they are fixed, and for every drawer of a
// skin, that it paints only inside its rectangle and hands the canvas back as it got it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/ICombo.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/IMenu.h"
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/IStatusBar.h"
#include "s/gui/drawer/ITabBox.h"
#include "s/gui/drawer/IText.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/skin/ThinWindow.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::Canvas;
using platform::ui::Rect;
using namespace s::gui::drawer;

struct WidgetDrawersTest : ::testing::Test {
  SkinColors colors = distinctPalette();
  s::thread::Pooled<skin::ThinWindow> skin{skin::ThinWindow::build(u"Test", colors)};
  FontStyle font;
};

TEST_F(WidgetDrawersTest, EveryDrawerPaintsInsideItsRectangleAndKeepsTheClip) {
  const Rect inner{10, 10, 110, 40};
  using Paint = std::function<void(Canvas&)>;
  const std::pair<const char*, Paint> drawers[] = {
      {"window", [&](Canvas& c) { skin->getWindow()->paint({2, 2}, inner, c); }},
      {"button", [&](Canvas& c) { skin->getButton()->paint({u"A long caption for a button", font}, inner, c); }},
      {"text", [&](Canvas& c) { skin->getText()->paint({u"Outlined text that is far too long", {font.font, false, 0, false, 0, 7}}, inner, c); }},
      {"scroll bar", [&](Canvas& c) { skin->getScrollBar()->paint({false, 0, 99, 10, 50}, inner, c); }},
      {"check box", [&](Canvas& c) { skin->getCheckBox()->paint({u"Check box with a long caption", font, true}, inner, c); }},
      {"radio", [&](Canvas& c) { skin->getRadioButton()->paint({u"Radio button with a long caption", font, true}, inner, c); }},
      {"slider", [&](Canvas& c) { skin->getSlider()->paint({0, 100, 100, true, 0, true, true, 100, 6, 100, 50}, inner, c); }},
      {"counter", [&](Canvas& c) { skin->getCounter()->paint({}, inner, c); }},
      {"list header", [&](Canvas& c) { skin->getListHeader()->paintItem({u"A header caption that is long", font, 0, 2, -1}, inner, c); }},
      {"list", [&](Canvas& c) {
         ListCellState cell;
         cell.text = u"A row text that does not fit in the cell";
         cell.selected = true;
         cell.fullRowSelect = false;
         cell.treeLevel = 1;
         cell.treeHasChildren = true;
         cell.cellButton = 2;
         cell.mark = 2;
         cell.lastRow = true;
         skin->getListBox()->paintCell(cell, inner, c);
       }},
      {"status bar", [&](Canvas& c) { skin->getStatusBar()->paint({u"A status line longer than the bar", font, true}, inner, c); }},
      {"menu", [&](Canvas& c) { skin->getMenu()->paintItem({u"Open a folder", u"Ctrl+O", font, false, true, true, 1, true}, inner, c); }},
      {"combo", [&](Canvas& c) { skin->getCombo()->paint({u"An entry longer than the box", font, 1}, inner, c); }},
      {"group box", [&](Canvas& c) { skin->getGroupBox()->paint({u"A group caption wider than the box itself", font}, inner, c); }},
      {"tab", [&](Canvas& c) { skin->getTabBox()->paintTab({u"A tab caption wider than the tab", font, true, 1}, inner, c); }},
  };
  for (const auto& [name, paint] : drawers) {
    auto image = paper(120, 50);
    Canvas canvas(image);
    canvas.excludeClip({0, 0, 5, 5});
    const platform::ui::Region clip = canvas.clip();
    paint(canvas);
    EXPECT_EQ(canvas.clip(), clip) << name;
    int outside = 0, inside = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 120; ++x) {
        const bool painted = image.pixel(x, y) != kPaper;
        (inner.contains({x, y}) ? inside : outside) += painted;
      }
    EXPECT_EQ(outside, 0) << name;
    if (std::string(name) != "counter") {
      EXPECT_GT(inside, 20) << name;
    }
  }
}

TEST_F(WidgetDrawersTest, CheckBoxIsAFramedWhiteSquareAsHighAsALine) {
  const int e = skin->getText()->lineHeight(font);
  auto image = paper(120, e + 4);
  Canvas canvas(image);
  skin->getCheckBox()->paint({u"", font, true}, image.bounds(), canvas);
  const int top = 2;
  EXPECT_EQ(image.pixel(0, top), colors[Role::kCompFg]);
  EXPECT_EQ(image.pixel(1, top + 1), colors[Role::kCompFg]);
  EXPECT_EQ(image.pixel(e - 1, top + e - 1), colors[Role::kCompFg]);
  EXPECT_EQ(image.pixel(e, top + e / 2), kPaper);
  EXPECT_EQ(image.pixel(2, top + 2), platform::ui::rgb(255, 255, 255));
  EXPECT_GT(count(image, Rect::fromSize(2, top + 2, e - 4, e - 4), platform::ui::rgb(0, 0, 0)), 10);
  const auto size = skin->getCheckBox()->measure({u"Shuffle", font});
  const auto text = skin->getText()->measure({u"Shuffle", font});
  EXPECT_EQ(size.width, text.width + e + e / 6);
}

TEST_F(WidgetDrawersTest, RadioButtonIsA13PixelCircleCentredOnTheLeft) {
  auto image = paper(60, 21);
  Canvas canvas(image);
  skin->getRadioButton()->paint({u"", font, true}, image.bounds(), canvas);
  // top at the middle minus 6: rows 4 to 16, columns 0 to 12
  EXPECT_EQ(image.pixel(0, 0), kPaper);
  EXPECT_EQ(image.pixel(6, 3), kPaper);
  EXPECT_NE(image.pixel(6, 4), kPaper);
  EXPECT_NE(image.pixel(6, 16), kPaper);
  EXPECT_EQ(image.pixel(6, 17), kPaper);
  EXPECT_EQ(image.pixel(13, 10), kPaper);
  EXPECT_EQ(image.pixel(0, 4), kPaper);  // a circle: its corners stay clear
  EXPECT_EQ(image.pixel(6, 10), colors[Role::kCompFg]);  // the checked mark's middle
}

TEST_F(WidgetDrawersTest, GroupBoxFrameBreaksForTheCaptionAndRoundsItsCorners) {
  auto image = paper(200, 80);
  Canvas canvas(image);
  const GroupBoxState state{u"Effects", font};
  skin->getGroupBox()->paint(state, image.bounds(), canvas);
  const auto border = colors[Role::kGroupBorder];
  const int line = skin->getText()->lineHeight(font);
  const int t = line / 2 - 1;
  EXPECT_EQ(image.pixel(2, t), border);
  EXPECT_EQ(image.pixel(0, t), kPaper);  // the corner is cut ...
  EXPECT_EQ(image.pixel(1, t + 1), border);  // ... and rounded by a dot
  EXPECT_EQ(image.pixel(0, t + 2), border);
  EXPECT_EQ(image.pixel(5, t), kPaper);   // 4 pixels before the caption at x = 9
  EXPECT_EQ(image.pixel(4, t), border);
  EXPECT_EQ(image.pixel(199, 79), kPaper);
  EXPECT_EQ(image.pixel(198, 79), kPaper);
  EXPECT_EQ(image.pixel(198, 78), border);
  EXPECT_EQ(image.pixel(197, 79), border);
  const Rect inner = skin->getGroupBox()->inner(state, image.bounds());
  EXPECT_GT(inner.top, t + 2);
  EXPECT_LT(inner.right, 198);
}

TEST_F(WidgetDrawersTest, ScrollBarThumbCoversItsPageOfTheTrack) {
  const Rect bar{0, 0, 12, 112};
  ScrollBarState state;
  state.maximum = 99;
  state.page = 25;
  state.position = 0;
  const ScrollBarParts top = skin->getScrollBar()->parts(state, bar);
  EXPECT_EQ(top.firstArrow, (Rect{0, 0, 12, 12}));
  EXPECT_EQ(top.secondArrow, (Rect{0, 100, 12, 112}));
  EXPECT_EQ(top.thumb, (Rect{0, 12, 12, 34}));
  state.position = 75;
  EXPECT_EQ(skin->getScrollBar()->parts(state, bar).thumb, (Rect{0, 78, 12, 100}));
  state.position = 500;  // out of range: kept at the end
  EXPECT_EQ(skin->getScrollBar()->parts(state, bar).thumb, (Rect{0, 78, 12, 100}));
  state.page = 100;
  EXPECT_TRUE(skin->getScrollBar()->parts(state, bar).thumb.empty());
  state.maximum = -5;  // nothing to scroll, and no division by it
  EXPECT_TRUE(skin->getScrollBar()->parts(state, bar).thumb.empty());
}

TEST_F(WidgetDrawersTest, TextEffectsDrawTheirCopiesInTheirColours) {
  const auto ink = colors[Role::kText];
  auto paint = [&](int effect) {
    auto image = paper(80, 24);
    Canvas canvas(image);
    FontStyle f = font;
    f.font.weight = 700;
    f.effect = effect;
    skin->getText()->paint({u"IIII", f}, image.bounds(), canvas);
    return image;
  };
  EXPECT_EQ(count(paint(0), {0, 0, 80, 24}, colors[Role::kTextOutLineSpecific]), 0);
  EXPECT_GT(count(paint(7), {0, 0, 80, 24}, colors[Role::kTextOutLineSpecific]), 20);
  EXPECT_GT(inked(paint(3), {0, 0, 80, 24}, platform::ui::rgb(255, 255, 255), kPaper), 10);
  EXPECT_GT(inked(paint(3), {0, 0, 80, 24}, platform::ui::rgb(0, 0, 0), kPaper), 10);
  EXPECT_GT(inked(paint(2), {0, 0, 80, 24}, platform::ui::rgb(119, 119, 119), kPaper), 10);
  EXPECT_GT(inked(paint(0), {0, 0, 80, 24}, ink, kPaper), 10);
  // effects make room for their copies
  const auto plain = skin->getText()->measure({u"IIII", font});
  FontStyle outlined = font;
  outlined.effect = 1;
  EXPECT_EQ(skin->getText()->measure({u"IIII", outlined}).width, plain.width + 2);
}

}  // namespace
