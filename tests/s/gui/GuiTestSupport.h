#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/TestInjector.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/events/IEventListener.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Host.h"
#include "s/thread/Pooled.h"

namespace guitest {

using namespace platform::ui;

// A leaf with the sizes a test gives it.
class Block : public s::gui::win::Component {
 public:
  Block(int minW, int minH, int maxW = -1, int maxH = -1) {
    setMinSize(minW, minH);
    setMaxSize(maxW < 0 ? minW : maxW, maxH < 0 ? minH : maxH);
  }
  const char16_t* typeName() const override { return u"guitest_Block"; }
  s::base::IObject* newInstance() const override { return nullptr; }
  using Component::setFixedHeight;
  using Component::setFixedWidth;
  using Component::setHeightPercent;
  using Component::setWidthPercent;
};

// Every event a listener heard, in order, as (source, code).
struct Heard : s::gui::events::IEventListener {
  std::vector<std::pair<s::base::IObject*, int>> events;
  void onEvent(s::base::IObject* source, int code) override { events.emplace_back(source, code); }
  std::vector<int> codes() const {
    std::vector<int> out;
    for (auto& e : events) out.push_back(e.second);
    return out;
  }
};

// A headless window system with one shown top-level window whose client area is the root box.
class GuiTest : public ::testing::Test {
 protected:
  explicit GuiTest(Size size = {200, 150}) {
    WindowSetup setup;
    setup.bounds = Rect::fromSize(100, 100, size.width, size.height);
    setup.visible = true;
    top = ws.create(setup);
    root.setBounds(0, 0, size.width, size.height);
    root.setBackgroundColor(240, 240, 240, false);
    root.hostIn(host, top);
  }
  ~GuiTest() override { root.setParent(nullptr); }

  void pump() { ws.processPending(); }
  // A point of a component in the top-level window's client coordinates.
  Point at(const s::gui::win::Component& c, int dx, int dy) {
    Point p = ws.clientToScreen(c.nativeHandle(), {dx, dy});
    Point origin = ws.clientToScreen(top, {0, 0});
    return {p.x - origin.x, p.y - origin.y};
  }
  void press(const s::gui::win::Component& c, int dx, int dy) {
    input.mouse(top, InputEvent::Kind::kButtonDown, at(c, dx, dy));
    pump();
  }
  void moveTo(const s::gui::win::Component& c, int dx, int dy) {
    input.mouse(top, InputEvent::Kind::kMouseMove, at(c, dx, dy));
    pump();
  }
  void releaseAt(const s::gui::win::Component& c, int dx, int dy) {
    input.mouse(top, InputEvent::Kind::kButtonUp, at(c, dx, dy));
    pump();
  }

  WindowSystem ws{std::make_unique<HeadlessBackend>()};
  TestInjector input{ws};
  s::gui::win::Host host{ws};
  Handle top = kNoWindow;
  s::gui::win::Box root;
};

}  // namespace guitest
