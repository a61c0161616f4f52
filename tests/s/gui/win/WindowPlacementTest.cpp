// A window bound to the player's application window on the real settings hive: where it appears,
// what it keeps between starts, and how it moves, hides and comes back. One 1280 x 1024 monitor
// with a 40-pixel panel at the bottom unless a test attaches others.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "s/map/IMappedData.h"
#include "tests/s/app/win/AppSettingsFixture.h"
#include "tests/s/gui/win/WindowTestSupport.h"

namespace {

using namespace wintest;
using Kind = InputEvent::Kind;
using s::gui::win::Window;

class WindowPlacementTest : public WindowTest {
 protected:
  // The window goes first: it holds the application's language table.
  ~WindowPlacementTest() override { window.reset(); }

  apptest::PrivateConfigHome home_;
  s::thread::Pooled<s::app::win::AppBase> app = apptest::startApp();
  s::thread::Pooled<s::app::win::AppWindow> appWindow = apptest::mainWindow(*app, ws);

  s::map::IMappedData& store() { return *app->getSettings(); }
  Rect bounds() { return ws.boundsOf(top); }
  HeadlessBackend& backend() { return static_cast<HeadlessBackend&>(ws.backend()); }
  // A left-button drag on the window's background from `client` by (dx, dy) on the screen.
  void drag(Point client, int dx, int dy) {
    const Point from = ws.clientToScreen(top, client);
    input.mouse(top, Kind::kButtonDown, client);
    InputEvent move;
    move.kind = Kind::kMouseMove;
    move.window = top;
    move.screen = {from.x + dx, from.y + dy};
    move.point = {client.x + dx, client.y + dy};
    input.inject(move);
    move.kind = Kind::kButtonUp;
    input.inject(move);
    window->run([] {});
  }
};

TEST_F(WindowPlacementTest, TheFirstStartIsCentredAndTheNextStartShowsTheWindowWhereItWasLeft) {
  window->setAppWindow(appWindow.get());
  window->show(true, true);
  EXPECT_EQ(bounds(), Rect::fromSize(465, 352, 350, 280)) << "centred in the work area";
  window->setBounds(100, 120, 400, 300);
  window->close();
  ASSERT_TRUE(window->isClosed());
  window.reset();
  appWindow.reset();
  app.reset();

  app = apptest::startApp();
  appWindow = apptest::mainWindow(*app, ws);
  Window again(ws);
  again.setAppWindow(appWindow.get());
  again.show(true, true);
  EXPECT_EQ(ws.boundsOf(again.topHandle()), Rect::fromSize(100, 120, 400, 300));
  again.close();
}

TEST_F(WindowPlacementTest, APositionOffEveryMonitorComesBackCentredInTheWorkArea) {
  struct Case {
    int x, y;
    bool kept;
  };
  // 400 x 300: the virtual screen keeps a 10-pixel strip of it or the window is lost.
  const std::vector<Case> cases = {
      {3000, 100, false}, {1271, 100, false}, {1270, 100, true}, {-391, 100, false},
      {-390, 100, true},  {100, -291, false}, {100, 1015, false}, {100, 1014, true},
  };
  for (const Case& c : cases) {
    appWindow->storeBounds(c.x, c.y, 400, 300);
    Window shown(ws);
    shown.setAppWindow(appWindow.get());
    shown.show(true, false);
    const Rect expected = c.kept ? Rect::fromSize(c.x, c.y, 400, 300) : Rect::fromSize(440, 342, 400, 300);
    EXPECT_EQ(ws.boundsOf(shown.topHandle()), expected) << c.x << "," << c.y;
  }
}

TEST_F(WindowPlacementTest, AWindowLeftOnASecondMonitorThatIsGoneReturnsToThePrimaryOne) {
  backend().setMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                         {{1280, 0, 3200, 1080}, {1280, 0, 3200, 1080}, false}});
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->setLocation(2000, 300);
  window->show(false, false);
  EXPECT_EQ(appWindow->getStoredX(), 2000);

  backend().setMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true}});
  window->show(true, false);
  EXPECT_EQ(bounds(), Rect::fromSize(465, 352, 350, 280));
}

TEST_F(WindowPlacementTest, OpacityOnlyOnTopIsOpaqueUntilKeptOnTop) {
  window->setAppWindow(appWindow.get());
  window->setOpacity(90, true);
  EXPECT_EQ(window->getOpacityAlpha(), 255);
  EXPECT_EQ(ws.opacityOf(top), 100);
  window->setKeepOnTop(true);
  EXPECT_EQ(window->getOpacityAlpha(), 229);
  EXPECT_TRUE(store().getBool(u"MainWindow\\View", u"KeepOnTop", false));
  window->setKeepOnTop(false);
  EXPECT_EQ(window->getOpacityAlpha(), 255);
  EXPECT_FALSE(store().getBool(u"MainWindow\\View", u"KeepOnTop", true));

  struct Case {
    int percent, alpha;
  };
  for (const Case& c : std::vector<Case>{{10, 25}, {100, 255}, {50, 127}, {0, 0}, {1, 2}}) {
    window->setOpacity(c.percent, false);
    EXPECT_EQ(window->getOpacityAlpha(), c.alpha) << c.percent;
    EXPECT_EQ(ws.opacityOf(top), c.percent);
  }
}

TEST_F(WindowPlacementTest, ActivatingRaisesTheWindowButLeavesKeepOnTopAsTheUserSetIt) {
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->activate(true);
  EXPECT_TRUE(window->isActive());
  EXPECT_EQ(ws.activeWindow(), top);
  EXPECT_FALSE(window->isKeptOnTop());
  EXPECT_FALSE(ws.isKeptOnTop(top));
  EXPECT_FALSE(store().hasValue(u"MainWindow\\View", u"KeepOnTop")) << "activating stores nothing";

  window->setKeepOnTop(true);
  window->activate(false);
  window->activate(true);
  EXPECT_TRUE(ws.isKeptOnTop(top));
  EXPECT_TRUE(appWindow->getKeepOnTop());
}

TEST_F(WindowPlacementTest, KeepInScreenStopsMovesAndDragsAtTheWorkAreaWithOneMonitor) {
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->setKeepInScreen(true);
  window->setLocation(1200, 900);
  EXPECT_EQ(bounds(), Rect::fromSize(930, 704, 350, 280)) << "stopped at the panel";
  drag({20, 20}, 100, 100);
  EXPECT_TRUE(eventually([&] { return bounds() == Rect::fromSize(930, 704, 350, 280); })) << "stopped at the edge";
  drag({200, 150}, -100, -50);  // elsewhere: the same point again would be a double click
  EXPECT_TRUE(eventually([&] { return bounds() == Rect::fromSize(830, 654, 350, 280); }));
  window->setLocation(-50, -50);
  EXPECT_EQ(bounds().topLeft(), (Point{0, 0}));

  window->setKeepInScreen(false);
  window->setLocation(1200, 900);
  EXPECT_EQ(bounds().topLeft(), (Point{1200, 900}));
  window->keepInScreenNow();  // once, against the whole screen
  EXPECT_EQ(bounds().topLeft(), (Point{930, 744}));
}

TEST_F(WindowPlacementTest, KeepInScreenUsesTheWholeVirtualScreenWithTwoMonitors) {
  backend().setMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                         {{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}, false}});
  window->setAppWindow(appWindow.get());
  window->setLocation(3100, 1000);
  window->setKeepInScreen(true);
  EXPECT_EQ(bounds().topLeft(), (Point{2850, 800}));
}

TEST_F(WindowPlacementTest, EasyDragMovesTheWindowByItsBackgroundAndIsStored) {
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->setLocation(100, 100);
  clearCodes();
  drag({30, 30}, 40, 25);
  // Injected input reaches the window through its queue, behind nothing the test can wait on.
  EXPECT_TRUE(eventually([&] { return bounds().topLeft() == Point{140, 125}; })) << "not moved by the drag";
  const std::vector<int> heard = codes();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), IWindow::kLeftButtonDown), 0) << "the drag took the press";

  window->setEasyDrag(false);
  EXPECT_FALSE(appWindow->getEasyDrag());
  clearCodes();
  drag({30, 30}, 40, 25);
  EXPECT_TRUE(eventually([&] {
    return std::count(log.codes.begin(), log.codes.end(), IWindow::kLeftButtonUp) == 1;
  })) << "the release of the press never came";
  const std::vector<int> after = codes();
  EXPECT_EQ(std::count(after.begin(), after.end(), IWindow::kLeftButtonDown), 1);
  EXPECT_EQ(bounds().topLeft(), (Point{140, 125})) << "moved without easy drag";
}

TEST_F(WindowPlacementTest, ALeftClickOnTheTrayIconHidesTheWindowInFrontAndBringsItBack) {
  Window other(ws);  // the user works in another window
  other.setVisible(true);
  other.activate(true);
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->minimize();
  window->showTrayIcon(true);
  auto* icon = desk().trayIcon(top);
  ASSERT_NE(icon, nullptr);
  icon->click({5, 5});
  EXPECT_TRUE(eventually([&] { return window->isActive() && !window->isMinimized(); }))
      << "behind another window: brought forward";
  EXPECT_FALSE(window->isIconized());

  icon->click({5, 5});
  EXPECT_TRUE(eventually([&] { return window->isIconized(); })) << "in front: hidden";
  EXPECT_FALSE(window->isVisible());
  icon->click({5, 5});
  EXPECT_TRUE(eventually([&] { return !window->isIconized() && window->isVisible(); }));
  EXPECT_EQ(std::count(log.codes.begin(), log.codes.end(), IWindow::kTrayLeftClick), 3);
  other.close();
}

TEST_F(WindowPlacementTest, BringToFrontRestoresAnIconizedOrMinimizedWindow) {
  window->setAppWindow(appWindow.get());
  window->show(true, true);
  window->iconize();
  ASSERT_TRUE(window->isIconized());
  window->bringToFront();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isIconized());
  EXPECT_TRUE(window->isActive());
  window->minimize();
  window->activate(false);
  window->bringToFront();
  EXPECT_FALSE(window->isMinimized());
  EXPECT_TRUE(window->isActive());
}

TEST_F(WindowPlacementTest, HidingAMaximizedWindowStoresThatItWasAndShowingMaximizesItAgain) {
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->setBounds(50, 60, 300, 200);
  window->maximize();
  window->show(false, false);
  EXPECT_TRUE(appWindow->getMaximized());
  EXPECT_FALSE(appWindow->hasStoredPosition()) << "a maximized window keeps its normal place";
  {
    Window next(ws);  // the next start
    next.setAppWindow(appWindow.get());
    next.show(true, false);
    EXPECT_TRUE(next.isMaximized());
  }
  window->show(true, false);
  window->restore();
  EXPECT_FALSE(appWindow->getMaximized());
  window->show(false, false);
  EXPECT_EQ(appWindow->getStoredX(), 50);
  EXPECT_EQ(appWindow->getStoredHeight(), 200);
}

TEST_F(WindowPlacementTest, TheStoredMiddleClickActionRunsAfterTheListenersAndChangesAreStored) {
  store().setString(u"MainWindow\\View", u"OnMClick", u"iconize");
  auto configured = apptest::mainWindow(*app, ws);
  window->setAppWindow(configured.get());
  window->show(true, false);
  input.mouse(top, Kind::kButtonDown, {10, 10}, 2);
  EXPECT_TRUE(eventually([&] { return window->isIconized(); }));
  EXPECT_NE(std::find(log.codes.begin(), log.codes.end(), IWindow::kMiddleButtonDown), log.codes.end());
  window->setMiddleClickAction(u"CLOSE");
  EXPECT_EQ(window->getMiddleClickAction(), u"Close");
  EXPECT_EQ(std::u16string(store().getString(u"MainWindow\\View", u"OnMClick", u"")), u"Close");
  window->setAppWindow(nullptr);
}

TEST_F(WindowPlacementTest, ADoubleClickOnTheBackgroundIsTheTitleBarsDoubleClickWithOrWithoutEasyDrag) {
  window->setAppWindow(appWindow.get());
  window->show(true, false);
  window->setLocation(100, 100);
  for (bool easyDrag : {true, false}) {
    SCOPED_TRACE(easyDrag);
    window->setEasyDrag(easyDrag);
    clearCodes();
    input.click(top, {40, 20});
    input.click(top, {40, 20});
    EXPECT_TRUE(eventually([&] {
      return std::count(log.codes.begin(), log.codes.end(), IWindow::kTitleDoubleClick) == 1;
    }));
    EXPECT_EQ(bounds().topLeft(), (Point{100, 100}));
    // Elsewhere, so that the next round's first click is not taken for a third one.
    input.click(top, {200, 30});
  }
}

}  // namespace
