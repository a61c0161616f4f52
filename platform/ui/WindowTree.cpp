#include "platform/ui/WindowTree.h"

#include <algorithm>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/WindowSystem.h"

namespace platform::ui {

std::shared_ptr<WindowRecord> WindowTree::find(Handle w) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : it->second;
}

void WindowTree::add(const std::shared_ptr<WindowRecord>& rec) {
  std::lock_guard lock(mutex_);
  windows_[rec->handle] = rec;
}

void WindowTree::remove(Handle w) {
  std::lock_guard lock(mutex_);
  windows_.erase(w);
}

std::vector<Handle> WindowTree::clear() {
  std::vector<Handle> tops;
  std::lock_guard lock(mutex_);
  for (auto& [h, rec] : windows_)
    if (rec->topLevel) tops.push_back(h);
  windows_.clear();
  return tops;
}

std::vector<std::shared_ptr<WindowRecord>> WindowTree::topLevelsToPaint() const {
  std::vector<std::shared_ptr<WindowRecord>> tops;
  std::lock_guard lock(mutex_);
  for (auto& [h, rec] : windows_)
    if (rec->topLevel && rec->queue->isCurrent() && rec->needsPaint) tops.push_back(rec);
  return tops;
}

Handle WindowTree::topLevelOf(Handle w) const {
  auto rec = find(w);
  while (rec && !rec->topLevel) rec = find(rec->parent);
  return rec ? rec->handle : kNoWindow;
}

Rect WindowTree::rectInTop(const WindowRecord& rec) const {
  Rect r{0, 0, rec.bounds.width(), rec.bounds.height()};
  const WindowRecord* cur = &rec;
  while (!cur->topLevel) {
    r = r.offset(cur->bounds.left, cur->bounds.top);
    auto parent = find(cur->parent);
    if (!parent) break;
    cur = parent.get();
  }
  return r;
}

bool WindowTree::visibleChain(const WindowRecord& rec) const {
  if (!rec.visible) return false;
  if (rec.topLevel) return true;
  auto parent = find(rec.parent);
  return parent && visibleChain(*parent);
}

void WindowTree::invalidateSubtree(const std::shared_ptr<WindowRecord>& rec, const Region& area,
                                   Point offset) {
  if (!rec->visible) return;
  Region mine = area;
  mine.intersect(Rect::fromSize(offset.x, offset.y, rec->bounds.width(), rec->bounds.height()));
  if (mine.empty()) return;
  Region local = mine;
  local.offset(-offset.x, -offset.y);
  rec->invalid.unite(local);
  rec->erase = true;
  for (Handle child : rec->children)
    if (auto c = find(child))
      invalidateSubtree(c, mine, {offset.x + c->bounds.left, offset.y + c->bounds.top});
}

void WindowTree::invalidateInTop(const std::shared_ptr<WindowRecord>& top, const Region& area) {
  if (!top) return;
  invalidateSubtree(top, area, {0, 0});
  top->needsPaint = true;
  top->queue->wake();
}

LResult WindowTree::callProc(const std::shared_ptr<WindowRecord>& rec, std::uint32_t code, WParam wp,
                             LParam lp) {
  // A copy, so that a procedure may replace itself or destroy its window while it runs.
  WindowProc proc = rec->proc;
  Message m{rec->handle, code, wp, lp};
  return proc ? proc(m) : ws_.defaultProc(m);
}

void WindowTree::applyBounds(const std::shared_ptr<WindowRecord>& rec, Rect r, Source source) {
  if (source == Source::kProgram) {
    WindowPos pos{r};
    callProc(rec, msg::kWindowPosChanging, 0, reinterpret_cast<LParam>(&pos));
    r = pos.bounds;
  }
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  Rect old = rec->bounds;
  if (r == old) return;
  bool moved = r.left != old.left || r.top != old.top;
  bool sized = r.width() != old.width() || r.height() != old.height();
  if (rec->topLevel) {
    rec->bounds = r;
    if (source == Source::kProgram) backend_.setTopLevelBounds(rec->handle, r);
    if (sized) {
      rec->surface = Image(std::max(1, r.width()), std::max(1, r.height()));
      if (rec->visible) invalidateInTop(rec, Region(Rect{0, 0, r.width(), r.height()}));
    }
  } else {
    Rect before = rectInTop(*rec);
    rec->bounds = r;
    Rect after = rectInTop(*rec);
    auto parent = find(rec->parent);
    if (parent && visibleChain(*parent) && rec->visible) {
      Region area(before);
      area.unite(after);
      invalidateInTop(find(topLevelOf(rec->handle)), area);
    }
  }
  if (moved) callProc(rec, msg::kMove, 0, packPoint({r.left, r.top}));
  if (sized) {
    auto kind = rec->state == WindowState::kMaximized ? SizeKind::kMaximized : SizeKind::kRestored;
    callProc(rec, msg::kSize, static_cast<WParam>(kind), packSize({r.width(), r.height()}));
  }
}

}  // namespace platform::ui
