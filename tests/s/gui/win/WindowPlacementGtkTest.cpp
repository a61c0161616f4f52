// The application window's placement, easy drag and transparency on a real desktop: GTK on the
// test's X display under openbox, the user's hands from xdotool, and what the window manager
// was told read back with xprop and xdotool.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui/WindowSystem.h"
#include "s/gui/win/Window.h"
#include "tests/platform/ui/desktop/GtkDesktopFixture.h"
#include "tests/s/app/win/AppSettingsFixture.h"
#include "tests/support/CliRun.h"

namespace {

using namespace platform::ui;
using namespace desktoptest;
using s::gui::win::Window;

std::string output(const std::string& command) { return testing_support::runShell(command).out; }

class WindowPlacementGtkTest : public GtkDesktopFixture {
 protected:
  void SetUp() override {
    GtkDesktopFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ws_->show(top_, false);  // the fixture's own window would lie under ours
    app_ = apptest::startApp();
    appWindow_ = apptest::mainWindow(*app_, *ws_);
    window_ = std::make_unique<Window>(*ws_);
    ASSERT_TRUE(window_->started()) << window_->startError();
    window_->setAppWindow(appWindow_.get());
    window_->setTitle(u"Sonvia placement test");
  }
  void TearDown() override { window_.reset(); }

  std::string windowId() {
    std::string id;
    waitFor([&] {
      id = output("xdotool search --name 'Sonvia placement test' 2>/dev/null | head -1 | tr -d '\\n '");
      return !id.empty();
    });
    return id;
  }
  // The window's alpha as the window manager was told it (255 without the property).
  int alphaSeen(const std::string& id) {
    const std::string text = output("xprop -id " + id + " _NET_WM_WINDOW_OPACITY");
    const auto equals = text.find("= ");
    if (equals == std::string::npos) return 255;
    return static_cast<int>(std::stod(text.substr(equals + 2)) * 255.0 / 4294967295.0);
  }

  apptest::PrivateConfigHome home_;
  s::thread::Pooled<s::app::win::AppBase> app_;
  s::thread::Pooled<s::app::win::AppWindow> appWindow_;
  std::unique_ptr<Window> window_;
};

TEST_F(WindowPlacementGtkTest, ShowsCentredAndMovesByItsBackgroundUnderTheWindowManager) {
  window_->show(true, true);
  const std::string id = windowId();
  ASSERT_FALSE(id.empty());
  const Rect work = ws_->workArea();
  const Rect centred = work.centred({350, 280});
  EXPECT_EQ(ws_->boundsOf(window_->topHandle()), centred);

  const Point grab{centred.left + 40, centred.top + 40};
  ASSERT_TRUE(xdotool("mousemove " + std::to_string(grab.x) + " " + std::to_string(grab.y) +
                      " mousedown 1 mousemove " + std::to_string(grab.x + 60) + " " +
                      std::to_string(grab.y + 30) + " mouseup 1"));
  EXPECT_TRUE(waitFor([&] {
    return ws_->boundsOf(window_->topHandle()).topLeft() == Point{centred.left + 60, centred.top + 30};
  })) << "the drag did not move the window";
  EXPECT_TRUE(waitFor([&] {
    return output("xdotool getwindowgeometry " + id).find(std::to_string(centred.left + 60) + "," +
                                                          std::to_string(centred.top + 30)) !=
           std::string::npos;
  })) << output("xdotool getwindowgeometry " + id);

  window_->show(false, false);
  EXPECT_EQ(appWindow_->getStoredX(), centred.left + 60);
  EXPECT_EQ(appWindow_->getStoredY(), centred.top + 30);
}

TEST_F(WindowPlacementGtkTest, OpacityOnlyOnTopReachesTheWindowManagerOnlyWhileKeptOnTop) {
  window_->show(true, true);
  const std::string id = windowId();
  ASSERT_FALSE(id.empty());
  window_->setOpacity(90, true);
  window_->run([] {});
  EXPECT_EQ(alphaSeen(id), 255);
  window_->setKeepOnTop(true);
  EXPECT_TRUE(waitFor([&] { return alphaSeen(id) == 229; })) << alphaSeen(id);
  window_->setOpacity(10, false);
  EXPECT_TRUE(waitFor([&] { return alphaSeen(id) == 25; })) << alphaSeen(id);
  window_->setOpacity(100, false);
  EXPECT_TRUE(waitFor([&] {
    return output("xprop -id " + id + " _NET_WM_WINDOW_OPACITY").find("= ") == std::string::npos;
  })) << "opaque again: the property is gone";
}

}  // namespace
