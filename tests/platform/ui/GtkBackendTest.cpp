#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/ui/Canvas.h"
#include "platform/ui/GtkBackend.h"
#include "platform/ui/WindowSystem.h"

// Xlib and XTest are loaded at run time, so that the test program needs no X libraries to link.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using namespace platform::ui;
using namespace std::chrono_literals;

// What the test needs from the X server: synthetic input (XTest) and the pixels on screen.
class XServer {
 public:
  XServer() {
    x11_ = dlopen("libX11.so.6", RTLD_NOW);
    xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
    if (!x11_ || !xtst_) return;
    open_ = reinterpret_cast<decltype(open_)>(dlsym(x11_, "XOpenDisplay"));
    close_ = reinterpret_cast<decltype(close_)>(dlsym(x11_, "XCloseDisplay"));
    getImage_ = reinterpret_cast<decltype(getImage_)>(dlsym(x11_, "XGetImage"));
    sync_ = reinterpret_cast<decltype(sync_)>(dlsym(x11_, "XSync"));
    keysymToKeycode_ = reinterpret_cast<decltype(keysymToKeycode_)>(dlsym(x11_, "XKeysymToKeycode"));
    motion_ = reinterpret_cast<decltype(motion_)>(dlsym(xtst_, "XTestFakeMotionEvent"));
    button_ = reinterpret_cast<decltype(button_)>(dlsym(xtst_, "XTestFakeButtonEvent"));
    key_ = reinterpret_cast<decltype(key_)>(dlsym(xtst_, "XTestFakeKeyEvent"));
    if (open_ && close_ && getImage_ && sync_ && keysymToKeycode_ && motion_ && button_ && key_)
      display_ = open_(nullptr);
  }
  ~XServer() {
    if (display_) close_(display_);
  }
  bool ok() const { return display_ != nullptr; }

  Color pixel(int x, int y) {
    XImage* img = getImage_(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0xFFFFFFFF;
    unsigned long v = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    return rgb(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
  }
  void click(int x, int y) {
    motion_(display_, -1, x, y, 0);
    button_(display_, 1, True, 0);
    button_(display_, 1, False, 0);
    sync_(display_, False);
  }
  void press(int x, int y) {
    motion_(display_, -1, x, y, 0);
    button_(display_, 1, True, 0);
    sync_(display_, False);
  }
  void moveTo(int x, int y) {
    motion_(display_, -1, x, y, 0);
    sync_(display_, False);
  }
  void release() {
    button_(display_, 1, False, 0);
    sync_(display_, False);
  }
  void type(KeySym sym) {
    KeyCode code = keysymToKeycode_(display_, sym);
    key_(display_, code, True, 0);
    key_(display_, code, False, 0);
    sync_(display_, False);
  }

 private:
  void* x11_ = nullptr;
  void* xtst_ = nullptr;
  Display* display_ = nullptr;
  Display* (*open_)(const char*) = nullptr;
  int (*close_)(Display*) = nullptr;
  XImage* (*getImage_)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int) = nullptr;
  int (*sync_)(Display*, Bool) = nullptr;
  KeyCode (*keysymToKeycode_)(Display*, KeySym) = nullptr;
  int (*motion_)(Display*, int, int, int, unsigned long) = nullptr;
  int (*button_)(Display*, unsigned, Bool, unsigned long) = nullptr;
  int (*key_)(Display*, unsigned, Bool, unsigned long) = nullptr;
};

// Pumps the window system's messages until `done` holds or five seconds pass.
bool pumpUntil(WindowSystem& ws, const std::function<bool()>& done) {
  auto deadline = std::chrono::steady_clock::now() + 5s;
  while (std::chrono::steady_clock::now() < deadline) {
    ws.processPending();
    if (done()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

constexpr Color kFace = rgb(200, 40, 40);
constexpr Color kIdle = rgb(30, 60, 200);
constexpr Color kPressed = rgb(30, 180, 60);

TEST(GtkBackendTest, RealWindowPaintsTakesClicksKeysAndDragsAndFollowsItsShape) {
  const char* display = std::getenv("DISPLAY");
  ASSERT_TRUE(display && *display)
      << "the GTK end-to-end test needs an X display; run it through ./test.sh, which starts "
         "Xvfb (xvfb-run) when there is none";
  std::string error;
  std::unique_ptr<Backend> backend = GtkBackend::create(error);
  ASSERT_TRUE(backend) << error;
  XServer x;
  ASSERT_TRUE(x.ok()) << "cannot reach the X server at DISPLAY=" << display << " for synthetic input";

  WindowSystem ws(std::move(backend));
  EXPECT_STREQ(ws.backend().name(), "gtk");
  EXPECT_FALSE(ws.monitors().empty());
  EXPECT_FALSE(ws.virtualScreen().empty());

  WindowSetup topSetup;
  topSetup.bounds = Rect::fromSize(60, 50, 160, 100);
  topSetup.background = kFace;
  topSetup.title = u"Sonvia test";
  Handle top = ws.create(topSetup);
  ASSERT_NE(top, kNoWindow);

  bool pressed = false;
  unsigned lastKey = 0;
  char32_t lastChar = 0;
  WindowSetup buttonSetup;
  buttonSetup.parent = top;
  buttonSetup.bounds = Rect::fromSize(40, 30, 60, 40);
  buttonSetup.visible = true;
  Handle button = kNoWindow;
  buttonSetup.proc = [&](const Message& m) -> LResult {
    switch (m.code) {
      case msg::kPaint:
        reinterpret_cast<PaintEvent*>(m.lParam)->canvas.fillRect({0, 0, 60, 40}, pressed ? kPressed : kIdle);
        return 0;
      case msg::kLButtonDown:
        pressed = true;
        ws.setFocus(button);
        ws.invalidate(button);
        return 0;
      case msg::kKeyDown:
        lastKey = static_cast<unsigned>(m.wParam);
        return 0;
      case msg::kChar:
        lastChar = static_cast<char32_t>(m.wParam);
        return 0;
    }
    return ws.defaultProc(m);
  };
  button = ws.create(buttonSetup);
  ws.show(top, true);
  ws.activate(top);

  // Screen point of the button's middle, and of the window's own face.
  Point mid = ws.clientToScreen(button, {30, 20});
  Point face = ws.clientToScreen(top, {10, 10});
  ASSERT_TRUE(pumpUntil(ws, [&] { return x.pixel(mid.x, mid.y) == kIdle && x.pixel(face.x, face.y) == kFace; }))
      << "the window never showed its painting on the screen";

  x.click(mid.x, mid.y);
  ASSERT_TRUE(pumpUntil(ws, [&] { return pressed && x.pixel(mid.x, mid.y) == kPressed; }))
      << "the synthetic click did not reach the child window or its repaint did not show";

  x.type(XK_q);
  EXPECT_TRUE(pumpUntil(ws, [&] { return lastKey == 'Q' && lastChar == U'q'; }))
      << "key " << lastKey << " char " << static_cast<unsigned>(lastChar);

  // A shape with a corner cut away lets the root window show through there.
  platform::ui::Region shape(Rect{0, 0, 160, 100});
  shape.subtract(Rect{0, 0, 20, 20});
  ws.setShape(top, shape);
  EXPECT_TRUE(pumpUntil(ws, [&] { return x.pixel(face.x, face.y) != kFace; }));
  Point inside = ws.clientToScreen(top, {30, 10});
  EXPECT_EQ(x.pixel(inside.x, inside.y), kFace);

  // Moving the window moves what is on the screen.
  ws.move(top, {300, 200});
  Point moved = ws.clientToScreen(button, {30, 20});
  EXPECT_EQ(moved, (Point{370, 250}));
  EXPECT_TRUE(pumpUntil(ws, [&] { return x.pixel(moved.x, moved.y) == kPressed; }));

  // Easy drag: a press on the window's face moves the window with the pointer.
  ws.setProc(top, [&](const Message& m) -> LResult {
    if (m.code == msg::kLButtonDown) ws.beginMoveDrag(top);
    return ws.defaultProc(m);
  });
  Point grip = ws.clientToScreen(top, {30, 90});
  x.press(grip.x, grip.y);
  ASSERT_TRUE(pumpUntil(ws, [&] { return ws.captureWindow() == top; })) << "the press did not start a drag";
  for (int step = 1; step <= 4; ++step) {
    x.moveTo(grip.x + 10 * step, grip.y + 5 * step);
    pumpUntil(ws, [&] { return ws.boundsOf(top).left == 300 + 10 * step; });
  }
  x.release();
  EXPECT_TRUE(pumpUntil(ws, [&] { return ws.captureWindow() == kNoWindow; }));
  EXPECT_EQ(ws.boundsOf(top), Rect::fromSize(340, 220, 160, 100));
  Point dragged = ws.clientToScreen(button, {30, 20});
  EXPECT_TRUE(pumpUntil(ws, [&] { return x.pixel(dragged.x, dragged.y) == kPressed; }))
      << "the window did not follow the pointer on the screen";
  moved = dragged;

  ws.setCursor(button, platform::ui::Cursor::kSizeNorthWestSouthEast);
  EXPECT_EQ(ws.cursorOf(top), platform::ui::Cursor::kSizeNorthWestSouthEast);
  ws.setKeepOnTop(top, true);
  ws.setOpacity(top, 90);
  ws.setTitle(top, u"Пруф Sonvia");
  ws.destroy(top);
  EXPECT_TRUE(pumpUntil(ws, [&] { return x.pixel(moved.x, moved.y) != kPressed; }))
      << "the destroyed window stayed on the screen";
}

TEST(GtkBackendTest, NoDisplayIsReportedClearly) {
  const char* saved = std::getenv("DISPLAY");
  std::string keep = saved ? saved : "";
  unsetenv("DISPLAY");
  const char* wl = std::getenv("WAYLAND_DISPLAY");
  std::string keepWl = wl ? wl : "";
  unsetenv("WAYLAND_DISPLAY");
  const char* ui = std::getenv("SONVIA_UI");
  std::string keepUi = ui ? ui : "";
  unsetenv("SONVIA_UI");
  EXPECT_EQ(chooseBackendName(), "headless");
  setenv("SONVIA_UI", "gtk", 1);
  EXPECT_EQ(chooseBackendName(), "gtk");
  std::string error;
  // Without a display GTK cannot start (and where GTK already runs in this test program, a
  // second start is refused); either way there is no backend and a message says why.
  EXPECT_EQ(createBackend("gtk", error), nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(createBackend("curses", error), nullptr);
  EXPECT_NE(error.find("SONVIA_UI"), std::string::npos) << error;
  if (!keep.empty()) setenv("DISPLAY", keep.c_str(), 1);
  if (!keepWl.empty()) setenv("WAYLAND_DISPLAY", keepWl.c_str(), 1);
  if (keepUi.empty()) unsetenv("SONVIA_UI");
  else setenv("SONVIA_UI", keepUi.c_str(), 1);
}

}  // namespace
