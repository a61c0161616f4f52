#include "s/gui/win/Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>

#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/PopupMenu.h"
#include "s/thread/Pooled.h"
#include "tests/s/gui/win/WindowTestSupport.h"

namespace {

using namespace wintest;
using s::gui::menuitem::MenuItem;
using s::gui::win::PopupMenu;
using Kind = InputEvent::Kind;

TEST_F(WindowTest, IsHandedOutWithItsNativeWindowHiddenOnItsOwnThread) {
  ASSERT_TRUE(window->started()) << window->startError();
  EXPECT_TRUE(ws.exists(top));
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->getTitle(), u"Window");
  EXPECT_EQ(window->getWidth(), 240);
  EXPECT_EQ(window->getHeight(), 120);
  std::thread::id own;
  window->run([&] { own = std::this_thread::get_id(); });
  EXPECT_NE(own, std::this_thread::get_id());
}

TEST_F(WindowTest, InputOfTheClientAreaRaisesWindowEventsInOrder) {
  window->setVisible(true);
  input.mouse(top, Kind::kMouseMove, {20, 20});
  input.mouse(top, Kind::kButtonDown, {20, 20}, 0);
  input.mouse(top, Kind::kButtonUp, {20, 20}, 0);
  input.mouse(top, Kind::kButtonDown, {20, 20}, 1);
  input.mouse(top, Kind::kButtonUp, {20, 20}, 1);
  input.mouse(top, Kind::kButtonDown, {20, 20}, 2);  // "DoNothing": event 9 and nothing else
  input.key(top, 'K');
  input.wheel(top, {20, 20}, -120);
  InputEvent deactivated;
  deactivated.kind = Kind::kDeactivated;
  deactivated.window = top;
  input.inject(deactivated);
  // The first press activates the window.
  EXPECT_TRUE(eventuallyCodes({13, 6, 5, 25, 3, 24, 9, 12, 14, 7})) << ::testing::PrintToString(codes());
  EXPECT_EQ(window->getLastKey(), 'K');
  EXPECT_EQ(window->getWheelLines(), -3);
  EXPECT_FALSE(window->isClosed());
  EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, ACloseListenerCanKeepTheWindowOpenAndAClosedWindowStaysClosed) {
  window->setVisible(true);
  bool keepOpen = true;
  log.then = [&](int code) {
    if (code == IWindow::kCloseRequested && keepOpen) window->cancelClose();
  };
  window->close();
  EXPECT_FALSE(window->isClosed());
  EXPECT_TRUE(window->isVisible());

  keepOpen = false;
  std::thread waiter([&] { window->waitUntilClosed(); });
  window->close();
  waiter.join();
  EXPECT_TRUE(window->isClosed());
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(ws.exists(top)) << "the native window stays until the object goes";

  ws.send(top, msg::kClose);  // a close request for a closed window changes nothing
  EXPECT_EQ(codes(), (std::vector<int>{1, 1}));
  EXPECT_TRUE(window->isClosed());
}

TEST_F(WindowTest, RequestsFromOtherThreadsAreAnsweredUntilTheWindowCloses) {
  log.then = [&](int code) {
    if (code == IWindow::kRequest)
      window->setRequestResult(window->getRequestParam(0) + window->getRequestParam(1) * 10 +
                               window->getRequestParam(2) * 100 + window->getRequestParam(3) * 1000);
  };
  int result = 0;
  bool answered = false;
  std::thread([&] { answered = window->sendRequest(1, 2, 3, 4, result); }).join();
  EXPECT_TRUE(answered);
  EXPECT_EQ(result, 4321);
  EXPECT_TRUE(window->sendHandOver());
  EXPECT_EQ(codes(), (std::vector<int>{2, 15}));

  window->close();
  result = -1;
  std::thread([&] { answered = window->sendRequest(5, 6, 7, 8, result); }).join();
  EXPECT_FALSE(answered) << "a closed window turns requests away at once";
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(window->sendHandOver());
}

struct SizingCase {
  const char* name;
  int platformEdge;
  Rect proposed;
  Rect expected;
};

TEST_F(WindowTest, SizingKeepsTheMinimumByMovingTheDraggedEdge) {
  guitest::Block block(150, 80);
  window->run([&] { window->add(&block); });
  window->setMinSizeEnforced(true, true);
  const SizingCase cases[] = {
      {"left edge", edge::kLeft, {300, 100, 400, 200}, {250, 100, 400, 200}},
      {"right edge", edge::kRight, {300, 100, 400, 200}, {300, 100, 450, 200}},
      {"top-left corner", edge::kTopLeft, {300, 100, 400, 150}, {250, 70, 400, 150}},
      {"bottom edge", edge::kBottom, {300, 100, 500, 130}, {300, 100, 500, 180}},
      {"wide enough", edge::kLeft, {100, 100, 400, 300}, {100, 100, 400, 300}},
  };
  for (const SizingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ws.sizeFromEdge(top, c.platformEdge, c.proposed));
    EXPECT_EQ(ws.boundsOf(top), c.expected);
  }
  EXPECT_EQ(window->getSizingEdge(), IWindow::kEdgeLeft);
  window->run([&] { window->remove(&block); });
}

TEST_F(WindowTest, SizingListenersMayChangeTheRectangleBeforeTheLimits) {
  guitest::Block block(150, 80);
  window->run([&] { window->add(&block); });
  window->setMinSizeEnforced(true, false);
  log.then = [&](int code) {
    if (code == IWindow::kSizing) window->setSizingRight(window->getSizingLeft() + 20);
  };
  ASSERT_TRUE(ws.sizeFromEdge(top, edge::kRight, {10, 10, 400, 300}));
  EXPECT_EQ(ws.boundsOf(top), (Rect{10, 10, 160, 300}));
  window->run([&] { window->remove(&block); });
}

TEST_F(WindowTest, TheStatusBarIsDockedAtTheBottomOutsideTheLayout) {
  guitest::Block content(100, 30, 100000, 100000), bar(50, 20, 100000, 20);
  window->run([&] { window->add(&content); });
  window->setStatusBar(&bar);
  window->setSize(300, 200);
  Rect placed;
  window->run([&] { placed = Rect::fromSize(bar.getX(), bar.getY(), bar.getWidth(), bar.getHeight()); });
  EXPECT_EQ(placed, Rect::fromSize(0, 180, 300, 20));
  EXPECT_EQ(window->getComponentCount(), 1) << "the bar is no child of the layout";
  window->setStatusBar(nullptr);
  window->run([&] { window->remove(&content); });
}

TEST_F(WindowTest, UserTimersRaiseEvent26WithTheirIdAndNativeTimersBelowTheBaseDoNot) {
  input.useManualClock();
  window->setTimer(3, 100);
  ws.setTimer(top, 5, 50);  // a timer of the window's own below the user range
  input.advanceClock(std::chrono::milliseconds(60));
  input.advanceClock(std::chrono::milliseconds(60));
  EXPECT_TRUE(eventuallyCodes({26}));
  EXPECT_EQ(window->getTimerId(), 3);
  window->killTimer(3);
  input.advanceClock(std::chrono::milliseconds(300));
  window->run([] {});
  EXPECT_EQ(codes(), (std::vector<int>{26}));
}

TEST_F(WindowTest, MiddleClickActionsCloseOrIconize) {
  window->setVisible(true);
  window->setMiddleClickAction(u"Iconize");
  input.mouse(top, Kind::kButtonDown, {10, 10}, 2);
  EXPECT_TRUE(eventually([&] { return window->isIconized(); }));
  window->restore();
  EXPECT_TRUE(window->isVisible());
  window->setMiddleClickAction(u"Nonsense");  // ignored
  window->setMiddleClickAction(u"Close");
  input.mouse(top, Kind::kButtonDown, {10, 10}, 2);
  EXPECT_TRUE(eventually([&] { return window->isClosed(); }));
  EXPECT_EQ(window->getMiddleClickAction(), u"Close");
}

TEST_F(WindowTest, IconizeHidesIntoTheTrayAndComesBackWhenTheTrayGoes) {
  window->setVisible(true);
  window->setTitle(u"Song - Artist");
  window->iconize();
  EXPECT_TRUE(window->isIconized());
  EXPECT_FALSE(window->isVisible());
  auto* icon = desk().trayIcon(top);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->toolTip(), "Song - Artist");

  desk().setTrayAvailable(false);
  EXPECT_TRUE(eventually([&] { return !window->isIconized(); }));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, IconizeWithoutATrayMinimizesInsteadOfHiding) {
  desk().setTrayAvailable(false);
  window->setVisible(true);
  window->iconize();
  EXPECT_FALSE(window->isIconized());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isMinimized());
  EXPECT_EQ(desk().trayIcon(top), nullptr);
}

TEST_F(WindowTest, TrayClicksAndTheTrayMenuReachTheWindow) {
  s::thread::Pooled<PopupMenu> menu{PopupMenu::create()};
  menu->addItem(MenuItem::fromText(u"Exit", 40));
  guitest::Heard heard;
  menu->addListener(&heard);
  window->setTrayMenu(menu.get());
  window->showTrayIcon(true);
  auto* icon = desk().trayIcon(top);
  ASSERT_NE(icon, nullptr);
  icon->openMenu();
  EXPECT_TRUE(eventuallyCodes({18}));
  EXPECT_EQ(icon->menu(), menu->toModel());
  icon->click({5, 5});  // the window was not in front: it is activated
  EXPECT_TRUE(eventuallyCodes({18, 6, 22}));
  ASSERT_TRUE(icon->chooseFromMenu(40));
  EXPECT_TRUE(eventually([&] { return !heard.events.empty(); }));
  EXPECT_EQ(menu->getChosenId(), 40);
  window->setTrayMenu(nullptr);
}

TEST_F(WindowTest, ARightClickOpensTheContextMenuAndItsCommandGoesToTheHoldingMenu) {
  s::thread::Pooled<PopupMenu> tray{PopupMenu::create()};
  tray->addItem(MenuItem::fromText(u"Show", 1));
  PopupMenu* context = PopupMenu::create();
  context->addItem(MenuItem::fromText(u"Play", 2));
  PopupMenu* sub = PopupMenu::create();
  sub->setTitle(u"Repeat");
  sub->addItem(MenuItem::fromText(u"All", 3));
  context->addSubMenu(sub);
  guitest::Heard trayHeard, contextHeard;
  tray->addListener(&trayHeard);
  context->addListener(&contextHeard);
  window->setTrayMenu(tray.get());
  window->setContextMenu(context, true);
  window->setVisible(true);

  desk().scriptMenuChoice(3);
  input.mouse(top, Kind::kButtonDown, {30, 30}, 1);
  EXPECT_TRUE(eventually([&] { return contextHeard.events.size() == 1; }));
  EXPECT_EQ(codes(), (std::vector<int>{6, 3, 19}));
  EXPECT_EQ(context->getChosenId(), 3);
  auto requests = desk().requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].menu, context->toModel());
  EXPECT_EQ(requests[0].edge, desktop::MenuEdge::kTop);

  ws.post(top, msg::kCommand, 1);
  ws.post(top, msg::kCommand, 99);  // held by no menu
  EXPECT_TRUE(eventually([&] { return trayHeard.events.size() == 1; }));
  EXPECT_EQ(tray->getChosenId(), 1);
  window->setTrayMenu(nullptr);
}

// Runs a command that changes the menu it came from, as choosing "New list" adds a list's entry.
struct GrowsOnChoice : s::gui::events::IEventListener {
  PopupMenu* menu = nullptr;
  void onEvent(s::base::IObject*, int) override { menu->addItem(MenuItem::fromText(u"Stop", 4)); }
};

TEST_F(WindowTest, MenusAreBuiltAheadWhenSetAndAgainAfterEachOpening) {
  s::thread::Pooled<PopupMenu> tray{PopupMenu::create()};
  tray->addItem(MenuItem::fromText(u"Show", 1));
  PopupMenu* context = PopupMenu::create();
  context->addItem(MenuItem::fromText(u"Play", 2));
  GrowsOnChoice grows;
  grows.menu = context;
  context->addListener(&grows);
  window->setContextMenu(context, true);
  window->setTrayMenu(tray.get());
  EXPECT_EQ(desk().preparedMenus(), (std::vector<desktop::MenuModel>{context->toModel(), tray->toModel()}));

  window->setVisible(true);
  desk().scriptMenuChoice(2);
  input.mouse(top, Kind::kButtonDown, {30, 30}, 1);
  ASSERT_TRUE(eventually([&] { return desk().preparedMenus().size() == 4; }));
  auto prepared = desk().preparedMenus();
  desktop::MenuModel grown;
  window->run([&] { grown = context->toModel(); });
  ASSERT_EQ(grown.size(), 2u);
  EXPECT_EQ(prepared[2], grown) << "the menu as the command left it";
  EXPECT_EQ(prepared[3], tray->toModel());
  window->setTrayMenu(nullptr);
}

TEST_F(WindowTest, EachStyleSwitchChangesItsOwnPartOfWhatTheWindowManagerOffers) {
  EXPECT_EQ(ws.frameStyleOf(top), FrameStyle{}) << "no title bar of the manager's, everything offered";
  struct Switch {
    const char* what;
    void (s::gui::win::Window::*set)(bool);
    bool FrameStyle::*field;
  } switches[] = {
      {"maximize box", &s::gui::win::Window::setMaximizeBox, &FrameStyle::maximizable},
      {"minimize box", &s::gui::win::Window::setMinimizeBox, &FrameStyle::minimizable},
      {"system menu", &s::gui::win::Window::setSystemMenu, &FrameStyle::windowMenu},
      {"caption", &s::gui::win::Window::setCaption, &FrameStyle::titleBar},
      {"tool window", &s::gui::win::Window::setToolWindow, &FrameStyle::toolWindow},
      {"resizable frame", &s::gui::win::Window::setResizableFrame, &FrameStyle::resizable},
  };
  for (const Switch& sw : switches) {
    FrameStyle before = ws.frameStyleOf(top);
    bool flipped = !(before.*sw.field);
    (window.get()->*sw.set)(flipped);
    FrameStyle expected = before;
    expected.*sw.field = flipped;
    EXPECT_EQ(ws.frameStyleOf(top), expected) << sw.what;
  }
}

TEST_F(WindowTest, MessageBoxesAreDesktopDialogsOwnedByTheWindow) {
  window->setTitle(u"Sonvia");
  window->showInfo(u"Saved.");
  window->showError(u"The file is damaged.");
  desk().scriptAnswer(true);
  EXPECT_TRUE(window->ask(u"Remove?"));
  EXPECT_FALSE(window->ask(u"Remove?")) << "nothing scripted: No";
  auto r = desk().requests();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].messageKind, desktop::MessageKind::kInformation);
  EXPECT_EQ(r[0].text, "Saved.");
  EXPECT_EQ(r[0].title, "Sonvia");
  EXPECT_EQ(r[0].owner, top);
  EXPECT_EQ(r[1].messageKind, desktop::MessageKind::kError);
  EXPECT_EQ(r[2].messageKind, desktop::MessageKind::kQuestion);
}

TEST_F(WindowTest, HotKeysAreReportedAsUnavailable) {
  EXPECT_FALSE(window->hotKeysAvailable());
  EXPECT_FALSE(window->registerHotKey(u"PlayPause", 2 | 4, 'P', true));
  EXPECT_FALSE(window->isHotKey(u"PlayPause"));
  auto r = desk().requests();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_NE(r[0].text.find("Ctrl+Shift+80"), std::string::npos) << r[0].text;
}

TEST_F(WindowTest, OpacityOnlyOnTopAppliesWhileKeptOnTop) {
  window->setOpacity(90, true);
  EXPECT_EQ(ws.opacityOf(top), 100);
  window->setKeepOnTop(true);
  EXPECT_TRUE(ws.isKeptOnTop(top));
  EXPECT_EQ(ws.opacityOf(top), 90);
  window->setKeepOnTop(false);
  EXPECT_EQ(ws.opacityOf(top), 100);
}

TEST_F(WindowTest, PaintsThroughTheSkinsWindowDrawerAndShapesTheWindowWithItsRegion) {
  window->setVisible(true);
  window->run([&] { ws.update(top); });
  EXPECT_EQ(window->backBufferSize(), (Size{0, 0})) << "no drawer: no back buffer";
  s::thread::Pooled<s::gui::drawer::Skinner> skinner{s::gui::drawer::Skinner::createSkinner()};
  skinner->selectSkin(u"");
  ASSERT_NE(skinner->getCurrentSkin(), nullptr);
  window->setSkinner(skinner.get());
  window->run([&] { ws.update(top); });
  EXPECT_EQ(window->backBufferSize(), (Size{240, 120}));
  Image shown;
  window->run([&] { shown = ws.snapshot(top); });
  auto* drawn = skinner->getCurrentSkin()->getWindow();
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(shown.pixel(120, 60), drawn->background()) << "the drawer's background, not the default grey";
  EXPECT_NE(shown.pixel(0, 60), shown.pixel(120, 60)) << "a frame around it";
  window->setSize(220, 110);  // shrinking a little keeps the buffer
  window->run([&] { ws.update(top); });
  EXPECT_EQ(window->backBufferSize(), (Size{240, 120}));
  EXPECT_TRUE(ws.shapeOf(top).has_value());
  window->setSkinner(nullptr);
}

TEST_F(WindowTest, TheEndOfTheSessionRunsTheNormalCloseSequence) {
  // As when the desktop session ends: the signal only wakes the watcher, and the window closes
  // on its own thread with its close listeners heard. (The handlers are the default ones after.)
  std::raise(SIGHUP);
  window->waitUntilClosed();
  EXPECT_TRUE(window->isSessionEnding());
  EXPECT_EQ(codes(), (std::vector<int>{1}));
}

}  // namespace
