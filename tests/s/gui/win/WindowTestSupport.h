#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/TestInjector.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/HeadlessDesktop.h"
#include "platform/ui/desktop/HeadlessTrayIcon.h"
#include "s/gui/win/Window.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace wintest {

using namespace platform::ui;
using s::gui::IWindow;

// Hears window events on the window's thread; the test reads them through the window.
struct EventLog : s::gui::events::IEventListener {
  std::vector<int> codes;
  std::function<void(int)> then;  // runs after recording, on the window's thread
  void onEvent(s::base::IObject*, int code) override {
    codes.push_back(code);
    if (then) then(code);
  }
};

// A real window with its own thread on a headless window system of its own.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() : window(std::make_unique<s::gui::win::Window>(ws)) {
    top = window->topHandle();
    for (int code = 1; code <= IWindow::kLastEvent; ++code) window->addWindowListener(code, &log);
  }
  ~WindowTest() override { window.reset(); }

  desktop::HeadlessDesktop& desk() { return static_cast<desktop::HeadlessDesktop&>(ws.backend().desktop()); }

  std::vector<int> codes() {
    std::vector<int> out;
    window->run([&] { out = log.codes; });
    return out;
  }
  void clearCodes() {
    window->run([&] { log.codes.clear(); });
  }
  // Waits (generously bounded) until `done` holds, read on the window's thread.
  bool eventually(const std::function<bool()>& done) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
      bool ok = false;
      if (!window->run([&] { ok = done(); })) ok = done();
      if (ok) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  bool eventuallyCodes(const std::vector<int>& expected) {
    return eventually([&] { return log.codes == expected; });
  }

  WindowSystem ws{std::make_unique<HeadlessBackend>()};
  TestInjector input{ws};
  EventLog log;
  std::unique_ptr<s::gui::win::Window> window;
  Handle top = kNoWindow;
};

}  // namespace wintest
