#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"
#include "platform/ui/Image.h"
#include "platform/ui/Message.h"
#include "platform/ui/Region.h"

namespace platform::ui {

namespace desktop {
class DesktopServices;
}

struct Monitor {
  Rect bounds;
  Rect workArea;
  bool primary = false;
};

enum class WindowState { kNormal, kMinimized, kMaximized };

// What the window manager offers around and for a top-level window. Our windows draw their own
// frame, so by default the manager adds no title bar of its own.
struct FrameStyle {
  bool titleBar = false;     // the manager's title bar and border
  bool windowMenu = true;    // the manager's window menu (on its title bar, or its key)
  bool minimizable = true;
  bool maximizable = true;
  bool resizable = true;     // the user may resize the window through the manager
  bool toolWindow = false;   // a utility window: not in the task bar or the pager
  friend bool operator==(const FrameStyle&, const FrameStyle&) = default;
};

// Pointer shapes a window can ask for while the pointer is over it.
enum class Cursor { kArrow, kHand, kText, kWait, kSizeAll, kSizeWestEast, kSizeNorthSouth,
                    kSizeNorthWestSouthEast, kSizeNorthEastSouthWest };

// Input and window-manager events as a backend reports them, for one top-level window.
struct InputEvent {
  enum class Kind {
    kMouseMove, kButtonDown, kButtonUp, kWheel, kPointerLeft, kKeyDown, kKeyUp, kChar, kDrop,
    kActivated, kDeactivated, kMovedBySystem, kResizedBySystem, kCloseRequested, kExposed,
    kSessionEnded  // the display is gone: the window must close now, as at the end of the session
  };
  Kind kind = Kind::kMouseMove;
  Handle window = kNoWindow;  // the top-level window
  Point point;                // client coordinates of the top-level window
  Point screen;               // the same point on the screen
  int button = 0;             // 0 left, 1 right, 2 middle
  int wheel = 0;              // 120 per notch, positive away from the user
  unsigned keyCode = 0;       // virtual key
  unsigned modifiers = 0;     // key:: flags
  bool repeat = false;
  char32_t character = 0;
  std::vector<std::string> paths;
  Rect bounds;                // kMovedBySystem / kResizedBySystem: new screen rectangle
  std::uint32_t timeMs = 0;   // event time, for double clicks
};

class BackendSink {
 public:
  virtual ~BackendSink() = default;
  // May be called from any thread.
  virtual void deliver(InputEvent event) = 0;
};

// What a display system has to offer for our top-level windows. Child windows never reach the
// backend: we compose them ourselves into their top-level window's image.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;
  void attach(BackendSink* sink) { sink_ = sink; }

  virtual bool createTopLevel(Handle window, const Rect& bounds, const std::string& title) = 0;
  virtual void destroyTopLevel(Handle window) = 0;
  virtual void showTopLevel(Handle window, bool visible) = 0;
  virtual void setTopLevelBounds(Handle window, const Rect& bounds) = 0;
  virtual void setTitle(Handle window, const std::string& title) = 0;
  virtual void setShape(Handle window, const Region* shape) = 0;  // nullptr: the whole window
  // 0..100; the window is composed with the alpha percent x 255 / 100 (rounded down).
  virtual void setOpacity(Handle window, int percent) = 0;
  virtual void setKeepOnTop(Handle window, bool on) = 0;
  virtual void setFrameStyle(Handle window, const FrameStyle& style) = 0;
  virtual void setState(Handle window, WindowState state) = 0;
  virtual void activate(Handle window) = 0;
  virtual void setCursor(Handle window, Cursor cursor) = 0;
  // Shows the window's composed image; `dirty` is the part that changed. Called on the window's
  // own thread; the backend copies what it needs before returning.
  virtual void present(Handle window, const Image& image, const Rect& dirty) = 0;
  // True when we may place top-level windows ourselves (not so on Wayland, where the compositor
  // moves them for us through beginMoveDrag).
  virtual bool clientMovesWindows() const = 0;
  virtual void beginMoveDrag(Handle window, int button, Point screen, std::uint32_t timeMs) = 0;
  virtual std::vector<Monitor> monitors() const = 0;
  // Menus, dialogs, clipboard, drags out and the tray icon (desktop/DesktopServices.h).
  virtual desktop::DesktopServices& desktop() = 0;

 protected:
  std::atomic<BackendSink*> sink_{nullptr};  // read by a backend's own event thread
};

// The backend named by SONVIA_UI ("headless" or "gtk"); without it, gtk when a display is
// available, else headless.
std::string chooseBackendName();
// nullptr with a message in `error` when the backend cannot start (no display for gtk, unknown name).
std::unique_ptr<Backend> createBackend(const std::string& name, std::string& error);

}  // namespace platform::ui
