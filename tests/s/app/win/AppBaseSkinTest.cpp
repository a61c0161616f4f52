#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "s/app/win/AppBase.h"
#include "s/gui/drawer/Skinner.h"
#include "s/map/IMappedData.h"
#include "s/thread/Pooled.h"
#include "tests/support/TempDir.h"

namespace {

using s::app::win::AppBase;

// Settings go to a private folder for the test's life.
class AppBaseSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
      hadConfig_ = true;
      oldConfig_ = old;
    }
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
  }
  void TearDown() override {
    hadConfig_ ? setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  }

  // Starts an application object the way the program does, after storing `stored` as the skin.
  s::thread::Pooled<AppBase> start(const char16_t* stored) {
    const char* argv[] = {"sonvia"};
    if (stored) {
      auto app = s::thread::holdPooled(AppBase::create());
      app->init(1, argv, {});
      app->storeSkin(stored);
    }
    auto app = s::thread::holdPooled(AppBase::create());
    app->init(1, argv, {});
    app->loadSkins();
    return app;
  }

  testing_support::TempDir dir_;
  bool hadConfig_ = false;
  std::string oldConfig_;
};

std::u16string currentName(AppBase& app) {
  s::gui::drawer::Skinner* skinner = app.getSkinner();
  for (int i = 0; i < skinner->getSkinCount(); ++i)
    if (skinner->getSkin(i) == skinner->getCurrentSkin()) return skinner->getSkinName(i);
  return u"";
}

TEST_F(AppBaseSkinTest, TheStoredSkinOfTheBuiltInSetBecomesCurrent) {
  auto app = start(u"Sheer Black");
  ASSERT_TRUE(app->hasSkinner());
  EXPECT_GT(app->getSkinner()->getSkinCount(), 16);  // the built-in set, not the fallback skins
  EXPECT_EQ(app->getStoredSkin(), u"Sheer Black");
  EXPECT_EQ(currentName(*app), u"Sheer Black");
}

TEST_F(AppBaseSkinTest, NoStoredSkinOrAnUnknownOneGivesClassicLG) {
  for (const char16_t* stored : {static_cast<const char16_t*>(nullptr), u"No Such Skin", u""}) {
    auto app = start(stored);
    EXPECT_EQ(app->getStoredSkin(), u"Classic LG");
    EXPECT_EQ(currentName(*app), u"Classic LG");
  }
}

}  // namespace
