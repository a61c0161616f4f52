#pragma once
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/Region.h"

namespace platform::ui {

class Backend;
class WindowSystem;
struct WindowRecord;

// The windows of one window system and the geometry that follows from their tree.
//
// Threads: `mutex_` guards the map only (any thread may look a handle up). A record's fields are
// read and written only on the thread that owns its top-level window; other threads reach them
// by calls marshalled there. No other lock is ever taken while `mutex_` is held.
class WindowTree {
 public:
  // Where a change of bounds comes from: our own call (which the window may still adjust with
  // kWindowPosChanging, and which the backend must be told of), or the display, which has
  // already moved the window.
  enum class Source { kProgram, kSystem };

  WindowTree(WindowSystem& ws, Backend& backend) : ws_(ws), backend_(backend) {}

  std::shared_ptr<WindowRecord> find(Handle w) const;
  bool exists(Handle w) const { return find(w) != nullptr; }
  void add(const std::shared_ptr<WindowRecord>& rec);
  void remove(Handle w);
  // Forgets every window at once and answers the top-level ones.
  std::vector<Handle> clear();
  // Top-level windows of the calling thread that wait for a paint.
  std::vector<std::shared_ptr<WindowRecord>> topLevelsToPaint() const;

  Handle topLevelOf(Handle w) const;
  // The window's client rectangle in its top-level window's client coordinates.
  Rect rectInTop(const WindowRecord& rec) const;
  // The window and all its ancestors are shown.
  bool visibleChain(const WindowRecord& rec) const;

  void invalidateInTop(const std::shared_ptr<WindowRecord>& top, const Region& area);
  // The one place where a window's bounds change: repaints what was uncovered and covered, and
  // tells the procedure of the move and the new size.
  void applyBounds(const std::shared_ptr<WindowRecord>& rec, Rect r, Source source = Source::kProgram);

  // Calls the window procedure (the default handling when it has none).
  LResult callProc(const std::shared_ptr<WindowRecord>& rec, std::uint32_t code, WParam wp, LParam lp);

 private:
  void invalidateSubtree(const std::shared_ptr<WindowRecord>& rec, const Region& area, Point offset);

  WindowSystem& ws_;
  Backend& backend_;
  mutable std::mutex mutex_;
  std::unordered_map<Handle, std::shared_ptr<WindowRecord>> windows_;
};

}  // namespace platform::ui
