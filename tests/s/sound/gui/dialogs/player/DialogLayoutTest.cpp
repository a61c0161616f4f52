// The player window's component tree: where every control sits in the large and the small
// window, and how showing and hiding the list changes the window.
#include <gtest/gtest.h>

#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Slider.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace {

using namespace dialog_test;
using platform::ui::Rect;
using s::sound::gui::dialogs::player::ViewSettings;

TEST_F(DialogTest, FirstStartShowsTheLargeWindowWithEveryControlInPlace) {
  open();
  const auto& t = dialog->tree();
  EXPECT_EQ(bounds().width(), 350);
  EXPECT_EQ(bounds().height(), 280);
  // The button row: four transport buttons from the left margin, the window buttons against
  // the right one, the display between them with 2 pixels on either side.
  const int right = 350 - 4;
  struct Expected {
    const s::gui::win::Component* c;
    Rect r;
  } row[] = {
      {t.previous, Rect::fromSize(4, 4, 18, 18)},
      {t.next, Rect::fromSize(22, 4, 18, 18)},
      {t.stop, Rect::fromSize(40, 4, 18, 18)},
      {t.play, Rect::fromSize(58, 4, 18, 18)},
      {t.display, Rect::fromSize(78, 4, right - 3 * 18 - 2 - 78, 18)},
      {t.tray, Rect::fromSize(right - 54, 4, 18, 18)},
      {t.minimize, Rect::fromSize(right - 36, 4, 18, 18)},
      {t.close, Rect::fromSize(right - 18, 4, 18, 18)},
  };
  for (const Expected& e : row) EXPECT_EQ(placeOf(e.c), e.r) << ::testing::PrintToString(placeOf(e.c));

  // The slider row 3 pixels below, its parts 3 pixels apart; the list toggle at the right margin.
  const Rect time = placeOf(t.time), position = placeOf(t.position), speaker = placeOf(t.speaker);
  const Rect volume = placeOf(t.volume), toggle = placeOf(t.listToggle);
  EXPECT_EQ(toggle, Rect::fromSize(right - 14, toggle.top, 14, 14));
  EXPECT_EQ(volume.width(), 50);
  EXPECT_EQ(volume.height(), 12);
  EXPECT_EQ(volume.right + 3, toggle.left);
  EXPECT_EQ(speaker.width(), 14);
  EXPECT_EQ(speaker.right + 3, volume.left);
  EXPECT_EQ(position.right + 3, speaker.left);
  EXPECT_EQ(position.height(), 12);
  EXPECT_EQ(time.left, 4 + 1 + 3);
  EXPECT_EQ(position.left, time.right + 3 + 1 + 3);
  const Rect sliderRow = placeOf(t.sliderRow);
  EXPECT_EQ(sliderRow.top, 4 + 18 + 3);
  // Centred in the row.
  for (const Rect& r : {position, speaker, volume, toggle})
    EXPECT_EQ(r.top - sliderRow.top, (sliderRow.height() - r.height()) / 2);

  // The list panel below a spacer of 1, down to the bottom margin: the tab row, then the list.
  const Rect panel = placeOf(t.listPanel), list = placeOf(t.list), tabs = placeOf(t.tabRow);
  EXPECT_EQ(panel.top, sliderRow.bottom + 1);
  EXPECT_EQ(panel.bottom, 280 - 4);
  EXPECT_EQ(tabs.top, panel.top);
  EXPECT_EQ(list.top, tabs.bottom);
  EXPECT_EQ(list, Rect(4, tabs.bottom, right, 280 - 4));
  const Rect previousList = placeOf(t.previousList), nextList = placeOf(t.nextList);
  EXPECT_EQ(previousList.height(), 14);
  EXPECT_EQ(previousList.left, 4 + 2 + 35);
  EXPECT_EQ(nextList.right, right - 2 - 35);
  EXPECT_EQ(previousList.width(), nextList.width());
  // Texts: the product name in the display, "0:00", the default list's name, the list-up glyph.
  onWindow([&] {
    EXPECT_EQ(t.title->getText(), u"Pruv Sonvia");
    EXPECT_EQ(t.song->getText(), u"");
    EXPECT_EQ(t.time->getText(), u"0:00");
    EXPECT_EQ(t.listName->getText(), u"Default Play List");
    EXPECT_EQ(t.listToggle->getText(), u"#Up");
    EXPECT_EQ(t.position->getMaximum(), 1000);
    EXPECT_EQ(t.volume->getMaximum(), 100);
    EXPECT_EQ(t.volume->getValue(), 50);
    EXPECT_EQ(dialog->window()->getTitle(), u"Pruv Sonvia");
  });
}

TEST_F(DialogTest, WithTheListHiddenTheWindowIsTheStripOfControlsAtTheStoredWidth) {
  settings->setBool(ViewSettings::kListShown, u"", false);
  settings->setS32(ViewSettings::kSmallWidth, u"", 420);
  open();
  const auto& t = dialog->tree();
  EXPECT_EQ(bounds().width(), 420);
  EXPECT_EQ(bounds().height(), 46);
  EXPECT_EQ(placeOf(t.close).right, 420 - 4);
  EXPECT_EQ(placeOf(t.listToggle).right, 420 - 4);
  EXPECT_LE(placeOf(t.sliderRow).bottom, 46 - 4);
  onWindow([&] {
    EXPECT_FALSE(t.listPanel->isShown());
    EXPECT_EQ(t.listToggle->getText(), u"#Down");
  });
}

// The user sizing the window by an edge while the list is hidden: only the width follows.
TEST_F(DialogTest, WithTheListHiddenSizingChangesOnlyTheWidth) {
  settings->setBool(ViewSettings::kListShown, u"", false);
  open();
  const Rect before = bounds();
  const platform::ui::Handle top = dialog->window()->topHandle();
  struct Case {
    int edge;
    Rect proposed;
  } cases[] = {
      {s::gui::IWindow::kEdgeBottomRight, Rect(before.left, before.top, before.right + 40, before.bottom + 90)},
      {s::gui::IWindow::kEdgeTop, Rect(before.left, before.top - 70, before.right + 40, before.bottom)},
  };
  for (const Case& c : cases) {
    ws.sizeFromEdge(top, c.edge, c.proposed);
    EXPECT_TRUE(eventually([&] { return bounds().width() == c.proposed.width(); })) << c.edge;
    EXPECT_EQ(bounds().height(), 46) << c.edge;
    // The edge the user did not drag stays where it was.
    if (c.edge == s::gui::IWindow::kEdgeTop) EXPECT_EQ(bounds().bottom, c.proposed.bottom);
    else EXPECT_EQ(bounds().top, c.proposed.top);
  }
}

TEST_F(DialogTest, TheListOpensDownwardsHighOnTheScreenAndUpwardsInItsBottomQuarter) {
  const Rect screen = ws.virtualScreen();
  struct Case {
    int top;
    bool upwards;
  } cases[] = {{screen.top + 10, false}, {screen.top + screen.height() * 3 / 4 - 1, false},
               {screen.top + screen.height() * 3 / 4, true}, {screen.bottom - 46, true}};
  // Kept inside the screen, the window would also move for the work area's edges; that is
  // the application window's rule, not this one.
  settings->setBool(ViewSettings::kView, u"KeepInScreen", false);
  for (const Case& c : cases) {
    settings->setBool(ViewSettings::kListShown, u"", false);
    open();
    const platform::ui::Handle top = dialog->window()->topHandle();
    ws.setBounds(top, Rect::fromSize(100, c.top, 300, 46));
    onWindow([&] { dialog->showList(true); });
    const Rect shown = bounds();
    EXPECT_EQ(shown.height(), 280) << c.top;
    EXPECT_EQ(shown.top, c.upwards ? c.top + 46 - 280 : c.top) << c.top;
    EXPECT_EQ(settings->getBool(ViewSettings::kView, u"ShrinkToBottom", !c.upwards), c.upwards) << c.top;
    onWindow([&] { EXPECT_TRUE(dialog->tree().listPanel->isShown()); });

    // The user makes it taller, then hides the list: the height is kept for the next time and
    // the strip goes back where it came from.
    ws.setBounds(top, Rect::fromSize(shown.left, shown.top, shown.width(), 333));
    onWindow([&] { dialog->showList(false); });
    EXPECT_EQ(bounds().height(), 46) << c.top;
    EXPECT_EQ(bounds().top, c.upwards ? shown.top + 333 - 46 : shown.top) << c.top;
    EXPECT_EQ(settings->getS32(ViewSettings::kLargeHeight, u"", 0), 333);
    EXPECT_FALSE(settings->getBool(ViewSettings::kListShown, u"", true));
    onWindow([&] { dialog->showList(true); });
    EXPECT_EQ(bounds().height(), 333) << c.top;
    EXPECT_TRUE(settings->getBool(ViewSettings::kListShown, u"", false));
    closeWindow();
    settings->removeValue(ViewSettings::kLargeHeight, u"");
  }
}

TEST_F(DialogTest, TheListToggleButtonShowsAndHidesTheList) {
  open();
  click(dialog->tree().listToggle);
  EXPECT_TRUE(eventually([&] { return bounds().height() == 46; }));
  onWindow([&] { EXPECT_EQ(dialog->tree().listToggle->getText(), u"#Down"); });
  click(dialog->tree().listToggle);
  EXPECT_TRUE(eventually([&] { return bounds().height() == 280; }));
  onWindow([&] { EXPECT_EQ(dialog->tree().listToggle->getText(), u"#Up"); });
}

}  // namespace
