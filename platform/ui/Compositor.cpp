#include "platform/ui/Compositor.h"

#include "platform/ui/Canvas.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/WindowTree.h"

namespace platform::ui {

void Compositor::paintTree(const std::shared_ptr<WindowRecord>& rec, Canvas& canvas, Point offset,
                             const Region& allowed, Region& painted) {
  std::vector<std::shared_ptr<WindowRecord>> kids;
  for (Handle child : rec->children)
    if (auto c = ws_.find(child); c && c->visible) kids.push_back(c);
  if (!rec->invalid.empty()) {
    // A window never paints over its children.
    Region own = allowed;
    for (const auto& c : kids) own.subtract(c->bounds.offset(offset.x, offset.y));
    Region area = rec->invalid;
    area.offset(offset.x, offset.y);
    area.intersect(own);
    bool erase = rec->erase;
    rec->invalid.clear();
    rec->erase = false;
    if (!area.empty()) {
      Region local = area;
      local.offset(-offset.x, -offset.y);
      canvas.setOrigin(offset);
      canvas.setClip(local);
      if (erase) ws_.tree().callProc(rec, msg::kEraseBackground, 0, reinterpret_cast<LParam>(&canvas));
      canvas.setClip(local);
      PaintEvent event{canvas, local};
      ws_.tree().callProc(rec, msg::kPaint, 0, reinterpret_cast<LParam>(&event));
      painted.unite(area);
    }
  }
  // Top of the z-order first: what a child covers is taken away from the siblings below it.
  Region remaining = allowed;
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
    const auto& c = *it;
    if (!ws_.exists(c->handle)) continue;
    Rect r = c->bounds.offset(offset.x, offset.y);
    Region childArea = remaining;
    childArea.intersect(r);
    if (!childArea.empty()) paintTree(c, canvas, {r.left, r.top}, childArea, painted);
    remaining.subtract(r);
  }
}

void Compositor::paintTop(const std::shared_ptr<WindowRecord>& top) {
  if (top->painting) return;
  top->needsPaint = false;
  if (!top->visible || !top->surface.valid()) return;
  Region painted;
  {
    top->painting = true;
    Canvas canvas(top->surface);
    Rect all{0, 0, top->surface.width(), top->surface.height()};
    paintTree(top, canvas, {0, 0}, Region(all), painted);
    top->painting = false;
  }
  if (!painted.empty() && ws_.exists(top->handle))
    ws_.backend_->present(top->handle, top->surface, painted.bounds());
}

bool Compositor::paintPending() {
  std::vector<std::shared_ptr<WindowRecord>> tops = ws_.tree().topLevelsToPaint();
  for (auto& top : tops)
    if (ws_.exists(top->handle)) paintTop(top);
  return !tops.empty();
}

}  // namespace platform::ui
