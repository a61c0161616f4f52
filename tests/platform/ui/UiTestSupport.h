#pragma once
#include <memory>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/TestInjector.h"
#include "platform/ui/WindowSystem.h"

namespace uitest {

using namespace platform::ui;

// Keeps every message a window procedure saw, then gives it the default handling.
struct Log {
  std::vector<Message> seen;
  WindowSystem* ws = nullptr;

  WindowProc proc() {
    return [this](const Message& m) {
      seen.push_back(m);
      return ws->defaultProc(m);
    };
  }
  std::vector<Message> of(Handle w, std::uint32_t code) const {
    std::vector<Message> out;
    for (const Message& m : seen)
      if (m.window == w && m.code == code) out.push_back(m);
    return out;
  }
  int count(Handle w, std::uint32_t code) const { return static_cast<int>(of(w, code).size()); }
  void clear() { seen.clear(); }
};

// A headless window system of its own for each test.
class UiTest : public ::testing::Test {
 protected:
  UiTest() : headless(new HeadlessBackend), ws(std::unique_ptr<Backend>(headless)) { log.ws = &ws; }

  Handle topLevel(Rect bounds = Rect::fromSize(100, 50, 200, 150), bool visible = true) {
    WindowSetup setup;
    setup.bounds = bounds;
    setup.proc = log.proc();
    setup.visible = visible;
    setup.title = u"Test";
    return ws.create(setup);
  }
  Handle child(Handle parent, Rect bounds, WindowProc proc = nullptr, Color background = rgb(240, 240, 240)) {
    WindowSetup setup;
    setup.parent = parent;
    setup.bounds = bounds;
    setup.proc = proc ? proc : log.proc();
    setup.visible = true;
    setup.background = background;
    return ws.create(setup);
  }

  Log log;  // before ws: windows still alive at the end call into it
  HeadlessBackend* headless;  // owned by ws
  WindowSystem ws;
  TestInjector input{ws};
};

}  // namespace uitest
