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

}  // namespace
