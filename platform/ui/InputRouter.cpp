#include "platform/ui/InputRouter.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/UiThreadState.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

namespace {

constexpr std::uint32_t kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 4;

WParam keysOf(WParam buttons, unsigned modifiers) {
  WParam keys = buttons;
  if (modifiers & key::kShift) keys |= mk::kShift;
  if (modifiers & key::kControl) keys |= mk::kControl;
  return keys;
}

WParam buttonFlag(int button) {
  return button == 0 ? mk::kLButton : button == 1 ? mk::kRButton : mk::kMButton;
}

}  // namespace

Handle InputRouter::hitTestIn(const std::shared_ptr<WindowRecord>& rec, Point p) {
  for (auto it = rec->children.rbegin(); it != rec->children.rend(); ++it) {
    auto c = ws_.find(*it);
    if (!c || !c->visible || !c->enabled || !c->bounds.contains(p)) continue;
    Handle found = hitTestIn(c, {p.x - c->bounds.left, p.y - c->bounds.top});
    if (found != kNoWindow) return found;
  }
  LResult answer = ws_.tree().callProc(rec, msg::kHitTest, 0, packPoint(p));
  if (answer == hit::kTransparent) return kNoWindow;
  return rec->handle;
}

Handle InputRouter::hitTest(const std::shared_ptr<WindowRecord>& top, Point p) {
  if (!Rect{0, 0, top->bounds.width(), top->bounds.height()}.contains(p)) return kNoWindow;
  return hitTestIn(top, p);
}

void InputRouter::handle(const InputEvent& e) {
  auto top = ws_.find(e.window);
  if (!top || !top->topLevel) return;
  UiThreadState& ts = ws_.state();
  using Kind = InputEvent::Kind;
  auto toLocal = [&](Handle target) {
    auto rec = ws_.find(target);
    Rect r = rec ? ws_.tree().rectInTop(*rec) : Rect{};
    return Point{e.point.x - r.left, e.point.y - r.top};
  };
  auto pointerTarget = [&]() {
    if (ts.capture != kNoWindow && ws_.topLevelOf(ts.capture) == e.window) return ts.capture;
    return hitTest(top, e.point);
  };
  auto track = [&](Handle target) {
    if (target == ts.hover) return;
    if (auto old = ws_.find(ts.hover)) ws_.tree().callProc(old, msg::kMouseLeave, 0, 0);
    ts.hover = target;
  };
  switch (e.kind) {
    case Kind::kMouseMove:
    case Kind::kButtonDown:
    case Kind::kButtonUp: {
      ts.pointer = e.screen;
      ts.pointerTime = e.timeMs;
      if (e.kind == Kind::kButtonDown) ts.buttons |= buttonFlag(e.button);
      if (e.kind == Kind::kButtonUp) ts.buttons &= ~buttonFlag(e.button);
      if (ts.drag.window == e.window) {
        if (e.kind == Kind::kMouseMove) {
          Rect b = top->bounds;
          ws_.tree().applyBounds(top, Rect::fromSize(e.screen.x - ts.drag.anchor.x, e.screen.y - ts.drag.anchor.y,
                                          b.width(), b.height()));
        } else if (e.kind == Kind::kButtonUp) {
          ts.drag = {};
          ws_.releaseCapture();
        }
        return;
      }
      Handle target = pointerTarget();
      track(target);
      auto rec = ws_.find(target);
      if (!rec) return;
      WParam keys = keysOf(ts.buttons, e.modifiers);
      LParam at = packPoint(toLocal(target));
      if (e.kind == Kind::kMouseMove) {
        ws_.tree().callProc(rec, msg::kMouseMove, keys, at);
        return;
      }
      static constexpr std::uint32_t downCodes[3] = {msg::kLButtonDown, msg::kRButtonDown, msg::kMButtonDown};
      static constexpr std::uint32_t upCodes[3] = {msg::kLButtonUp, msg::kRButtonUp, msg::kMButtonUp};
      static constexpr std::uint32_t doubleCodes[3] = {msg::kLButtonDoubleClick, msg::kRButtonDoubleClick,
                                                       msg::kMButtonDoubleClick};
      int b = std::clamp(e.button, 0, 2);
      if (e.kind == Kind::kButtonUp) {
        ws_.tree().callProc(rec, upCodes[b], keys, at);
        return;
      }
      if (ws_.activeWindow() != e.window) ws_.activate(e.window);
      auto& last = ts.lastPress;
      bool isDouble = last.window == target && last.button == b &&
                      e.timeMs - last.time <= kDoubleClickMs &&
                      std::abs(e.screen.x - last.point.x) <= kDoubleClickSlop &&
                      std::abs(e.screen.y - last.point.y) <= kDoubleClickSlop;
      // A third press starts a new pair rather than making a second double click.
      last = isDouble ? UiThreadState::Press{} : UiThreadState::Press{target, b, e.timeMs, e.screen};
      if (ws_.exists(target)) ws_.tree().callProc(rec, isDouble ? doubleCodes[b] : downCodes[b], keys, at);
      return;
    }
    case Kind::kWheel: {
      ts.pointer = e.screen;
      if (auto rec = ws_.find(pointerTarget()))
        ws_.tree().callProc(rec, msg::kMouseWheel, packWheel(e.wheel, keysOf(ts.buttons, e.modifiers)),
                 packPoint(e.screen));
      return;
    }
    case Kind::kPointerLeft:
      if (ts.capture == kNoWindow) track(kNoWindow);
      return;
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kChar: {
      Handle target = ts.focus != kNoWindow && ws_.topLevelOf(ts.focus) == e.window ? ts.focus : e.window;
      auto rec = ws_.find(target);
      if (!rec) return;
      if (e.kind == Kind::kChar) {
        ws_.tree().callProc(rec, msg::kChar, static_cast<WParam>(e.character), static_cast<LParam>(e.modifiers));
      } else {
        LParam flags = static_cast<LParam>(e.modifiers) | (e.repeat ? key::kRepeat : 0);
        ws_.tree().callProc(rec, e.kind == Kind::kKeyDown ? msg::kKeyDown : msg::kKeyUp, e.keyCode, flags);
      }
      return;
    }
    case Kind::kDrop: {
      // The deepest window under the point that takes files, else its nearest ancestor that does.
      auto rec = ws_.find(hitTest(top, e.point));
      while (rec && !rec->acceptFiles) rec = ws_.find(rec->parent);
      if (!rec) return;
      DroppedFiles dropped{toLocal(rec->handle), e.paths};
      ws_.tree().callProc(rec, msg::kDropFiles, 0, reinterpret_cast<LParam>(&dropped));
      return;
    }
    case Kind::kActivated:
      if (ws_.active_.exchange(e.window) != e.window) ws_.tree().callProc(top, msg::kActivate, 1, 0);
      return;
    case Kind::kDeactivated: {
      Handle expected = e.window;
      if (ws_.active_.compare_exchange_strong(expected, kNoWindow)) ws_.tree().callProc(top, msg::kActivate, 0, 0);
      if (ts.capture != kNoWindow && ws_.topLevelOf(ts.capture) == e.window) ws_.releaseCapture();
      return;
    }
    case Kind::kMovedBySystem:
    case Kind::kResizedBySystem: {
      // The display already moved the window; we only catch up and tell the procedure.
      ws_.tree().applyBounds(top, e.bounds, WindowTree::Source::kSystem);
      return;
    }
    case Kind::kCloseRequested:
      ws_.tree().callProc(top, msg::kClose, 0, 0);
      return;
    case Kind::kSessionEnded:
      ws_.tree().callProc(top, msg::kEndSession, 1, 0);
      return;
    case Kind::kExposed:
      ws_.tree().invalidateInTop(top, Region(Rect{0, 0, top->bounds.width(), top->bounds.height()}));
      return;
  }
}

}  // namespace platform::ui
