#include <gtest/gtest.h>

#include "platform/ui/desktop/MenuModel.h"

namespace {

using namespace platform::ui::desktop;

TEST(MenuModelTest, AccessKeysTakeTheDesktopsForm) {
  struct Case {
    const char* text;
    const char* label;
  } cases[] = {
      {"&Open", "_Open"},      {"Save &As...", "Save _As..."}, {"Rock && Roll", "Rock & Roll"},
      {"snake_case", "snake__case"}, {"trailing&", "trailing&"}, {"&&&x", "&_x"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(mnemonicLabel(c.text), c.label) << c.text;
}

TEST(MenuModelTest, OnlyEnabledReachableItemsCanBeChosen) {
  MenuEntry disabled = MenuEntry::item("Off", 5);
  disabled.enabled = false;
  MenuEntry closedSub = MenuEntry::subMenu("Closed", {MenuEntry::item("Inside", 7)});
  closedSub.enabled = false;
  MenuModel menu = {MenuEntry::item("Play", 1), MenuEntry::separator(), disabled, closedSub,
                    MenuEntry::subMenu("Volume", {MenuEntry::radioItem("50 %", 8115, true)})};
  EXPECT_TRUE(canChoose(menu, 1));
  EXPECT_TRUE(canChoose(menu, 8115));
  EXPECT_FALSE(canChoose(menu, 5));
  EXPECT_FALSE(canChoose(menu, 7));
  EXPECT_FALSE(canChoose(menu, -1));  // the separator's id
  EXPECT_FALSE(canChoose(menu, 99));
}

TEST(MenuModelTest, ReshapingBuildsOnlyTheEntriesWhosePlaceChangesKind) {
  MenuEntry plain = MenuEntry::item("Play", 1), checked = MenuEntry::item("Mute", 2, true);
  MenuEntry radio = MenuEntry::radioItem("Loud", 3, false), line = MenuEntry::separator();
  MenuEntry sub = MenuEntry::subMenu("Repeat", {plain, checked});
  struct Case {
    const char* what;
    MenuModel built, wanted;
    int toBuild;
  } cases[] = {
      {"texts, commands and marks of a kind", {plain, checked, radio}, {MenuEntry::item("Stop", 9), radio, checked}, 0},
      {"an unchecked item is plain, a checked one is not", {plain, plain}, {checked, plain}, 1},
      {"a sub-menu in a new place is built with what it holds", {plain, plain, plain}, {plain, sub, plain}, 3},
      {"a sub-menu kept in place is reshaped inside", {sub, line}, {MenuEntry::subMenu("Other", {checked, checked}), line}, 1},
      {"a shorter menu builds nothing", {plain, line, plain, radio}, {plain, line}, 0},
      {"entries past the end of the built menu are all new", {plain}, {plain, line, radio}, 2},
      {"nothing built before", {}, {plain, sub}, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(entriesToBuild(c.built, c.wanted), c.toBuild) << c.what;
}

}  // namespace
