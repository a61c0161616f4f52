#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/text/Utf.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/UiThreadState.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/WindowTree.h"
#include "platform/ui/MessageLoop.h"

namespace platform::ui {

namespace {

std::atomic<Handle> nextHandle{1};
std::atomic<std::uint64_t> nextSerial{1};

}  // namespace

WindowSystem& WindowSystem::instance() {
  static WindowSystem* system = [] {
    std::string error;
    std::unique_ptr<Backend> backend = createBackend(chooseBackendName(), error);
    if (!backend) backend = std::make_unique<HeadlessBackend>();
    auto* s = new WindowSystem(std::move(backend));
    s->startError_ = error;
    if (!error.empty()) std::fprintf(stderr, "sonvia: %s; running without a display\n", error.c_str());
    return s;
  }();
  return *system;
}

WindowSystem::WindowSystem(std::unique_ptr<Backend> backend)
    : backend_(std::move(backend)), serial_(nextSerial++) {
  if (!backend_) backend_ = std::make_unique<HeadlessBackend>();
  tree_ = std::make_unique<WindowTree>(*this, *backend_);
  loop_ = std::make_unique<MessageLoop>(*this);
  backend_->attach(this);
}

WindowSystem::~WindowSystem() {
  // Windows still open now are dropped without telling their procedures: whatever those refer
  // to may be gone already.
  for (Handle h : tree_->clear()) backend_->destroyTopLevel(h);
  backend_->attach(nullptr);
}

UiThreadState& WindowSystem::state() const {
  thread_local std::unordered_map<std::uint64_t, UiThreadState> states;
  return states[serial_];
}

std::shared_ptr<WindowRecord> WindowSystem::find(Handle w) const { return tree_->find(w); }

template <class R, class F>
R WindowSystem::onOwner(Handle w, R fallback, F&& f) const {
  auto rec = find(w);
  if (!rec) return fallback;
  if (rec->queue->isCurrent()) return f(rec);
  R result = fallback;
  rec->queue->call([&] {
    if (auto again = find(w)) result = f(again);
  });
  return result;
}

// ---------------------------------------------------------------- windows

Handle WindowSystem::create(const WindowSetup& setup) {
  std::shared_ptr<WindowRecord> parent;
  if (setup.parent != kNoWindow) {
    parent = find(setup.parent);
    if (!parent) return kNoWindow;
    if (!parent->queue->isCurrent()) {
      Handle made = kNoWindow;
      parent->queue->call([&] { made = create(setup); });
      return made;
    }
  }
  auto rec = std::make_shared<WindowRecord>();
  rec->handle = nextHandle++;
  rec->parent = setup.parent;
  rec->queue = parent ? parent->queue : MessageQueue::current();
  rec->proc = setup.proc;
  rec->bounds = setup.bounds;
  rec->title = setup.title;
  rec->background = setup.background;
  rec->topLevel = !parent;
  if (rec->topLevel) {
    rec->surface = Image(std::max(1, setup.bounds.width()), std::max(1, setup.bounds.height()));
    if (!backend_->createTopLevel(rec->handle, setup.bounds, platform::text::utf16ToUtf8(setup.title)))
      return kNoWindow;
  }
  tree_->add(rec);
  if (parent) parent->children.push_back(rec->handle);
  if (tree_->callProc(rec, msg::kCreate, 0, 0) == -1) {
    destroy(rec->handle);
    return kNoWindow;
  }
  if (setup.visible) show(rec->handle, true);
  return rec->handle;
}

bool WindowSystem::destroy(Handle w) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    std::shared_ptr<WindowRecord> top = find(topLevelOf(w));
    Rect area = tree_->rectInTop(*rec);
    bool wasShown = tree_->visibleChain(*rec);
    destroyTree(rec);
    if (auto parent = find(rec->parent)) {
      auto& siblings = parent->children;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
      if (top && wasShown) tree_->invalidateInTop(top, Region(area));
    }
    return true;
  });
}

void WindowSystem::destroyTree(const std::shared_ptr<WindowRecord>& rec) {
  tree_->callProc(rec, msg::kDestroy, 0, 0);
  for (Handle child : std::vector<Handle>(rec->children))
    if (auto c = find(child)) destroyTree(c);
  UiThreadState& ts = state();
  if (ts.capture == rec->handle) ts.capture = kNoWindow;
  if (ts.focus == rec->handle) ts.focus = kNoWindow;
  if (ts.hover == rec->handle) ts.hover = kNoWindow;
  if (ts.drag.window == rec->handle) ts.drag = {};
  loop_->dropTimersOf(rec->handle);
  tree_->remove(rec->handle);
  if (rec->topLevel) {
    Handle expected = rec->handle;
    active_.compare_exchange_strong(expected, kNoWindow);
    backend_->destroyTopLevel(rec->handle);
  }
}

bool WindowSystem::exists(Handle w) const { return find(w) != nullptr; }

Handle WindowSystem::parentOf(Handle w) const {
  auto rec = find(w);
  return rec ? rec->parent : kNoWindow;
}

Handle WindowSystem::topLevelOf(Handle w) const { return tree_->topLevelOf(w); }

std::vector<Handle> WindowSystem::childrenOf(Handle w) const {
  return onOwner(w, std::vector<Handle>{}, [](const std::shared_ptr<WindowRecord>& rec) {
    return std::vector<Handle>(rec->children.rbegin(), rec->children.rend());
  });
}

bool WindowSystem::setProc(Handle w, WindowProc proc) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    rec->proc = std::move(proc);
    return true;
  });
}

Rect WindowSystem::boundsOf(Handle w) const {
  return onOwner(w, Rect{}, [](const std::shared_ptr<WindowRecord>& rec) { return rec->bounds; });
}

Rect WindowSystem::clientRect(Handle w) const {
  Rect b = boundsOf(w);
  return {0, 0, b.width(), b.height()};
}

Point WindowSystem::clientToScreen(Handle w, Point p) const {
  return onOwner(w, p, [&](const std::shared_ptr<WindowRecord>& rec) {
    Rect inTop = tree_->rectInTop(*rec);
    auto top = find(topLevelOf(w));
    Point origin = top ? Point{top->bounds.left, top->bounds.top} : Point{};
    return Point{p.x + inTop.left + origin.x, p.y + inTop.top + origin.y};
  });
}

Point WindowSystem::screenToClient(Handle w, Point p) const {
  Point zero = clientToScreen(w, {0, 0});
  return {p.x - zero.x, p.y - zero.y};
}

bool WindowSystem::setBounds(Handle w, const Rect& r) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    tree_->applyBounds(rec, r);
    return true;
  });
}

bool WindowSystem::move(Handle w, Point p) {
  Rect b = boundsOf(w);
  return setBounds(w, Rect::fromSize(p.x, p.y, b.width(), b.height()));
}

bool WindowSystem::resize(Handle w, Size s) {
  Rect b = boundsOf(w);
  return setBounds(w, Rect::fromSize(b.left, b.top, s.width, s.height));
}

bool WindowSystem::show(Handle w, bool visible) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (rec->visible == visible) return true;
    Rect area = tree_->rectInTop(*rec);
    bool wasShown = tree_->visibleChain(*rec);
    rec->visible = visible;
    tree_->callProc(rec, msg::kShowWindow, visible ? 1 : 0, 0);
    auto top = find(topLevelOf(w));
    if (rec->topLevel) {
      backend_->showTopLevel(w, visible);
      if (visible) tree_->invalidateInTop(rec, Region(Rect{0, 0, area.width(), area.height()}));
    } else if (top && (wasShown || tree_->visibleChain(*rec))) {
      tree_->invalidateInTop(top, Region(area));
    }
    return true;
  });
}

bool WindowSystem::isVisible(Handle w) const {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) { return tree_->visibleChain(*rec); });
}

bool WindowSystem::enable(Handle w, bool enabled) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (rec->enabled == enabled) return true;
    rec->enabled = enabled;
    if (!enabled) {
      UiThreadState& ts = state();
      if (ts.capture == w) releaseCapture();
      if (ts.focus == w) setFocus(kNoWindow);
    }
    tree_->callProc(rec, msg::kEnable, enabled ? 1 : 0, 0);
    return true;
  });
}

bool WindowSystem::isEnabled(Handle w) const {
  return onOwner(w, false, [](const std::shared_ptr<WindowRecord>& rec) { return rec->enabled; });
}

namespace {
// Moves `w` within its siblings to index `to` of the remaining list (0 = bottom).
void restack(std::vector<Handle>& siblings, Handle w, size_t to) {
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(std::min(to, siblings.size())), w);
}
}  // namespace

bool WindowSystem::raise(Handle w) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    auto parent = find(rec->parent);
    if (!parent) return rec->topLevel;
    restack(parent->children, w, parent->children.size());
    if (tree_->visibleChain(*rec)) tree_->invalidateInTop(find(topLevelOf(w)), Region(tree_->rectInTop(*rec)));
    return true;
  });
}

bool WindowSystem::lower(Handle w) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    auto parent = find(rec->parent);
    if (!parent) return rec->topLevel;
    restack(parent->children, w, 0);
    if (tree_->visibleChain(*parent)) tree_->invalidateInTop(find(topLevelOf(w)), Region(tree_->rectInTop(*rec)));
    return true;
  });
}

bool WindowSystem::placeAbove(Handle w, Handle sibling) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    auto parent = find(rec->parent);
    if (!parent || w == sibling) return false;
    auto& kids = parent->children;
    if (std::find(kids.begin(), kids.end(), sibling) == kids.end()) return false;
    kids.erase(std::remove(kids.begin(), kids.end(), w), kids.end());
    kids.insert(std::find(kids.begin(), kids.end(), sibling) + 1, w);
    if (tree_->visibleChain(*parent)) tree_->invalidateInTop(find(topLevelOf(w)), Region(tree_->rectInTop(*rec)));
    return true;
  });
}

bool WindowSystem::setTitle(Handle w, const std::u16string& title) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    rec->title = title;
    if (rec->topLevel) backend_->setTitle(w, platform::text::utf16ToUtf8(title));
    return true;
  });
}

std::u16string WindowSystem::titleOf(Handle w) const {
  return onOwner(w, std::u16string{}, [](const std::shared_ptr<WindowRecord>& rec) { return rec->title; });
}

bool WindowSystem::setBackground(Handle w, Color c) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    rec->background = c;
    return true;
  });
}

bool WindowSystem::acceptFiles(Handle w, bool on) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    rec->acceptFiles = on;
    return true;
  });
}

// ---------------------------------------------------------------- top-level windows

bool WindowSystem::setShape(Handle top, std::optional<Region> shape) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    rec->shape = std::move(shape);
    backend_->setShape(top, rec->shape ? &*rec->shape : nullptr);
    return true;
  });
}

std::optional<Region> WindowSystem::shapeOf(Handle top) const {
  return onOwner(top, std::optional<Region>{}, [](const std::shared_ptr<WindowRecord>& rec) { return rec->shape; });
}

bool WindowSystem::setOpacity(Handle top, int percent) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    rec->opacity = std::clamp(percent, 0, 100);
    backend_->setOpacity(top, rec->opacity);
    return true;
  });
}

int WindowSystem::opacityOf(Handle top) const {
  return onOwner(top, 100, [](const std::shared_ptr<WindowRecord>& rec) { return rec->opacity; });
}

bool WindowSystem::setKeepOnTop(Handle top, bool on) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    rec->keepOnTop = on;
    backend_->setKeepOnTop(top, on);
    return true;
  });
}

bool WindowSystem::isKeptOnTop(Handle top) const {
  return onOwner(top, false, [](const std::shared_ptr<WindowRecord>& rec) { return rec->keepOnTop; });
}

bool WindowSystem::setFrameStyle(Handle top, const FrameStyle& style) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    rec->frameStyle = style;
    backend_->setFrameStyle(top, style);
    return true;
  });
}

FrameStyle WindowSystem::frameStyleOf(Handle top) const {
  return onOwner(top, FrameStyle{}, [](const std::shared_ptr<WindowRecord>& rec) { return rec->frameStyle; });
}

bool WindowSystem::setState(Handle top, WindowState st) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    if (rec->state == st) return true;
    rec->state = st;
    backend_->setState(top, st);
    SizeKind kind = st == WindowState::kMinimized   ? SizeKind::kMinimized
                    : st == WindowState::kMaximized ? SizeKind::kMaximized
                                                    : SizeKind::kRestored;
    tree_->callProc(rec, msg::kSize, static_cast<WParam>(kind),
             packSize({rec->bounds.width(), rec->bounds.height()}));
    return true;
  });
}

WindowState WindowSystem::stateOf(Handle top) const {
  return onOwner(top, WindowState::kNormal, [](const std::shared_ptr<WindowRecord>& rec) { return rec->state; });
}

bool WindowSystem::activate(Handle top) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    backend_->activate(top);
    Handle old = active_.exchange(top);
    if (old == top) return true;
    if (old != kNoWindow) send(old, msg::kActivate, 0, 0);
    tree_->callProc(rec, msg::kActivate, 1, 0);
    return true;
  });
}

Handle WindowSystem::activeWindow() const { return active_.load(); }

bool WindowSystem::setCursor(Handle w, Cursor cursor) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>&) {
    auto top = find(topLevelOf(w));
    if (!top) return false;
    if (top->cursor != cursor) {
      top->cursor = cursor;
      backend_->setCursor(top->handle, cursor);
    }
    return true;
  });
}

Cursor WindowSystem::cursorOf(Handle top) const {
  return onOwner(top, Cursor::kArrow, [](const std::shared_ptr<WindowRecord>& rec) { return rec->cursor; });
}

bool WindowSystem::beginMoveDrag(Handle top) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    UiThreadState& ts = state();
    if (!backend_->clientMovesWindows()) {
      backend_->beginMoveDrag(top, 0, ts.pointer, ts.pointerTime);
      return true;
    }
    ts.drag.window = top;
    ts.drag.anchor = {ts.pointer.x - rec->bounds.left, ts.pointer.y - rec->bounds.top};
    setCapture(top);
    return true;
  });
}

bool WindowSystem::sizeFromEdge(Handle top, int edgeCode, const Rect& proposed) {
  return onOwner(top, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return false;
    Rect r = proposed;
    tree_->callProc(rec, msg::kSizing, static_cast<WParam>(edgeCode), reinterpret_cast<LParam>(&r));
    tree_->applyBounds(rec, r);
    return true;
  });
}

// ---------------------------------------------------------------- screen

std::vector<Monitor> WindowSystem::monitors() const { return backend_->monitors(); }

Rect WindowSystem::virtualScreen() const {
  Rect all;
  for (const Monitor& m : monitors()) all = all.unite(m.bounds);
  return all;
}

Rect WindowSystem::workArea() const {
  std::vector<Monitor> list = monitors();
  for (const Monitor& m : list)
    if (m.primary) return m.workArea;
  return list.empty() ? Rect{} : list.front().workArea;
}

Monitor WindowSystem::monitorOf(Handle w) const {
  std::vector<Monitor> list = monitors();
  if (list.empty()) return {};
  Rect b = boundsOf(topLevelOf(w));
  const Monitor* best = nullptr;
  long bestArea = 0;
  for (const Monitor& m : list) {
    Rect cut = m.bounds.intersect(b);
    long area = static_cast<long>(cut.width()) * cut.height();
    if (area > bestArea) {
      bestArea = area;
      best = &m;
    }
  }
  if (best) return *best;
  for (const Monitor& m : list)
    if (m.primary) return m;
  return list.front();
}

// ---------------------------------------------------------------- painting

bool WindowSystem::invalidate(Handle w, bool erase) {
  Rect all = clientRect(w);
  return invalidate(w, all, erase);
}

bool WindowSystem::invalidate(Handle w, const Rect& r, bool erase) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    Rect cut = r.intersect({0, 0, rec->bounds.width(), rec->bounds.height()});
    if (cut.empty() || !tree_->visibleChain(*rec)) return true;
    rec->invalid.unite(cut);
    rec->erase = rec->erase || erase;
    auto top = find(topLevelOf(w));
    if (top) {
      top->needsPaint = true;
      top->queue->wake();
    }
    return true;
  });
}

bool WindowSystem::invalidateTree(Handle w) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (tree_->visibleChain(*rec)) tree_->invalidateInTop(find(topLevelOf(w)), Region(tree_->rectInTop(*rec)));
    return true;
  });
}

bool WindowSystem::validate(Handle w) {
  return onOwner(w, false, [](const std::shared_ptr<WindowRecord>& rec) {
    rec->invalid.clear();
    rec->erase = false;
    return true;
  });
}

bool WindowSystem::update(Handle w) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>& rec) {
    auto top = rec->topLevel ? rec : find(topLevelOf(w));
    if (top && top->needsPaint) Compositor(*this).paintTop(top);
    return true;
  });
}

Image WindowSystem::snapshot(Handle top) {
  return onOwner(top, Image{}, [&](const std::shared_ptr<WindowRecord>& rec) {
    if (!rec->topLevel) return Image{};
    if (rec->needsPaint) Compositor(*this).paintTop(rec);
    Image copy = rec->surface;
    if (rec->shape) {
      Region outside(copy.bounds());
      outside.subtract(*rec->shape);
      for (const Rect& r : outside.rects()) copy.clear(r);
    }
    return copy;
  });
}

// ---------------------------------------------------------------- capture and focus

Handle WindowSystem::setCapture(Handle w) {
  return onOwner(w, kNoWindow, [&](const std::shared_ptr<WindowRecord>&) {
    UiThreadState& ts = state();
    Handle old = ts.capture;
    ts.capture = w;
    if (old != kNoWindow && old != w)
      if (auto o = find(old)) tree_->callProc(o, msg::kCaptureChanged, 0, static_cast<LParam>(w));
    return old;
  });
}

bool WindowSystem::releaseCapture() {
  UiThreadState& ts = state();
  Handle old = ts.capture;
  ts.capture = kNoWindow;
  if (ts.drag.window == old) ts.drag = {};
  if (old != kNoWindow)
    if (auto o = find(old)) tree_->callProc(o, msg::kCaptureChanged, 0, 0);
  return true;
}

Handle WindowSystem::captureWindow() const { return state().capture; }

Handle WindowSystem::setFocus(Handle w) {
  auto apply = [&]() {
    UiThreadState& ts = state();
    Handle old = ts.focus;
    if (old == w) return old;
    ts.focus = w;
    if (auto o = find(old)) tree_->callProc(o, msg::kKillFocus, static_cast<WParam>(w), 0);
    if (auto n = find(w)) tree_->callProc(n, msg::kSetFocus, static_cast<WParam>(old), 0);
    return old;
  };
  if (w == kNoWindow) return apply();
  return onOwner(w, kNoWindow, [&](const std::shared_ptr<WindowRecord>& rec) {
    return rec->enabled ? apply() : kNoWindow;
  });
}

Handle WindowSystem::focusWindow() const { return state().focus; }

Point WindowSystem::pointerPosition() const { return state().pointer; }

// ---------------------------------------------------------------- messages

LResult WindowSystem::send(Handle w, std::uint32_t code, WParam wp, LParam lp) {
  auto rec = find(w);
  if (!rec) return 0;
  if (rec->queue->isCurrent()) return tree_->callProc(rec, code, wp, lp);
  LResult result = 0;
  rec->queue->call([&] {
    if (auto again = find(w)) result = tree_->callProc(again, code, wp, lp);
  });
  return result;
}

bool WindowSystem::post(Handle w, std::uint32_t code, WParam wp, LParam lp) {
  auto rec = find(w);
  return rec && rec->queue->post({w, code, wp, lp});
}

void WindowSystem::postQuit(int exitCode) { loop_->postQuit(exitCode); }

bool WindowSystem::getMessage(Message& out) {
  loop_->next(out, true);
  return out.code != msg::kQuit;
}

bool WindowSystem::peekMessage(Message& out) {
  if (!loop_->next(out, false)) return false;
  if (out.code == msg::kQuit) {
    // Seen by the next getMessage as well, so that a nested loop ending on quit ends the outer one.
    postQuit(static_cast<int>(out.wParam));
  }
  return true;
}

LResult WindowSystem::dispatch(const Message& m) {
  auto rec = find(m.window);
  return rec ? tree_->callProc(rec, m.code, m.wParam, m.lParam) : 0;
}

int WindowSystem::run() {
  Message m;
  while (getMessage(m)) dispatch(m);
  return static_cast<int>(m.wParam);
}

int WindowSystem::processPending() {
  int count = 0;
  Message m;
  while (loop_->next(m, false)) {
    if (m.code == msg::kQuit) {
      postQuit(static_cast<int>(m.wParam));
      break;
    }
    dispatch(m);
    ++count;
  }
  return count;
}

LResult WindowSystem::defaultProc(const Message& m) {
  switch (m.code) {
    case msg::kClose:
      destroy(m.window);
      return 0;
    case msg::kHitTest:
      return hit::kClient;
    case msg::kMouseWheel: {
      // Unhandled wheel turns travel up to the parent.
      Handle parent = parentOf(m.window);
      return parent != kNoWindow ? send(parent, m.code, m.wParam, m.lParam) : 0;
    }
    case msg::kEraseBackground: {
      auto rec = find(m.window);
      auto* canvas = reinterpret_cast<Canvas*>(m.lParam);
      if (!rec || !canvas) return 0;
      canvas->fillRect({0, 0, rec->bounds.width(), rec->bounds.height()}, rec->background);
      return 1;
    }
    default:
      return 0;
  }
}

bool WindowSystem::setTimer(Handle w, unsigned id, unsigned milliseconds) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>&) { return loop_->setTimer(w, id, milliseconds); });
}

bool WindowSystem::killTimer(Handle w, unsigned id) {
  return onOwner(w, false, [&](const std::shared_ptr<WindowRecord>&) { return loop_->killTimer(w, id); });
}

// ---------------------------------------------------------------- input

void WindowSystem::deliver(InputEvent event) {
  if (auto rec = find(event.window)) rec->queue->postInput(std::move(event));
}


}  // namespace platform::ui
