#include "platform/ui/TestInjector.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

namespace {

std::uint32_t nowMs() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void TestInjector::inject(InputEvent e) {
  if (e.timeMs == 0) e.timeMs = nowMs();
  static_cast<BackendSink&>(ws_).deliver(std::move(e));
}

void TestInjector::mouse(Handle top, InputEvent::Kind kind, Point client, int button, unsigned modifiers) {
  InputEvent e;
  e.kind = kind;
  e.window = top;
  e.point = client;
  e.screen = ws_.clientToScreen(top, client);
  e.button = button;
  e.modifiers = modifiers;
  inject(std::move(e));
}

void TestInjector::click(Handle top, Point client, int button) {
  mouse(top, InputEvent::Kind::kButtonDown, client, button);
  mouse(top, InputEvent::Kind::kButtonUp, client, button);
}

void TestInjector::wheel(Handle top, Point client, int delta) {
  InputEvent e;
  e.kind = InputEvent::Kind::kWheel;
  e.window = top;
  e.point = client;
  e.screen = ws_.clientToScreen(top, client);
  e.wheel = delta;
  inject(std::move(e));
}

void TestInjector::key(Handle top, unsigned virtualKey, unsigned modifiers, char32_t text) {
  InputEvent e;
  e.kind = InputEvent::Kind::kKeyDown;
  e.window = top;
  e.keyCode = virtualKey;
  e.modifiers = modifiers;
  inject(e);
  if (text != 0) {
    InputEvent c = e;
    c.kind = InputEvent::Kind::kChar;
    c.character = text;
    inject(c);
  }
  e.kind = InputEvent::Kind::kKeyUp;
  inject(e);
}

void TestInjector::drop(Handle top, Point client, std::vector<std::string> paths) {
  InputEvent e;
  e.kind = InputEvent::Kind::kDrop;
  e.window = top;
  e.point = client;
  e.screen = ws_.clientToScreen(top, client);
  e.paths = std::move(paths);
  inject(std::move(e));
}

void TestInjector::useManualClock() { ws_.loop().useManualClock(); }

void TestInjector::advanceClock(std::chrono::milliseconds by) { ws_.loop().advanceClock(by); }

}  // namespace platform::ui
