#include "s/gui/win/PopupMenu.h"

#include <gtest/gtest.h>

#include "s/gui/menuitem/MenuItem.h"
#include "s/lang/Localizer.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;
using platform::ui::desktop::MenuEntry;

std::unique_ptr<s::lang::Localizer> twoLanguages() {
  return s::lang::Localizer::createFromUtf8(
      "<lang><languages>"
      "<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
      "<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>"
      "</languages><entries>"
      "<entry id=\"990001\"><eng>Play</eng><deu>Abspielen</deu></entry>"
      "<entry id=\"990002\"><eng>Repeat</eng><deu>Wiederholen</deu></entry>"
      "</entries></lang>",
      u"English");
}

// A menu "Open | --- | Shuffle | [Repeat: Off, One, All]" with ids 1, 2, and 10..12 below.
struct PopupMenuTest : ::testing::Test {
  PopupMenuTest() {
    menu->addItem(MenuItem::fromText(u"Open", 1));
    menu->addItem(MenuItem::separator());
    menu->addItem(MenuItem::fromText(u"Shuffle", 2, true));
    sub->setTitle(u"Repeat");
    sub->addItem(MenuItem::fromText(u"Off", 10));
    sub->addItem(MenuItem::fromText(u"One", 11));
    sub->addItem(MenuItem::fromText(u"All", 12));
    menu->addSubMenu(sub);
  }
  s::thread::Pooled<PopupMenu> menu{PopupMenu::create()};
  PopupMenu* sub = PopupMenu::create();  // owned by menu
};

TEST_F(PopupMenuTest, FindsItemsInItsOwnEntriesAndSubMenusDepthFirst) {
  int index = -1;
  EXPECT_TRUE(menu->indexOfId(2, index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(menu->findItem(11), nullptr) << "findItem looks at this menu only";
  EXPECT_TRUE(menu->hasItem(11));
  EXPECT_FALSE(menu->hasItem(-1)) << "separators carry no id";
  EXPECT_FALSE(menu->hasItem(99));
  EXPECT_EQ(menu->getEntryCount(), 4);

  menu->findItem(1)->setValue(7);
  EXPECT_TRUE(menu->indexOfValue(7, index));
  EXPECT_EQ(index, 0);
  menu->removeByValue(7);
  menu->removeById(2);
  EXPECT_EQ(menu->getEntryCount(), 2);
  EXPECT_FALSE(menu->hasItem(1));
}

TEST_F(PopupMenuTest, ChecksReachItemsHeldOnlyBySubMenus) {
  EXPECT_FALSE(menu->isChecked(12));
  menu->setChecked(12, true);
  EXPECT_TRUE(sub->findItem(12)->checked());
  EXPECT_TRUE(menu->isChecked(12));
  menu->setChecked(2, false);
  EXPECT_FALSE(menu->isChecked(2));
}

TEST_F(PopupMenuTest, RadioMarksCoverOnePositionAndANegativeOneClearsThemAll) {
  sub->checkRadioById(11);
  auto radios = [&] {
    std::vector<bool> out;
    for (int i = 0; i < sub->getEntryCount(); ++i) out.push_back(sub->itemAt(i)->radioChecked());
    return out;
  };
  EXPECT_EQ(radios(), (std::vector<bool>{false, true, false}));
  sub->itemAt(2)->setValue(3);
  sub->checkRadioByValue(3);
  EXPECT_EQ(radios(), (std::vector<bool>{false, false, true}));
  sub->checkRadio(0, 0, 1);  // leaves the mark outside the range alone
  EXPECT_EQ(radios(), (std::vector<bool>{true, false, true}));
  sub->checkRadioAt(-1);
  EXPECT_EQ(radios(), (std::vector<bool>{false, false, false}));
}

TEST_F(PopupMenuTest, TheModelShowsTextsMarksAndDisabledEntriesInMenuOrder) {
  sub->checkRadioById(10);
  menu->setItemEnabled(11, false);
  menu->setSubMenuEnabled(sub, false);
  menu->setItemText(1, u"Open…");
  auto model = menu->toModel();
  ASSERT_EQ(model.size(), 4u);
  EXPECT_EQ(model[0], MenuEntry::item("Open…", 1));
  EXPECT_EQ(model[1].kind, MenuEntry::Kind::kSeparator);
  EXPECT_EQ(model[2], MenuEntry::item("Shuffle", 2, true));
  EXPECT_EQ(model[3].kind, MenuEntry::Kind::kSubMenu);
  EXPECT_EQ(model[3].text, "Repeat");
  EXPECT_FALSE(model[3].enabled);
  EXPECT_EQ(model[3].children[0], MenuEntry::radioItem("Off", 10, true));
  EXPECT_FALSE(model[3].children[1].enabled);
  EXPECT_TRUE(model[3].children[2].enabled);
}

TEST_F(PopupMenuTest, AChoiceInASubMenuIsReportedToTheTopMenusListeners) {
  guitest::Heard heard;
  menu->addListener(&heard);
  ASSERT_TRUE(menu->hasItem(12));
  menu->choose(12);
  EXPECT_EQ(heard.events, (decltype(heard.events){{menu.get(), 0}}));
  EXPECT_EQ(menu->getChosenId(), 12);
}

TEST_F(PopupMenuTest, RemoveAllEmptiesTheMenuAndGivesEverythingBack) {
  menu->removeAll();
  EXPECT_EQ(menu->getEntryCount(), 0);
  EXPECT_TRUE(menu->toModel().empty());
  EXPECT_FALSE(menu->hasItem(11));
  // The pool hands the given-back objects out again, fresh.
  s::thread::Pooled<PopupMenu> again{PopupMenu::create()};
  EXPECT_EQ(again->getEntryCount(), 0);
  EXPECT_EQ(again->getTitle(), u"");
}

TEST(PopupMenuLanguage, ItemsWithTextIdsFollowALanguageChangeWithoutTheOwner) {
  auto localizer = twoLanguages();
  s::thread::Pooled<PopupMenu> menu{PopupMenu::create()};
  menu->addItem(MenuItem::fromTextId(localizer.get(), 990001, 1));
  menu->addItem(MenuItem::fromText(u"Plain", 2));
  PopupMenu* sub = PopupMenu::create();
  sub->addItem(MenuItem::fromTextId(localizer.get(), 990002, 3));
  menu->addSubMenu(sub);
  menu->setItemText(1, u"ignored: the text id wins");
  EXPECT_EQ(menu->findItem(1)->text(), u"Play");

  localizer->selectByName(u"German");
  EXPECT_EQ(menu->findItem(1)->text(), u"Abspielen");
  EXPECT_EQ(menu->findItem(2)->text(), u"Plain");
  EXPECT_EQ(sub->findItem(3)->text(), u"Wiederholen");

  menu->setItemTextId(2, 990002);
  EXPECT_EQ(menu->findItem(2)->text(), u"Wiederholen");
  sub->setTitleId(990002);
  sub->setLocalizer(localizer.get());
  EXPECT_EQ(sub->getTitle(), u"Wiederholen");
}

}  // namespace
