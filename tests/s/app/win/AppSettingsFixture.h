#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "s/app/win/AppBase.h"
#include "s/app/win/AppWindow.h"
#include "s/map/IMappedData.h"
#include "s/thread/Pooled.h"
#include "tests/support/TempDir.h"

namespace apptest {

// The program's real settings hive in a private folder while it lives.
class PrivateConfigHome {
 public:
  PrivateConfigHome() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
      hadConfig_ = true;
      oldConfig_ = old;
    }
    setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
  }
  ~PrivateConfigHome() {
    hadConfig_ ? setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  }
  PrivateConfigHome(const PrivateConfigHome&) = delete;
  PrivateConfigHome& operator=(const PrivateConfigHome&) = delete;

 private:
  testing_support::TempDir dir_;
  bool hadConfig_ = false;
  std::string oldConfig_;
};

// An application object started as the program starts it (on the hive XDG_CONFIG_HOME names).
inline s::thread::Pooled<s::app::win::AppBase> startApp() {
  const char* argv[] = {"sonvia"};
  auto app = s::thread::holdPooled(s::app::win::AppBase::create());
  app->init(1, argv, {});
  return app;
}

// The player's application window as the program makes it, its sizes limited by `ws`.
inline s::thread::Pooled<s::app::win::AppWindow> mainWindow(s::app::win::AppBase& app,
                                                            platform::ui::WindowSystem& ws) {
  auto* made = static_cast<s::app::win::AppWindow*>(
      app.createAppWindow(u"MainWindow", 350, 280, false, u"DoNothing"));
  made->setScreen(&ws);
  return s::thread::holdPooled(made);
}

class AppSettingsFixture : public ::testing::Test {
 protected:
  PrivateConfigHome home_;
};

}  // namespace apptest
