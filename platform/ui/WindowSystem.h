#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Image.h"
#include "platform/ui/Message.h"
#include "platform/ui/Region.h"

namespace platform::ui {

class MessageLoop;
class MessageQueue;
class WindowTree;
struct UiThreadState;
struct WindowRecord;

struct WindowSetup {
  Handle parent = kNoWindow;  // none: a top-level window
  Rect bounds;                // parent client coordinates; screen coordinates for a top-level
  std::u16string title;
  WindowProc proc;            // none: every message gets the default handling
  bool visible = false;
  Color background = rgb(240, 240, 240);
};

// Our own small window system. Windows are handles with a parent, bounds, visibility, enabled
// state, z-order among siblings and a window procedure. Every window belongs to the thread that
// created its top-level window; operations called from other threads are carried out on that
// thread and wait for it. Child windows are composed by us into their top-level window's image,
// which the backend shows.
//
// This class is the facade: the windows and their geometry live in a WindowTree, each UI
// thread's loop and timers in the MessageLoop, and input injected by tests goes through a
// TestInjector.
class WindowSystem : private BackendSink {
 public:
  // The process's window system, started on first use with the backend chooseBackendName() names.
  // When that backend cannot start, it runs headless and startError() says why.
  static WindowSystem& instance();
  explicit WindowSystem(std::unique_ptr<Backend> backend);
  ~WindowSystem() override;
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  Backend& backend() { return *backend_; }
  const std::string& startError() const { return startError_; }

  // ---- windows
  Handle create(const WindowSetup& setup);
  bool destroy(Handle w);
  bool exists(Handle w) const;
  Handle parentOf(Handle w) const;
  Handle topLevelOf(Handle w) const;
  std::vector<Handle> childrenOf(Handle w) const;  // top of the z-order first
  bool setProc(Handle w, WindowProc proc);

  Rect boundsOf(Handle w) const;  // parent client coordinates; screen for a top-level
  Rect clientRect(Handle w) const;
  bool setBounds(Handle w, const Rect& r);
  bool move(Handle w, Point p);
  bool resize(Handle w, Size s);
  Point clientToScreen(Handle w, Point p) const;
  Point screenToClient(Handle w, Point p) const;

  bool show(Handle w, bool visible);
  bool isVisible(Handle w) const;  // its own flag and that of every ancestor
  bool enable(Handle w, bool enabled);
  bool isEnabled(Handle w) const;
  bool raise(Handle w);  // to the top of its siblings
  bool lower(Handle w);  // to the bottom of its siblings
  bool placeAbove(Handle w, Handle sibling);

  bool setTitle(Handle w, const std::u16string& title);
  std::u16string titleOf(Handle w) const;
  bool setBackground(Handle w, Color c);
  bool acceptFiles(Handle w, bool on);

  // ---- top-level windows
  bool setShape(Handle top, std::optional<Region> shape);  // client coordinates; none = whole
  std::optional<Region> shapeOf(Handle top) const;
  bool setOpacity(Handle top, int percent);
  int opacityOf(Handle top) const;
  bool setKeepOnTop(Handle top, bool on);
  bool isKeptOnTop(Handle top) const;
  bool setFrameStyle(Handle top, const FrameStyle& style);
  FrameStyle frameStyleOf(Handle top) const;
  bool setState(Handle top, WindowState state);
  WindowState stateOf(Handle top) const;
  bool activate(Handle top);
  Handle activeWindow() const;
  // The pointer shape over the window's top-level window; a window asks for it as the pointer
  // enters or moves over it.
  bool setCursor(Handle w, Cursor cursor);
  Cursor cursorOf(Handle top) const;
  // Moves the window with the pointer until the button is released (easy drag). Where the
  // display lets us place windows, we move it ourselves so that kWindowPosChanging can limit
  // every step; elsewhere (Wayland) the compositor does the move.
  bool beginMoveDrag(Handle top);
  // The user's sizing from an edge: kSizing may change the proposal, which is then applied.
  bool sizeFromEdge(Handle top, int edgeCode, const Rect& proposed);

  // ---- screen
  std::vector<Monitor> monitors() const;
  Rect virtualScreen() const;
  Rect workArea() const;  // of the primary monitor
  Monitor monitorOf(Handle w) const;

  // ---- painting
  bool invalidate(Handle w, bool erase = true);
  bool invalidate(Handle w, const Rect& r, bool erase = true);
  // w and every window inside it, as after a change of skin.
  bool invalidateTree(Handle w);
  bool validate(Handle w);
  // Paints now what is invalid in w's top-level window.
  bool update(Handle w);
  // The composed client area of a top-level window as it was last painted (outside the shape
  // transparent).
  Image snapshot(Handle top);

  // ---- input state (per UI thread)
  Handle setCapture(Handle w);  // returns the previous capture window
  bool releaseCapture();
  Handle captureWindow() const;
  Handle setFocus(Handle w);  // returns the previous focus window
  Handle focusWindow() const;
  // Where this thread last saw the pointer, in screen coordinates.
  Point pointerPosition() const;

  // ---- messages
  LResult send(Handle w, std::uint32_t code, WParam wp = 0, LParam lp = 0);
  bool post(Handle w, std::uint32_t code, WParam wp = 0, LParam lp = 0);
  void postQuit(int exitCode);  // to the calling thread's loop
  // Next message of the calling thread, waiting for one; paints and fires timers meanwhile.
  // False for kQuit (out.wParam holds the exit code).
  bool getMessage(Message& out);
  // The same without waiting; false when nothing is ready.
  bool peekMessage(Message& out);
  LResult dispatch(const Message& m);
  int run();  // getMessage/dispatch until quit
  // Dispatches everything ready and paints, without waiting. Returns the number of messages.
  int processPending();
  LResult defaultProc(const Message& m);

  bool setTimer(Handle w, unsigned id, unsigned milliseconds);
  bool killTimer(Handle w, unsigned id);

  // The parts this facade is made of; tests and the toolkit's own pieces reach them here.
  WindowTree& tree() { return *tree_; }
  MessageLoop& loop() { return *loop_; }

 private:
  void deliver(InputEvent event) override;
  std::shared_ptr<WindowRecord> find(Handle w) const;
  // Runs f on the thread that owns w (at once when that is the calling thread).
  template <class R, class F>
  R onOwner(Handle w, R fallback, F&& f) const;
  void destroyTree(const std::shared_ptr<WindowRecord>& rec);
  UiThreadState& state() const;
  friend class InputRouter;
  friend class Compositor;
  friend class MessageLoop;
  friend class TestInjector;

  std::unique_ptr<Backend> backend_;
  std::unique_ptr<WindowTree> tree_;
  std::unique_ptr<MessageLoop> loop_;
  std::string startError_;
  std::atomic<Handle> active_{kNoWindow};
  std::uint64_t serial_;  // tells this system's per-thread state from that of an earlier one
};

}  // namespace platform::ui
