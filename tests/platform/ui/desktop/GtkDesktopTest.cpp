#include <gtest/gtest.h>

#include "tests/platform/ui/desktop/GtkDesktopFixture.h"

namespace {

using namespace platform::ui;
using namespace platform::ui::desktop;
using namespace desktoptest;
using GtkDesktopTest = GtkDesktopFixture;

// `offset` moves the commands and `second` sets the second item's check mark: the same shape,
// which the desktop may show with widgets it built for an earlier menu.
MenuModel sampleMenu(int offset = 0, bool second = true) {
  MenuEntry off = MenuEntry::item("Off", 104 + offset);
  off.enabled = false;
  return {MenuEntry::item("&First", 101 + offset), MenuEntry::separator(),
          MenuEntry::radioItem("Second", 102 + offset, second),
          MenuEntry::subMenu("&More", {MenuEntry::item("Deep", 103 + offset), MenuEntry::item("Check", 106 + offset, true)}),
          off, MenuEntry::item("Last", 105 + offset)};
}

TEST_F(GtkDesktopTest, PopupMenuTakesRealKeysAndClicksAndReportsTheChoice) {
  Point at = ws_->clientToScreen(top_, {40, 30});
  struct Round {
    const char* input;   // xdotool arguments once the menu shows
    MenuEdge edge;
    MenuModel menu;
    int command;         // -1: closed without a choice
  } rounds[] = {
      {"key Down Down Return", MenuEdge::kTop, sampleMenu(), 102},    // the separator is skipped
      {"key Escape", MenuEdge::kTop, sampleMenu(), -1},
      {"key Down Down Down Right Return", MenuEdge::kTop, sampleMenu(), 103},  // into the sub-menu
      // With its bottom edge at the point, the last item lies just above the point.
      {nullptr, MenuEdge::kBottom, sampleMenu(), 105},
      // Other marks and commands in the same shape: a changed mark is no choice, and the new
      // commands are the ones reported.
      {"key Escape", MenuEdge::kTop, sampleMenu(1000, false), -1},
      {"key Down Down Return", MenuEdge::kTop, sampleMenu(2000, true), 2102},
  };
  std::size_t closes = 0, commands = 0;
  for (const Round& r : rounds) {
    ASSERT_TRUE(desktop().showMenu(*ws_, top_, r.menu, at, r.edge));
    ASSERT_TRUE(pumpUntil(*ws_, [&] { return desktop().menuOpen(); })) << "the menu never showed";
    if (r.input) {
      ASSERT_TRUE(xdotool(r.input));
    } else {
      ASSERT_TRUE(xdotool("mousemove " + std::to_string(at.x + 30) + " " + std::to_string(at.y - 12) + " click 1"));
    }
    ASSERT_TRUE(menuClosedAfter(++closes)) << (r.input ? r.input : "click");
    if (r.command >= 0) ++commands;
    auto chosen = posted(msg::kCommand);
    ASSERT_EQ(chosen.size(), commands) << (r.input ? r.input : "click");
    if (r.command >= 0) {
      EXPECT_EQ(chosen.back().wParam, static_cast<WParam>(r.command));
    }
    EXPECT_FALSE(desktop().menuOpen());
  }
  // The choice comes before the close, as the window's command routing expects.
  std::vector<std::uint32_t> order;
  for (const Message& m : seen_)
    if (m.code == msg::kCommand || m.code == msg::kMenuClosed) order.push_back(m.code);
  EXPECT_EQ(order.front(), msg::kCommand);
}

TEST_F(GtkDesktopTest, OpeningASecondMenuClosesTheFirst) {
  Point at = ws_->clientToScreen(top_, {40, 30});
  ASSERT_TRUE(desktop().showMenu(*ws_, top_, sampleMenu(), at, MenuEdge::kTop));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return desktop().menuOpen(); }));
  ASSERT_TRUE(desktop().showMenu(*ws_, top_, {MenuEntry::item("Only", 7)}, at, MenuEdge::kTop));
  ASSERT_TRUE(menuClosedAfter(1));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return desktop().menuOpen(); }));
  ASSERT_TRUE(xdotool("key Down Return"));
  ASSERT_TRUE(menuClosedAfter(2));
  ASSERT_EQ(posted(msg::kCommand).size(), 1u);
  EXPECT_EQ(posted(msg::kCommand)[0].wParam, 7u);
}

// Menus of other shapes in turn, each shown with widgets that the one before it left (the desktop
// brings a built menu to the new shape): every round's keys must reach that round's own entries.
TEST_F(GtkDesktopTest, MenusWhoseShapeChangesReportTheirOwnCommands) {
  auto items = [](int first, int count) {
    MenuModel m;
    for (int i = 0; i < count; ++i) m.push_back(MenuEntry::item("Item " + std::to_string(first + i), first + i));
    return m;
  };
  MenuModel withSub = items(10, 10);
  withSub[1] = MenuEntry::subMenu("More", items(90, 2));
  withSub[3] = MenuEntry::separator();
  withSub[4] = MenuEntry::item("Marked", 14, true);
  MenuModel longer = items(20, 8);
  longer[0] = MenuEntry::radioItem("Radio", 20, true);
  struct Round {
    const char* what;
    MenuModel menu;
    const char* keys;
    int command;
  } rounds[] = {
      {"plain items", items(1, 10), "key Down Down Down Return", 3},
      {"a sub-menu, a separator and a mark in place of plain items",
       withSub, "key Down Down Down Down Return", 14},
      {"into the sub-menu that took a plain item's place", withSub, "key Down Down Right Down Return", 91},
      {"longer, with a radio mark first", longer, "key Down Down Down Down Down Down Down Down Return", 27},
      {"back to plain items, shorter", items(1, 6), "key Down Down Return", 2},
  };
  Point at = ws_->clientToScreen(top_, {40, 30});
  std::size_t closes = 0;
  for (const Round& r : rounds) {
    ASSERT_TRUE(desktop().showMenu(*ws_, top_, r.menu, at, MenuEdge::kTop)) << r.what;
    ASSERT_TRUE(pumpUntil(*ws_, [&] { return desktop().menuOpen(); })) << r.what;
    ASSERT_TRUE(xdotool(r.keys));
    ASSERT_TRUE(menuClosedAfter(++closes)) << r.what;
    auto chosen = posted(msg::kCommand);
    ASSERT_EQ(chosen.size(), closes) << r.what;
    EXPECT_EQ(chosen.back().wParam, static_cast<WParam>(r.command)) << r.what;
  }
}

TEST_F(GtkDesktopTest, ClipboardTextOutlivesTheCall) {
  const std::string text = "Pruv Sonvia \xe2\x80\x93 1E90FF";
  ASSERT_TRUE(desktop().setClipboardText(text));
  EXPECT_EQ(desktop().clipboardText(), text);
  ASSERT_TRUE(desktop().setClipboardText(""));
  EXPECT_EQ(desktop().clipboardText().value_or("(none)"), "");
}

}  // namespace
