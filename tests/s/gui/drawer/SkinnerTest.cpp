#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "s/gui/drawer/FallbackSkins.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/Pooled.h"
#include "s/xml/Node.h"
#include "tests/s/gui/drawer/DrawerFixtures.h"

namespace {

using namespace drawer_test;
using platform::ui::rgb;
using s::gui::drawer::ISkin;
using s::gui::drawer::Skinner;
using s::thread::holdPooled;
using s::thread::Pooled;

struct Counting : s::gui::events::IEventListener {
  void onEvent(s::base::IObject* source, int code) override {
    EXPECT_EQ(code, Skinner::kSkinChanged);
    lastSource = source;
    ++events;
  }
  std::atomic<int> events{0};
  s::base::IObject* lastSource = nullptr;
};

Pooled<Skinner> emptySkinner(std::vector<std::u16string> names) {
  auto skinner = holdPooled(Skinner::create());
  skinner->setSkinType(u"ThinWindow");
  SkinColors colors = distinctPalette();
  for (const auto& name : names) {
    colors.colors[0] += 1;  // every skin a little different
    skinner->addSkinFromColors(name, colors);
  }
  return skinner;
}

Pooled<s::xml::Node> parse(const std::string& xml) {
  auto node = holdPooled(s::xml::Node::create());
  node->parseUtf8(xml);
  return node;
}

std::string colour(const char* role, int r, int g, int b) {
  return std::string("<") + role + " R=\"" + std::to_string(r) + "\" G=\"" + std::to_string(g) + "\" B=\"" +
         std::to_string(b) + "\"></" + role + ">";
}

TEST(SkinnerTest, StartsWithTheSixteenFallbackSkinsInOrder) {
  auto skinner = holdPooled(Skinner::createSkinner());
  EXPECT_EQ(skinner->getSkinType(), u"ThinWindow");
  const std::vector<std::u16string> want = {u"White", u"Ivory", u"Black", u"Black II", u"Black Black",
                                            u"Black Black II", u"Classic LG", u"Beige", u"Sky Blue", u"Pink",
                                            u"Salmon Red", u"Yellow", u"Green", u"Orange", u"Khaki", u"Indigo"};
  EXPECT_EQ(skinner->getSkinNames(), want);
  EXPECT_EQ(skinner->getCurrentSkin(), nullptr);
  const SkinColors white = skinner->getSkin(0)->getColors();
  EXPECT_EQ(white[Role::kWindowBg], rgb(255, 255, 255));
  EXPECT_EQ(white[Role::kCompDisabled], rgb(204, 204, 204));
  EXPECT_EQ(white[Role::kTextOutLineSpecific], rgb(238, 238, 238));
  EXPECT_EQ(white[Role::kCounter01], rgb(119, 119, 119));
  const SkinColors blackBlack = skinner->getSkin(4)->getColors();
  EXPECT_EQ(blackBlack[Role::kWindowBg], rgb(0, 0, 0));
  EXPECT_EQ(blackBlack[Role::kWindowFg], rgb(51, 51, 51));
  EXPECT_EQ(blackBlack[Role::kCompFg], rgb(176, 176, 176));
  EXPECT_EQ(blackBlack[Role::kCounter01], rgb(213, 235, 107));
  for (const auto& e : s::gui::drawer::FallbackSkins::all()) EXPECT_EQ(e.colors[Role::kCounter02], rgb(255, 165, 0));
}

TEST(SkinnerTest, EachRoleReachesItsDrawersAndComesBackFromThem) {
  auto skinner = emptySkinner({});
  const SkinColors colors = distinctPalette();
  skinner->addSkinFromColors(u"Mine", colors);
  const ISkin* skin = skinner->getSkin(0);
  EXPECT_EQ(skin->getColors(), colors);
  EXPECT_EQ(skin->getWindow()->background(), colors[Role::kWindowBg]);
  EXPECT_EQ(skin->getName(), u"Mine");
}

TEST(SkinnerTest, SelectFallsBackToTheFirstSkinAndTellsListenersOnlyOfRealChanges) {
  auto skinner = emptySkinner({u"A", u"B", u"C"});
  Counting listener;
  skinner->addSkinListener(&listener);
  skinner->selectSkin(u"B");
  EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(1));
  EXPECT_EQ(listener.events, 1);
  EXPECT_EQ(listener.lastSource, skinner.get());
  skinner->selectSkin(u"B");
  EXPECT_EQ(listener.events, 1);
  skinner->selectSkin(u"no such skin");
  EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(0));
  EXPECT_EQ(listener.events, 2);
  skinner->selectSkin(u"");
  EXPECT_EQ(listener.events, 2);
  skinner->removeSkinListener(&listener);
  skinner->selectSkin(u"C");
  EXPECT_EQ(listener.events, 2);
}

TEST(SkinnerTest, FindGivesTheFirstOfEqualNames) {
  auto skinner = emptySkinner({u"A", u"B", u"A"});
  EXPECT_EQ(skinner->findSkin(u"A"), 0);
  EXPECT_EQ(skinner->findSkin(u"B"), 1);
  EXPECT_EQ(skinner->findSkin(u"a"), -1);
}

TEST(SkinnerTest, RandomSelectionNeverRepeatsTheCurrentSkin) {
  auto one = emptySkinner({u"Only"});
  Counting listener;
  one->addSkinListener(&listener);
  one->selectRandomSkin();
  EXPECT_EQ(listener.events, 0);
  EXPECT_EQ(one->getCurrentSkin(), nullptr);

  auto two = emptySkinner({u"A", u"B"});
  two->selectSkin(u"A");
  for (int i = 0; i < 20; ++i) {
    ISkin* before = two->getCurrentSkin();
    two->selectRandomSkin();
    ASSERT_NE(two->getCurrentSkin(), before);
  }

  auto many = emptySkinner({u"A", u"B", u"C", u"D"});
  many->selectSkin(u"C");
  std::vector<int> seen(4);
  for (int i = 0; i < 400; ++i) {
    ISkin* before = many->getCurrentSkin();
    many->selectRandomSkin();
    ASSERT_NE(many->getCurrentSkin(), before);
    for (int k = 0; k < 4; ++k) seen[k] += many->getCurrentSkin() == many->getSkin(k);
  }
  for (int k = 0; k < 4; ++k) EXPECT_GT(seen[k], 40) << k;  // every skin comes up
}

TEST(SkinnerTest, RemovingTheCurrentSkinMakesTheFirstCurrent) {
  auto skinner = emptySkinner({u"A", u"B", u"C"});
  skinner->selectSkin(u"B");
  ISkin* b = skinner->getCurrentSkin();
  skinner->removeSkin(0);
  EXPECT_EQ(skinner->getCurrentSkin(), b);  // another skin's removal leaves the current one
  skinner->removeSkin(0);
  EXPECT_EQ(skinner->getSkinNames(), std::vector<std::u16string>{u"C"});
  EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(0));
  skinner->removeSkin(5);
  EXPECT_EQ(skinner->getSkinCount(), 1);
}

TEST(SkinnerTest, ReorderKeepsOnlyTheNamedSkinsInTheirNewOrder) {
  auto skinner = emptySkinner({u"A", u"B", u"C", u"D"});
  ISkin* c = skinner->getSkin(2);
  skinner->selectSkin(u"B");
  skinner->reorderSkins({u"C", u"A", u"X", u"B"});
  EXPECT_EQ(skinner->getSkinNames(), (std::vector<std::u16string>{u"C", u"A", u"B"}));
  EXPECT_EQ(skinner->getSkin(0), c);
  EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(2));
}

TEST(SkinnerTest, AddingFromColoursNeedsAThinKindOfManager) {
  auto skinner = holdPooled(Skinner::create());
  EXPECT_EQ(skinner->getSkinType(), u"Basic");
  EXPECT_FALSE(skinner->addSkinFromColors(u"X", distinctPalette()));
  skinner->setSkinType(u"Thin");
  EXPECT_TRUE(skinner->addSkinFromColors(u"X", distinctPalette()));
}

TEST(SkinnerTest, SaveAndLoadKeepNamesOrderAndEveryColour) {
  auto skinner = emptySkinner({u"First & <one>", u"Second", u"First & <one>"});
  auto root = holdPooled(s::xml::Node::create());
  root->setName(u"SkinSetXml");
  skinner->saveSkinSet(*root, u"SkinSet");
  std::string text;
  root->writeUtf8To(text);
  auto again = parse(text);
  auto loaded = emptySkinner({u"Old"});
  EXPECT_EQ(loaded->loadSkinSet(*again, u"SkinSet", true), 3);
  EXPECT_EQ(loaded->getSkinNames(), skinner->getSkinNames());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(loaded->getSkin(i)->getColors(), skinner->getSkin(i)->getColors()) << i;
  // saving again over the same tree leaves one set, not two
  skinner->removeSkin(2);
  skinner->saveSkinSet(*root, u"SkinSet");
  auto shorter = emptySkinner({});
  EXPECT_EQ(shorter->loadSkinSet(*root, u"SkinSet", false), 2);
}

TEST(SkinnerTest, MissingRolesGetTheirDefaults) {
  const std::string xml = std::string("<SkinSetXml><SkinSet><ThinWindow numOfSkins=\"3\"></ThinWindow>") +
                          "<ThinWindow_0 name=\"Light text\">" + colour("compFg", 1, 2, 3) +
                          colour("text", 200, 200, 200) + "</ThinWindow_0>" +
                          "<ThinWindow_1 name=\"Dark text\">" + colour("text", 40, 40, 40) +
                          colour("groupBorder", 7, 8, 9) + colour("textOutLineSpecific", 4, 5, 6) +
                          "</ThinWindow_1>" + "<ThinWindow_2 name=\"Half\"><listBg R=\"9\"></listBg></ThinWindow_2>" +
                          "</SkinSet></SkinSetXml>";
  auto skinner = emptySkinner({});
  ASSERT_EQ(skinner->loadSkinSet(*parse(xml), u"SkinSet", false), 3);
  const SkinColors light = skinner->getSkin(0)->getColors();
  EXPECT_EQ(light[Role::kGroupBorder], rgb(1, 2, 3));
  EXPECT_EQ(light[Role::kTextOutLineSpecific], rgb(51, 51, 51));
  EXPECT_EQ(light[Role::kListBg], rgb(0, 0, 0));
  const SkinColors dark = skinner->getSkin(1)->getColors();
  EXPECT_EQ(dark[Role::kGroupBorder], rgb(7, 8, 9));
  EXPECT_EQ(dark[Role::kTextOutLineSpecific], rgb(4, 5, 6));
  EXPECT_EQ(skinner->getSkin(2)->getColors()[Role::kListBg], rgb(9, 0, 0));
  EXPECT_EQ(skinner->getSkin(2)->getColors()[Role::kTextOutLineSpecific], rgb(238, 238, 238));
}

TEST(SkinnerTest, EmptySetsAndNamelessSkinsLeaveTheListAlone) {
  auto skinner = emptySkinner({u"A", u"B"});
  skinner->selectSkin(u"B");
  const std::string none = "<SkinSetXml><SkinSet><ThinWindow numOfSkins=\"0\"></ThinWindow>"
                           "<ThinWindow_0 name=\"Ignored\"></ThinWindow_0></SkinSet></SkinSetXml>";
  EXPECT_EQ(skinner->loadSkinSet(*parse(none), u"SkinSet", true), 0);
  EXPECT_EQ(skinner->getSkinNames(), (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_EQ(skinner->loadSkinSet(*parse("<SkinSetXml></SkinSetXml>"), u"SkinSet", true), 0);
  EXPECT_EQ(skinner->getSkinCount(), 2);

  const std::string firstNameless = "<SkinSetXml><SkinSet><ThinWindow numOfSkins=\"2\"></ThinWindow>"
                                    "<ThinWindow_0 name=\"\">" + colour("text", 1, 1, 1) + "</ThinWindow_0>"
                                    "<ThinWindow_1 name=\"Whole\">" + colour("text", 2, 2, 2) +
                                    "</ThinWindow_1></SkinSet></SkinSetXml>";
  Counting listener;
  skinner->addSkinListener(&listener);
  EXPECT_EQ(skinner->loadSkinSet(*parse(firstNameless), u"SkinSet", true), 1);
  EXPECT_EQ(skinner->getSkinNames(), std::vector<std::u16string>{u"Whole"});
  // the old current skin went with the list: the new first skin stands in, and listeners know
  EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(0));
  EXPECT_EQ(listener.events, 1);
}

TEST(SkinnerTest, ChangesFromTwoThreadsWhilePaintersReadTheCurrentSkin) {
  auto skinner = emptySkinner({u"A", u"B", u"C", u"D", u"E"});
  skinner->selectSkin(u"A");
  Counting listener;
  skinner->addSkinListener(&listener);
  std::atomic<bool> stop{false};
  std::thread painter([&] {
    while (!stop) {
      ISkin* skin = skinner->getCurrentSkin();
      ASSERT_NE(skin, nullptr);
      (void)skin->getWindow()->background();  // a removed skin stays whole
    }
  });
  std::thread customizer([&] {
    for (int i = 0; i < 200; ++i) {
      skinner->addSkinFromColors(u"New", distinctPalette());
      skinner->removeSkin(skinner->findSkin(u"New"));
    }
  });
  for (int i = 0; i < 200; ++i) skinner->selectRandomSkin();
  customizer.join();
  stop = true;
  painter.join();
  EXPECT_EQ(skinner->getSkinCount(), 5);
  EXPECT_GE(listener.events, 200);
}

}  // namespace
