#include "s/gui/win/MessageDecoder.h"

#include <vector>

#include "platform/ui/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/win/Component.h"
#include "s/gui/win/Host.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {

MouseEvent mouseOf(const Message& m, int button) {
  MouseEvent e;
  e.point = unpackPoint(m.lParam);
  e.button = button;
  e.leftHeld = (m.wParam & mk::kLButton) != 0;
  e.rightHeld = (m.wParam & mk::kRButton) != 0;
  e.shift = (m.wParam & mk::kShift) != 0;
  e.control = (m.wParam & mk::kControl) != 0;
  return e;
}

}  // namespace

LResult MessageDecoder::decode(Component& c, const Message& m) {
  WindowSystem& ws = c.host_->windowSystem();
  switch (m.code) {
    case msg::kPaint:
      c.paint(reinterpret_cast<PaintEvent*>(m.lParam)->canvas, c.clientRect());
      return 0;
    case msg::kEraseBackground:
      eraseBehind(c, *reinterpret_cast<Canvas*>(m.lParam));
      return 1;
    case msg::kLButtonDown: c.onMouseDown(mouseOf(m, 0)); return 0;
    case msg::kRButtonDown: c.onMouseDown(mouseOf(m, 1)); return 0;
    case msg::kMButtonDown: c.onMouseDown(mouseOf(m, 2)); return 0;
    case msg::kLButtonDoubleClick: c.onDoubleClick(mouseOf(m, 0)); return 0;
    case msg::kRButtonDoubleClick: c.onDoubleClick(mouseOf(m, 1)); return 0;
    case msg::kMButtonDoubleClick: c.onDoubleClick(mouseOf(m, 2)); return 0;
    case msg::kLButtonUp: c.onMouseUp(mouseOf(m, 0)); return 0;
    case msg::kRButtonUp: c.onMouseUp(mouseOf(m, 1)); return 0;
    case msg::kMButtonUp: c.onMouseUp(mouseOf(m, 2)); return 0;
    case msg::kMouseMove: c.onMouseMove(mouseOf(m, -1)); return 0;
    case msg::kMouseLeave: c.onMouseLeave(); return 0;
    case msg::kMouseWheel: {
      WheelEvent e{wheelDelta(m.wParam), unpackPoint(m.lParam), (m.wParam & mk::kShift) != 0,
                   (m.wParam & mk::kControl) != 0};
      return c.onWheel(e) ? 1 : ws.defaultProc(m);
    }
    case msg::kKeyDown: {
      KeyEvent e{static_cast<unsigned>(m.wParam), (m.lParam & key::kShift) != 0,
                 (m.lParam & key::kControl) != 0, (m.lParam & key::kAlt) != 0,
                 (m.lParam & key::kRepeat) != 0};
      return c.onKeyDown(e) ? 1 : ws.defaultProc(m);
    }
    case msg::kChar: c.onChar(static_cast<char32_t>(m.wParam)); return 0;
    case msg::kSetFocus: c.onFocusChanged(true); return 0;
    case msg::kKillFocus: c.onFocusChanged(false); return 0;
    case msg::kSize: c.onResized(); return 0;
    case msg::kTimer: c.onTimer(static_cast<unsigned>(m.wParam)); return 0;
    case msg::kCaptureChanged:
      if (static_cast<Handle>(m.lParam) != c.handle_) c.onCaptureLost();
      return 0;
    case msg::kDropFiles: {
      const auto* d = reinterpret_cast<const DroppedFiles*>(m.lParam);
      c.onFilesDropped(d->point, d->paths);
      return 0;
    }
    case msg::kHitTest:
      return c.isMouseTransparent(unpackPoint(m.lParam)) ? hit::kTransparent : hit::kClient;
    case msg::kDestroy:
      if (m.window == c.handle_) c.handle_ = kNoWindow;
      return 0;
    case kRunOnOwner:
      (*reinterpret_cast<const std::function<void()>*>(m.lParam))();
      return 0;
    default:
      return ws.defaultProc(m);
  }
}

void MessageDecoder::eraseBehind(Component& self, Canvas& canvas) {
  canvas.fillRect(self.clientRect(), self.effectiveBackground());
  if (!self.transparent_) return;
  // What lies behind a transparent component is what its transparent ancestors paint over the
  // nearest opaque one (a graph behind a label, a frame behind a caption): paint them again
  // here, outermost first, each moved so that it lands where it lies.
  struct Behind {
    Component* component;
    Point offset;  // of this component in that ancestor's client area
  };
  std::vector<Behind> chain;
  Point offset{0, 0};
  for (Component* cur = &self; cur;) {
    auto* parent = dynamic_cast<Component*>(cur->parent_);
    if (!parent) break;
    offset = {offset.x + cur->x_ + cur->originX_, offset.y + cur->y_ + cur->originY_};
    chain.push_back({parent, offset});
    if (!parent->transparent_) break;
    cur = parent;
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    Canvas::Saved keep(canvas);
    canvas.translate(-it->offset.x, -it->offset.y);
    it->component->paint(canvas, it->component->clientRect());
  }
}

}  // namespace s::gui::win
