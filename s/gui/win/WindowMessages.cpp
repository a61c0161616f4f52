#include "s/gui/win/WindowMessages.h"

#include "platform/text/Utf.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "platform/ui/desktop/TrayIcon.h"
#include "s/gui/IPopupMenu.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/SizingRules.h"
#include "s/gui/win/Window.h"

namespace s::gui::win {

using namespace platform::ui;

LResult WindowMessages::decode(Window& w, const Message& m) {
  switch (m.code) {
    case kRunMessage:
      (*reinterpret_cast<const std::function<void()>*>(m.lParam))();
      return 0;
    case msg::kClose:
      w.handleClose();
      return 0;
    case msg::kSize:
      w.clientResized(unpackSize(m.lParam));
      return 0;
    case msg::kActivate:
      w.noteActivation(m.wParam != 0);
      w.raise(m.wParam ? Window::kActivated : Window::kDeactivated);
      return 0;
    case msg::kSizing:
      sizing(w, static_cast<int>(m.wParam), *reinterpret_cast<Rect*>(m.lParam));
      return 0;
    case msg::kWindowPosChanging:
      w.raise(Window::kPositionChanging);
      w.limitPosition(reinterpret_cast<WindowPos*>(m.lParam)->bounds);
      return 0;
    case msg::kKeyDown:
      w.lastKey_ = static_cast<int>(m.wParam);
      w.raise(Window::kKeyDown);
      return 0;
    case msg::kTimer:
      if (m.wParam >= static_cast<WParam>(Window::kTimerBase)) {
        w.timerId_ = static_cast<int>(m.wParam) - Window::kTimerBase;
        w.raise(Window::kTimer);
      }
      return 0;
    case msg::kCommand:
      w.routeCommand(static_cast<int>(m.wParam));
      return 0;
    case msg::kMenuClosed:
      if (w.trayMenuOpen_) w.ws_.activate(w.top_);
      w.trayMenuOpen_ = false;
      // The command just run may have changed the menus; the next opening finds them built.
      w.prepareMenu(w.contextMenu_);
      w.prepareMenu(w.trayMenu_);
      return 0;
    case msg::kTrayNotify:
      tray(w, unpackPoint(static_cast<LParam>(m.wParam)), m.lParam);
      return 0;
    case msg::kTrayMenuOpening:
      w.raise(Window::kTrayRightClick);
      if (w.tray_ && w.trayMenu_) {
        if (auto* menu = dynamic_cast<PopupMenu*>(w.trayMenu_)) w.tray_->setMenu(menu->toModel());
      }
      return 0;
    case msg::kTrayHostChanged:
      // Nothing shows the icon any more: a window hidden into it could never come back.
      if (m.wParam == 0 && w.iconized_) w.restore();
      return 0;
    case kRequestMessage: {
      auto* r = reinterpret_cast<Request*>(m.lParam);
      if (w.closed_) return 0;
      w.request_ = r->params;
      w.requestResult_ = 0;
      w.raise(Window::kRequest);
      r->result = w.requestResult_;
      r->answered = true;
      return 1;
    }
    case kBringToFrontMessage:
      w.bringToFront();
      return 1;
    case kHandOverMessage:
      if (w.closed_) return 0;
      w.raise(Window::kHandOver);
      return 1;
    case kMessageBoxInfo:
    case kMessageBoxError:
    case kMessageBoxAsk:
      return messageBox(w, m.code, *reinterpret_cast<const std::u16string*>(m.lParam)) ? 1 : 0;
    case kSkinChangedMessage:
      w.skinChanged();
      return 0;
    case msg::kEndSession:
      if (m.wParam == 0) return 0;
      [[fallthrough]];
    case kSessionEndMessage:
      w.sessionEnding_ = true;
      w.handleClose();
      return 0;
    case kShutdownMessage:
      w.iconized_ = false;
      w.dropTray();
      if (w.statusBar_) w.statusBar_->setParent(nullptr);
      w.setParent(nullptr);
      w.ws_.destroy(w.top_);
      w.ws_.postQuit(0);
      return 0;
    case msg::kEraseBackground:
      return 1;  // the client area is covered by the window's own box
    default:
      return w.ws_.defaultProc(m);
  }
}

void WindowMessages::sizing(Window& w, int platformEdge, Rect& r) {
  w.sizingEdge_ = SizingRules::edgeCode(platformEdge);
  w.sizing_ = r;
  SizingRules::limitHeight(w.sizing_, w.sizingEdge_, w.ws_.monitorOf(w.top_).workArea.height());
  w.raise(Window::kSizing);
  SizingRules::enforceMinimum(w.sizing_, w.sizingEdge_, w.getMinWidth(), w.getMinHeight(),
                              w.minWidthEnforced_, w.minHeightEnforced_);
  r = w.sizing_;
}

void WindowMessages::tray(Window& w, Point screen, LParam mouse) {
  if (mouse == static_cast<LParam>(msg::kLButtonDown)) {
    w.trayLeftClick();
    w.raise(Window::kTrayLeftClick);
  } else if (mouse == static_cast<LParam>(msg::kRButtonDown) && w.trayMenu_) {
    w.raise(Window::kTrayRightClick);
    w.ws_.activate(w.top_);
    w.trayMenuOpen_ = w.trayMenu_->showAbove(screen.x, screen.y, w);
  }
}

bool WindowMessages::messageBox(Window& w, std::uint32_t kind, const std::u16string& text) {
  desktop::MessageKind k = kind == kMessageBoxInfo    ? desktop::MessageKind::kInformation
                           : kind == kMessageBoxError ? desktop::MessageKind::kError
                                                      : desktop::MessageKind::kQuestion;
  return w.ws_.backend().desktop().messageBox(w.ws_, w.top_, k,
                                              platform::text::utf16ToUtf8(w.getTitle()),
                                              platform::text::utf16ToUtf8(text));
}

}  // namespace s::gui::win
