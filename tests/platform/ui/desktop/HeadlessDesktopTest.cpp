#include <gtest/gtest.h>

#include "platform/ui/desktop/HeadlessTrayIcon.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using namespace uitest;
using namespace platform::ui::desktop;
using Kind = HeadlessDesktop::Request::Kind;

class HeadlessDesktopTest : public UiTest {
 protected:
  HeadlessDesktop& script() { return headless->desktopScript(); }
  DesktopServices& desktop() { return ws.backend().desktop(); }
  std::vector<std::uint32_t> postedCodes(Handle w) {
    ws.processPending();
    std::vector<std::uint32_t> codes;
    for (const Message& m : log.seen)
      if (m.window == w && m.code >= msg::kCommand) codes.push_back(m.code);
    return codes;
  }
};

TEST_F(HeadlessDesktopTest, MenuChoiceReachesTheOwnerAsCommandThenClose) {
  Handle top = topLevel();
  MenuEntry disabled = MenuEntry::item("Off", 3);
  disabled.enabled = false;
  MenuModel menu = {MenuEntry::item("&Play", 1), MenuEntry::subMenu("More", {MenuEntry::item("Deep", 2)}),
                    disabled};
  script().scriptMenuChoice(2);
  script().scriptMenuChoice(std::nullopt);
  script().scriptMenuChoice(3);  // a disabled item cannot be chosen

  ASSERT_TRUE(desktop().showMenu(ws, top, menu, {40, 50}, MenuEdge::kBottom));
  EXPECT_EQ(postedCodes(top), (std::vector<std::uint32_t>{msg::kCommand, msg::kMenuClosed}));
  ASSERT_EQ(log.count(top, msg::kCommand), 1);
  EXPECT_EQ(log.of(top, msg::kCommand)[0].wParam, 2u);

  for (int closedWithoutChoice = 0; closedWithoutChoice < 2; ++closedWithoutChoice) {
    log.clear();
    ASSERT_TRUE(desktop().showMenu(ws, top, menu, {1, 2}, MenuEdge::kTop));
    EXPECT_EQ(postedCodes(top), (std::vector<std::uint32_t>{msg::kMenuClosed}));
  }

  auto asked = script().requests();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].kind, Kind::kMenu);
  EXPECT_EQ(asked[0].owner, top);
  EXPECT_EQ(asked[0].menu, menu);
  EXPECT_EQ(asked[0].at, (Point{40, 50}));
  EXPECT_EQ(asked[0].edge, MenuEdge::kBottom);
  EXPECT_FALSE(desktop().showMenu(ws, kNoWindow, menu, {}, MenuEdge::kTop));
}

TEST_F(HeadlessDesktopTest, DialogsTakeTheirScriptedAnswersInOrderAndCancelWithout) {
  Handle top = topLevel();
  FileDialog open;
  open.title = "Open";
  open.folder = "/music";
  open.filters = {{"Audio", {"*.mp3", "*.wav", "*.mpl"}}, {"All files", {"*"}}};
  open.multiple = true;
  script().scriptFiles({"/music/a.mp3", "/music/b.wav"});
  script().scriptPath("/music/lists");
  script().scriptPath("/music/new.mpl");
  script().scriptColor(rgb(1, 2, 3));
  script().scriptAnswer(true);

  EXPECT_EQ(desktop().openFiles(ws, top, open), (std::vector<std::string>{"/music/a.mp3", "/music/b.wav"}));
  EXPECT_EQ(desktop().chooseFolder(ws, top, "Please select the input folder.", "/music"), "/music/lists");
  FileDialog save;
  save.suggestedName = "new.mpl";
  EXPECT_EQ(desktop().saveFile(ws, top, save), "/music/new.mpl");
  EXPECT_EQ(desktop().chooseColor(ws, top, rgb(9, 9, 9)), rgb(1, 2, 3));
  EXPECT_TRUE(desktop().messageBox(ws, top, MessageKind::kQuestion, "Sonvia", "Clear?"));
  EXPECT_TRUE(desktop().messageBox(ws, top, MessageKind::kError, "Sonvia", "Cannot open"));

  // Nothing scripted any more: every dialog is cancelled, a question answered "No".
  EXPECT_TRUE(desktop().openFiles(ws, top, open).empty());
  EXPECT_EQ(desktop().chooseFolder(ws, top, "", ""), std::nullopt);
  EXPECT_EQ(desktop().saveFile(ws, top, {}), std::nullopt);
  EXPECT_EQ(desktop().chooseColor(ws, top, 0), std::nullopt);
  EXPECT_FALSE(desktop().messageBox(ws, top, MessageKind::kQuestion, "Sonvia", "Clear?"));

  // A single-file dialog never answers with several.
  script().scriptFiles({"/a.mp3", "/b.mp3"});
  EXPECT_EQ(desktop().openFiles(ws, top, FileDialog{}), (std::vector<std::string>{"/a.mp3"}));

  auto asked = script().requests();
  ASSERT_EQ(asked.size(), 12u);
  EXPECT_EQ(asked[0].kind, Kind::kOpenFiles);
  EXPECT_EQ(asked[0].dialog, open);
  EXPECT_EQ(asked[1].kind, Kind::kChooseFolder);
  EXPECT_EQ(asked[1].title, "Please select the input folder.");
  EXPECT_EQ(asked[1].folder, "/music");
  EXPECT_EQ(asked[2].dialog.suggestedName, "new.mpl");
  EXPECT_EQ(asked[3].initial, rgb(9, 9, 9));
  EXPECT_EQ(asked[4].messageKind, MessageKind::kQuestion);
  EXPECT_EQ(asked[4].text, "Clear?");
  EXPECT_EQ(asked[5].messageKind, MessageKind::kError);
  for (const auto& r : asked) EXPECT_EQ(r.owner, top);
}

TEST_F(HeadlessDesktopTest, ClipboardAndFileDrag) {
  EXPECT_EQ(desktop().clipboardText(), std::nullopt);
  ASSERT_TRUE(desktop().setClipboardText("1E90FF"));
  EXPECT_EQ(desktop().clipboardText(), "1E90FF");

  Handle top = topLevel();
  EXPECT_FALSE(desktop().beginFileDrag(top, {}));
  ASSERT_TRUE(desktop().beginFileDrag(top, {"/music/a.mp3"}));
  auto asked = script().requests();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, Kind::kFileDrag);
  EXPECT_EQ(asked[0].paths, (std::vector<std::string>{"/music/a.mp3"}));
}

TEST_F(HeadlessDesktopTest, TrayIconKeepsWhatItIsGivenAndPostsWhatTheDesktopWouldPost) {
  Handle top = topLevel();
  auto icon = desktop().createTrayIcon(ws, top);
  HeadlessTrayIcon* tray = script().trayIcon(top);
  ASSERT_NE(tray, nullptr);
  EXPECT_TRUE(icon->available());
  icon->setTitle("Pruv Sonvia");
  icon->setToolTip("Song - Artist");
  MenuModel menu = {MenuEntry::item("Play / Pause", 9000), MenuEntry::radioItem("Repeat Song", 9005, true)};
  icon->setMenu(menu);
  EXPECT_EQ(tray->title(), "Pruv Sonvia");
  EXPECT_EQ(tray->toolTip(), "Song - Artist");
  EXPECT_EQ(tray->menu(), menu);

  tray->click({700, 1000});
  tray->contextClick({701, 1001});
  tray->openMenu();
  EXPECT_TRUE(tray->chooseFromMenu(9005));
  EXPECT_FALSE(tray->chooseFromMenu(1234));
  script().setTrayAvailable(false);
  EXPECT_FALSE(icon->available());
  ws.processPending();

  auto notes = log.of(top, msg::kTrayNotify);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(unpackPoint(static_cast<LParam>(notes[0].wParam)), (Point{700, 1000}));
  EXPECT_EQ(notes[0].lParam, static_cast<LParam>(msg::kLButtonDown));
  EXPECT_EQ(notes[1].lParam, static_cast<LParam>(msg::kRButtonDown));
  EXPECT_EQ(log.count(top, msg::kTrayMenuOpening), 1);
  ASSERT_EQ(log.count(top, msg::kCommand), 1);
  EXPECT_EQ(log.of(top, msg::kCommand)[0].wParam, 9005u);
  ASSERT_EQ(log.count(top, msg::kTrayHostChanged), 1);
  EXPECT_EQ(log.of(top, msg::kTrayHostChanged)[0].wParam, 0u);

  icon.reset();
  EXPECT_EQ(script().trayIcon(top), nullptr);
  script().setTrayAvailable(true);  // tells no icon that is gone
}

}  // namespace
