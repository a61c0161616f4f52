// The window on a real desktop: GTK on the test's X display with openbox, input from xdotool and
// the window manager's view of the window read back with xprop.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/WindowSystem.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/Window.h"
#include "tests/platform/ui/desktop/GtkDesktopFixture.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace platform::ui;
using namespace desktoptest;
using s::gui::menuitem::MenuItem;
using s::gui::win::Button;
using s::gui::win::PopupMenu;
using s::gui::win::Window;

std::string output(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p)) out += buffer;
    pclose(p);
  }
  return out;
}

class WindowGtkTest : public GtkDesktopFixture {
 protected:
  void SetUp() override {
    GtkDesktopFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ws_->show(top_, false);  // the fixture's own window would lie under ours
    window_ = std::make_unique<Window>(*ws_);
    ASSERT_TRUE(window_->started()) << window_->startError();
  }
  void TearDown() override {
    if (window_) {
      window_->run([&] {
        for (Button* b : buttons_) window_->remove(b);
      });
      window_.reset();
    }
    for (Button* b : buttons_) b->release();
  }

  Button* addButton(const std::u16string& text) {
    Button* b = Button::create();
    buttons_.push_back(b);
    window_->run([&] {
      b->setText(text);
      window_->add(b);
    });
    return b;
  }
  // Where a point of a component lies on the screen.
  Point screenOf(const s::gui::win::Component& c, Point p) {
    Point out;
    window_->run([&] { out = ws_->clientToScreen(c.nativeHandle(), p); });
    return out;
  }
  bool eventually(const std::function<bool()>& done) {
    return waitFor([&] {
      bool ok = false;
      window_->run([&] { ok = done(); });
      return ok;
    });
  }
  std::string windowId(const std::string& title) {
    std::string id;
    waitFor([&] {
      id = output("xdotool search --name '" + title + "' 2>/dev/null | head -1");
      return !id.empty();
    });
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
    return id;
  }

  std::unique_ptr<Window> window_;
  std::vector<Button*> buttons_;
};

TEST_F(WindowGtkTest, RealClicksReachAButtonAndTheContextMenuTakesKeys) {
  Button* play = addButton(u"Play");
  addButton(u"Stop");
  guitest::Heard clicks, chosen;
  window_->run([&] { play->addClickListener(&clicks); });
  PopupMenu* context = PopupMenu::create();
  context->addItem(MenuItem::fromText(u"Shuffle", 71));
  context->addItem(MenuItem::fromText(u"Repeat", 72));
  context->addListener(&chosen);
  window_->setContextMenu(context, true);
  window_->setTitle(u"Sonvia window test");
  window_->setBounds(200, 200, 300, 200);
  window_->setVisible(true);
  window_->run([&] { ws_->activate(window_->topHandle()); });
  ASSERT_FALSE(windowId("Sonvia window test").empty());

  Point at = screenOf(*play, {10, 5});
  ASSERT_TRUE(xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1"));
  EXPECT_TRUE(eventually([&] { return clicks.events.size() == 1; })) << "the click never reached the button";

  Point empty = screenOf(*window_, {150, 170});
  ASSERT_TRUE(xdotool("mousemove " + std::to_string(empty.x) + " " + std::to_string(empty.y) + " click 3"));
  ASSERT_TRUE(waitFor([&] { return ws_->backend().desktop().menuOpen(); })) << "the context menu never showed";
  ASSERT_TRUE(xdotool("key Down Return"));
  EXPECT_TRUE(eventually([&] { return chosen.events.size() == 1; })) << "no command reached the menu";
  EXPECT_EQ(context->getChosenId(), 71);
}

TEST_F(WindowGtkTest, KeepOnTopAndOpacityReachTheWindowManager) {
  window_->setTitle(u"Sonvia opacity test");
  window_->setVisible(true);
  std::string id = windowId("Sonvia opacity test");
  ASSERT_FALSE(id.empty());
  window_->setKeepOnTop(true);
  window_->setOpacity(50, false);
  EXPECT_TRUE(waitFor([&] {
    return output("xprop -id " + id + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
  })) << output("xprop -id " + id + " _NET_WM_STATE");
  std::string opacity;
  EXPECT_TRUE(waitFor([&] {
    opacity = output("xprop -id " + id + " _NET_WM_WINDOW_OPACITY");
    return opacity.find("= ") != std::string::npos;
  })) << opacity;
  auto equals = opacity.find("= ");
  if (equals != std::string::npos) {
    double value = std::stod(opacity.substr(equals + 2));
    EXPECT_NEAR(value / 4294967295.0, 0.5, 0.01) << opacity;
  }
  window_->setKeepOnTop(false);
  EXPECT_TRUE(waitFor([&] {
    return output("xprop -id " + id + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE") == std::string::npos;
  }));
}

// What the window manager makes of the style switches, read back from the properties it keeps
// on the window: the actions it allows, the task bar state, the frame it draws.
TEST_F(WindowGtkTest, StyleSwitchesReachTheWindowManager) {
  window_->setTitle(u"Sonvia style test");
  window_->setVisible(true);
  std::string id = windowId("Sonvia style test");
  ASSERT_FALSE(id.empty());
  auto property = [&](const char* name) { return output("xprop -id " + id + " " + name); };
  // The functions word of the Motif hints ("= flags, functions, decorations, ..."); -1 for none.
  auto motifFunctions = [&]() -> long {
    std::string hints = property("_MOTIF_WM_HINTS");
    auto equals = hints.find("= ");
    if (equals == std::string::npos) return -1;
    char* next = nullptr;
    std::strtoul(hints.c_str() + equals + 2, &next, 0);
    return next && *next == ',' ? static_cast<long>(std::strtoul(next + 1, nullptr, 0)) : -1;
  };
  auto hasMotif = [&](long bit) { return [&, bit] { return motifFunctions() >= 0 && (motifFunctions() & bit) != 0; }; };
  auto has = [&](const char* name, const char* value) {
    return [&, name, value] { return property(name).find(value) != std::string::npos; };
  };
  ASSERT_TRUE(waitFor(has("_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_RESIZE"))) << property("_NET_WM_ALLOWED_ACTIONS");
  // Each switch as the window manager sees it: openbox shows what it allows in its allowed
  // actions, but keeps its minimize and maximize buttons whatever a program says, so for those two
  // the hints the window gives every manager are read instead.
  constexpr long kMotifMinimize = 8, kMotifMaximize = 16;
  struct Switch {
    const char* what;
    std::function<void(bool)> set;
    std::function<bool()> shows;  // whether the manager has the switch on
    bool byDefault;
  } switches[] = {
      {"maximize box", [&](bool on) { window_->setMaximizeBox(on); }, hasMotif(kMotifMaximize), true},
      {"minimize box", [&](bool on) { window_->setMinimizeBox(on); }, hasMotif(kMotifMinimize), true},
      {"resizable frame", [&](bool on) { window_->setResizableFrame(on); },
       has("_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_RESIZE"), true},
      {"tool window", [&](bool on) { window_->setToolWindow(on); },
       has("_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"), false},
  };
  for (const Switch& s : switches) {
    for (bool on : {!s.byDefault, s.byDefault}) {
      s.set(on);
      EXPECT_TRUE(waitFor([&] { return s.shows() == on; }))
          << s.what << (on ? " on: " : " off: ") << property("_MOTIF_WM_HINTS") << property("_NET_WM_ALLOWED_ACTIONS")
          << property("_NET_WM_STATE");
    }
  }
  // Only a caption makes the manager draw a frame around the window.
  auto frameTop = [&] {
    std::string extents = property("_NET_FRAME_EXTENTS");  // "= left, right, top, bottom"
    int left = 0, right = 0, top = 0, bottom = 0;
    auto equals = extents.find("= ");
    if (equals == std::string::npos ||
        std::sscanf(extents.c_str() + equals + 2, "%d, %d, %d, %d", &left, &right, &top, &bottom) != 4)
      return -1;
    return top;
  };
  EXPECT_TRUE(waitFor([&] { return frameTop() == 0; })) << property("_NET_FRAME_EXTENTS");
  window_->setCaption(true);
  EXPECT_TRUE(waitFor([&] { return frameTop() > 0; })) << property("_NET_FRAME_EXTENTS");
  window_->setCaption(false);
  EXPECT_TRUE(waitFor([&] { return frameTop() == 0; })) << property("_NET_FRAME_EXTENTS");
}

}  // namespace
