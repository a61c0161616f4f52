#include <algorithm>

#include "platform/ui/WindowSystem.h"
#include "s/gui/win/Window.h"
#include "s/gui/win/WindowMessages.h"

// Bringing the window to the user: activating it, the message a later start of the program
// sends, and the left click on its tray icon.

namespace s::gui::win {

using namespace platform::ui;

namespace {

// A click on the tray icon takes the focus from the window before the click arrives; a window
// that lost it this recently was in front when the user clicked.
constexpr auto kJustDeactivated = std::chrono::milliseconds(150);

}  // namespace

void Window::noteActivation(bool active) {
  if (!active && active_) lastDeactivation_ = std::chrono::steady_clock::now();
  if (active) lastDeactivation_ = {};
  active_ = active;
}

// Raising is all the user asked for: keep on top stays as it was, and is not stored again.
void Window::activate(bool on) {
  run([&] {
    if (on) {
      ws_.activate(top_);
      noteActivation(true);
    } else if (active_) {
      ws_.send(top_, msg::kActivate, 0, 0);
    }
  });
}

void Window::bringToFront() {
  if (top_ == kNoWindow || closed_) return;
  if (!thread_.isOwnThread()) {
    ws_.send(top_, WindowMessages::kBringToFrontMessage);
    return;
  }
  if (iconized_ || isMinimized()) restore();
  activate(true);
}

void Window::trayLeftClick() {
  const bool recentlyInFront =
      lastDeactivation_ != std::chrono::steady_clock::time_point{} &&
      std::chrono::steady_clock::now() - lastDeactivation_ < kJustDeactivated;
  if (iconized_) {
    restore();
  } else if (active_ || recentlyInFront) {
    iconize();
  } else {
    activate(true);
    if (isMinimized()) restore();
  }
}

int Window::getOpacityAlpha() const {
  const int percent = top_ != kNoWindow ? ws_.opacityOf(top_) : 100;
  return std::clamp(percent * 255 / 100, 0, 255);
}

}  // namespace s::gui::win
