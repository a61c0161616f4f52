// The application window's settings on the real hive: where they live, what a hand-edited or
// stale value reads as, and the middle-click action.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/drawer/Skinner.h"
#include "tests/s/app/win/AppSettingsFixture.h"

namespace {

using apptest::mainWindow;
using apptest::startApp;
using s::app::win::AppWindow;

// One 1280 x 1024 monitor (the headless backend's own).
class AppWindowTest : public apptest::AppSettingsFixture {
 protected:
  platform::ui::WindowSystem ws{std::make_unique<platform::ui::HeadlessBackend>()};
  s::thread::Pooled<s::app::win::AppBase> app = startApp();
  s::map::IMappedData& store() { return *app->getSettings(); }
};

TEST_F(AppWindowTest, NothingStoredGivesTheConfiguredDefaults) {
  auto window = mainWindow(*app, ws);
  EXPECT_EQ(window->getSection(u"View"), u"MainWindow\\View");
  EXPECT_EQ(window->getTitleTextId(), 500000);
  EXPECT_FALSE(window->hasStoredPosition());
  EXPECT_EQ(window->getStoredWidth(), 350);
  EXPECT_EQ(window->getStoredHeight(), 280);
  EXPECT_TRUE(window->isStoredWidthValid());
  EXPECT_TRUE(window->getEasyDrag());
  EXPECT_FALSE(window->getMaximized());
  EXPECT_FALSE(window->getKeepOnTop());
  EXPECT_EQ(window->getMiddleClickAction(), u"DoNothing");
  EXPECT_FALSE(window->hasOwnSkin());
}

TEST_F(AppWindowTest, PlacementIsStoredInTheViewSectionAndCanBeForgotten) {
  auto window = mainWindow(*app, ws);
  window->storeBounds(-40, 25, 400, 300);
  window->storeKeepOnTop(true);
  EXPECT_EQ(store().getS32(u"MainWindow\\View", u"X", 0), -40);
  EXPECT_EQ(store().getS32(u"MainWindow\\View", u"Y", 0), 25);
  EXPECT_EQ(store().getS32(u"MainWindow\\View", u"Width", 0), 400);
  EXPECT_EQ(store().getS32(u"MainWindow\\View", u"Height", 0), 300);
  EXPECT_TRUE(store().getBool(u"MainWindow\\View", u"KeepOnTop", false));

  auto again = mainWindow(*app, ws);  // another start reads what this one stored
  EXPECT_TRUE(again->hasStoredPosition());
  EXPECT_EQ(again->getStoredX(), -40);
  EXPECT_EQ(again->getStoredWidth(), 400);
  EXPECT_TRUE(again->getKeepOnTop());

  window->forgetPlacement();
  EXPECT_FALSE(again->hasStoredPosition());
  EXPECT_FALSE(again->hasStoredWidth());
  EXPECT_EQ(again->getStoredHeight(), 280);
  EXPECT_TRUE(again->getKeepOnTop()) << "only the placement is forgotten";
}

// A size written by hand or on a larger desktop is reported invalid and read as the nearest
// size the screen holds, never as a window too small to grab or larger than every monitor.
TEST_F(AppWindowTest, StoredSizesOutsideTheScreenAreInvalidAndReadWithinIt) {
  struct Case {
    int stored;
    bool valid;
    int widthRead, heightRead;
  };
  const std::vector<Case> cases = {
      {10, true, 10, 10},         {9, false, 10, 10},        {0, false, 10, 10},
      {-300, false, 10, 10},      {1024, true, 1024, 1024},  {1280, true, 1280, 1024},
      {1281, false, 1280, 1024},  {100000, false, 1280, 1024},
  };
  auto window = mainWindow(*app, ws);
  for (const Case& c : cases) {
    store().setS32(u"MainWindow\\View", u"Width", c.stored);
    store().setS32(u"MainWindow\\View", u"Height", c.stored);
    EXPECT_EQ(window->isStoredWidthValid(), c.valid) << c.stored;
    EXPECT_EQ(window->getStoredWidth(), c.widthRead) << c.stored;
    EXPECT_EQ(window->getStoredHeight(), c.heightRead) << c.stored;
  }
  store().setS32(u"MainWindow\\View", u"Height", 1025);
  EXPECT_FALSE(window->isStoredHeightValid());
}

TEST_F(AppWindowTest, TheStoredMiddleClickActionIsReadIgnoringCase) {
  struct Case {
    const char16_t* stored;  // nullptr: nothing stored
    const char16_t* configured;
    const char16_t* read;
  };
  const std::vector<Case> cases = {
      {nullptr, u"Iconize", u"Iconize"},    {u"iconize", u"DoNothing", u"Iconize"},
      {u"CLOSE", u"DoNothing", u"Close"},   {u"DoNothing", u"Close", u"DoNothing"},
      {u"Minimize", u"Close", u"DoNothing"}, {u"", u"Iconize", u"DoNothing"},
      {u" Close", u"Iconize", u"DoNothing"},
  };
  for (const Case& c : cases) {
    if (c.stored)
      store().setString(u"PlayerWindow\\View", u"OnMClick", c.stored);
    else
      store().removeValue(u"PlayerWindow\\View", u"OnMClick");
    auto window = s::thread::holdPooled(static_cast<AppWindow*>(
        app->createAppWindow(u"PlayerWindow", 350, 280, false, c.configured)));
    EXPECT_EQ(window->getMiddleClickAction(), c.read) << (c.stored ? "stored" : "none");
    EXPECT_EQ(window->isCloseOnMiddleClick(), std::u16string(c.read) == u"Close");
    EXPECT_EQ(window->isIconizeOnMiddleClick(), std::u16string(c.read) == u"Iconize");
  }
}

TEST_F(AppWindowTest, OnlyAKnownMiddleClickActionIsStored) {
  auto window = mainWindow(*app, ws);
  window->storeMiddleClickAction(u"iconize");
  EXPECT_EQ(window->getMiddleClickAction(), u"Iconize");
  EXPECT_EQ(std::u16string(store().getString(u"MainWindow\\View", u"OnMClick", u"")), u"Iconize");
  window->storeMiddleClickAction(u"Explode");
  EXPECT_EQ(window->getMiddleClickAction(), u"Iconize");
  EXPECT_EQ(std::u16string(store().getString(u"MainWindow\\View", u"OnMClick", u"")), u"Iconize");
}

TEST_F(AppWindowTest, AWindowWithItsOwnSkinTakesTheStoredOneOrItsConfiguredOne) {
  auto plain = s::thread::holdPooled(AppWindow::create());
  plain->configure(app.get(), u"AboutWindow", 340, 285, false, u"DoNothing", u"Classic LG");
  ASSERT_TRUE(plain->hasOwnSkin());
  s::gui::drawer::Skinner* skinner = plain->getSkinner();
  EXPECT_EQ(skinner, plain->getOwnSkinner());
  EXPECT_EQ(skinner->getSkin(skinner->findSkin(u"Classic LG")), skinner->getCurrentSkin());

  plain->storeWindowSkin(u"Sheer Black");
  auto stored = s::thread::holdPooled(AppWindow::create());
  stored->configure(app.get(), u"AboutWindow", 340, 285, false, u"DoNothing", u"Classic LG");
  s::gui::drawer::Skinner* own = stored->getSkinner();
  EXPECT_EQ(own->getSkin(own->findSkin(u"Sheer Black")), own->getCurrentSkin());
}

TEST_F(AppWindowTest, ThePlayersWindowComesWithTheSkins) {
  EXPECT_EQ(app->getMainWindow(), nullptr) << "a start that only hands over has none";
  app->loadSkins();
  s::app::IAppWindow* main = app->getMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->getWindowName(), u"MainWindow");
  EXPECT_EQ(main->getSkinner(), app->getSkinner());
  EXPECT_EQ(main->getMiddleClickAction(), u"DoNothing");
}

}  // namespace
