#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "tests/platform/ui/desktop/DesktopSession.h"

namespace desktoptest {

using namespace platform::ui;

// A real GTK window system on the test's display, with a window manager, one visible window
// whose procedure keeps what it was sent, and xdotool for the user's hands.
class GtkDesktopFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = std::make_unique<PrivateDisplay>();
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "needs Xvfb or an X display: run scripts/setup";
    ASSERT_TRUE(xdotool("version >/dev/null")) << "xdotool is missing: run scripts/setup";
    // The file chooser keeps its settings through the session bus, which the test does not need;
    // nor GTK's accessibility bridge.
    setenv("GSETTINGS_BACKEND", "memory", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    wm_ = std::make_unique<WindowManager>();
    ASSERT_TRUE(wm_->running()) << "no window manager runs and openbox could not be started";
    std::string error;
    auto backend = GtkBackend::create(error);
    ASSERT_TRUE(backend) << error;
    ws_ = std::make_unique<WindowSystem>(std::move(backend));
    top_ = window(Rect::fromSize(100, 300, 300, 200), u"Sonvia desktop test");
  }

  Handle window(Rect bounds, const std::u16string& title) {
    WindowSetup setup;
    setup.bounds = bounds;
    setup.title = title;
    setup.visible = true;
    setup.proc = [this](const Message& m) -> LResult {
      if (m.code == msg::kDropFiles) dropped_ = reinterpret_cast<DroppedFiles*>(m.lParam)->paths;
      if (m.code == msg::kLButtonDown && onPress_) onPress_(m.window);
      seen_.push_back(m);
      return ws_->defaultProc(m);
    };
    Handle w = ws_->create(setup);
    ws_->activate(w);
    return w;
  }

  platform::ui::desktop::DesktopServices& desktop() { return ws_->backend().desktop(); }

  std::vector<Message> posted(std::uint32_t code) const {
    std::vector<Message> out;
    for (const Message& m : seen_)
      if (m.code == code) out.push_back(m);
    return out;
  }
  bool menuClosedAfter(std::size_t count) {
    return pumpUntil(*ws_, [&] { return posted(msg::kMenuClosed).size() >= count; });
  }

  std::unique_ptr<PrivateDisplay> display_;  // before all that uses the display, so it goes last
  std::unique_ptr<WindowManager> wm_;
  std::unique_ptr<WindowSystem> ws_;
  Handle top_ = kNoWindow;
  std::vector<Message> seen_;
  std::vector<std::string> dropped_;
  std::function<void(Handle)> onPress_;
};

}  // namespace desktoptest
