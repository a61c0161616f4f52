#include <algorithm>

#include "platform/ui/WindowSystem.h"
#include "s/app/IAppBase.h"
#include "s/app/IAppWindow.h"
#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"

// Where the window appears and stays: the placement kept by its application window, centring,
// keeping inside the screen, and moving it by its background.

namespace s::gui::win {

using namespace platform::ui;

namespace {

// The part of the window that must stay on the screen for the user to grab it again.
constexpr int kOnScreenMargin = 10;

Rect movedInside(Rect r, const Rect& bounds) {
  int x = r.left, y = r.top;
  if (r.right > bounds.right) x = bounds.right - r.width();
  if (r.bottom > bounds.bottom) y = bounds.bottom - r.height();
  x = std::max(x, bounds.left);
  y = std::max(y, bounds.top);
  return Rect::fromSize(x, y, r.width(), r.height());
}

}  // namespace

void Window::setAppWindow(app::IAppWindow* appWindow) {
  run([&] {
    appWindow_ = nullptr;  // what is read below is not stored back
    if (!appWindow) return;
    app::IAppBase* application = appWindow->getApplication();
    lang::Localizer* table = application ? application->getLanguageTable() : nullptr;
    setLocalizer(table);
    setSkinner(appWindow->getSkinner());
    if (table) setTitle(table->getText(appWindow->getTitleTextId()));
    setEasyDrag(appWindow->getEasyDrag());
    setKeepOnTop(appWindow->getKeepOnTop());
    setMiddleClickAction(appWindow->getMiddleClickAction());
    const int w = appWindow->getStoredWidth(), h = appWindow->getStoredHeight();
    if (appWindow->hasStoredPosition())
      ws_.setBounds(top_, Rect::fromSize(appWindow->getStoredX(), appWindow->getStoredY(), w, h));
    else
      ws_.resize(top_, {w, h});
    appWindow_ = appWindow;
  });
}

void Window::savePlacement(bool) {
  run([&] {
    if (!appWindow_) return;
    const WindowState state = ws_.stateOf(top_);
    if (state == WindowState::kMaximized) {
      if (!appWindow_->getMaximized()) appWindow_->storeMaximized(true);
      return;
    }
    if (state == WindowState::kMinimized) return;
    if (appWindow_->getMaximized()) appWindow_->storeMaximized(false);
    const Rect b = ws_.boundsOf(top_);
    // Only what changed is written: the settings are shared with other starts of the program.
    if (!appWindow_->hasStoredX() || appWindow_->getStoredX() != b.left) appWindow_->storeX(b.left);
    if (!appWindow_->hasStoredY() || appWindow_->getStoredY() != b.top) appWindow_->storeY(b.top);
    if (!appWindow_->hasStoredWidth() || appWindow_->getStoredWidth() != b.width())
      appWindow_->storeWidth(b.width());
    if (!appWindow_->hasStoredHeight() || appWindow_->getStoredHeight() != b.height())
      appWindow_->storeHeight(b.height());
  });
}

bool Window::isOnScreen() const {
  if (top_ == kNoWindow) return false;
  const Rect b = ws_.boundsOf(top_);
  const Rect screen = ws_.virtualScreen();
  return b.width() > kOnScreenMargin && b.height() > kOnScreenMargin &&
         b.left <= screen.right - kOnScreenMargin && b.right - screen.left >= kOnScreenMargin &&
         b.top <= screen.bottom - kOnScreenMargin && b.bottom - screen.top >= kOnScreenMargin;
}

void Window::show(bool visible, bool activateIt) {
  run([&] {
    const bool shown = ws_.isVisible(top_);
    if (!visible) {
      if (!shown) return;
      savePlacement(true);
      ws_.show(top_, false);
      return;
    }
    if (shown) return;
    if (activateIt && isMinimized()) ws_.setState(top_, WindowState::kNormal);
    if (!isMaximized() && appWindow_) {
      if (appWindow_->getMaximized()) {
        ws_.setState(top_, WindowState::kMaximized);
      } else if (!keepInScreen_ && (!appWindow_->hasStoredPosition() || !isOnScreen())) {
        // A first start, or a place on a monitor that is gone: the middle of the work area.
        const Rect work = ws_.workArea();
        Rect r = work.centred(ws_.boundsOf(top_).size());
        ws_.move(top_, {std::max(r.left, work.left), std::max(r.top, work.top)});
      }
    }
    ws_.show(top_, true);
    if (activateIt) activate(true);
  });
}

void Window::setEasyDrag(bool on) {
  run([&] {
    easyDrag_ = on;
    if (appWindow_) appWindow_->storeEasyDrag(on);
  });
}

Rect Window::keepInScreenBounds() const {
  return ws_.monitors().size() < 2 ? ws_.workArea() : ws_.virtualScreen();
}

void Window::limitPosition(Rect& bounds) const {
  if (keepInScreen_ && ws_.stateOf(top_) != WindowState::kMaximized)
    bounds = movedInside(bounds, keepInScreenBounds());
}

void Window::setKeepInScreen(bool on) {
  run([&] {
    keepInScreen_ = on;
    if (on) ws_.setBounds(top_, movedInside(ws_.boundsOf(top_), keepInScreenBounds()));
  });
}

void Window::keepInScreenNow() {
  run([&] {
    if (!isMaximized()) ws_.setBounds(top_, movedInside(ws_.boundsOf(top_), ws_.virtualScreen()));
  });
}

}  // namespace s::gui::win
