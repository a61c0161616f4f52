#include "platform/ui/desktop/HeadlessTrayIcon.h"

#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/HeadlessDesktop.h"

namespace platform::ui::desktop {

HeadlessTrayIcon::HeadlessTrayIcon(HeadlessDesktop& desktop, WindowSystem& ws, Handle owner)
    : desktop_(desktop), ws_(ws), owner_(owner) {
  std::lock_guard lock(desktop_.mutex_);
  desktop_.trays_.push_back(this);
}

HeadlessTrayIcon::~HeadlessTrayIcon() {
  std::lock_guard lock(desktop_.mutex_);
  std::erase(desktop_.trays_, this);
}

void HeadlessTrayIcon::setIcon(const Image& icon) {
  std::lock_guard lock(mutex_);
  icon_ = icon;
}

void HeadlessTrayIcon::setTitle(const std::string& title) {
  std::lock_guard lock(mutex_);
  title_ = title;
}

void HeadlessTrayIcon::setToolTip(const std::string& text) {
  std::lock_guard lock(mutex_);
  toolTip_ = text;
}

void HeadlessTrayIcon::setMenu(const MenuModel& menu) {
  std::lock_guard lock(mutex_);
  menu_ = menu;
}

bool HeadlessTrayIcon::available() const {
  std::lock_guard lock(desktop_.mutex_);
  return desktop_.trayAvailable_;
}

Image HeadlessTrayIcon::icon() const {
  std::lock_guard lock(mutex_);
  return icon_;
}

std::string HeadlessTrayIcon::title() const {
  std::lock_guard lock(mutex_);
  return title_;
}

std::string HeadlessTrayIcon::toolTip() const {
  std::lock_guard lock(mutex_);
  return toolTip_;
}

MenuModel HeadlessTrayIcon::menu() const {
  std::lock_guard lock(mutex_);
  return menu_;
}

void HeadlessTrayIcon::click(Point screen) {
  ws_.post(owner_, msg::kTrayNotify, static_cast<WParam>(packPoint(screen)), msg::kLButtonDown);
}

void HeadlessTrayIcon::contextClick(Point screen) {
  ws_.post(owner_, msg::kTrayNotify, static_cast<WParam>(packPoint(screen)), msg::kRButtonDown);
}

void HeadlessTrayIcon::openMenu() { ws_.post(owner_, msg::kTrayMenuOpening); }

bool HeadlessTrayIcon::chooseFromMenu(int command) {
  if (!canChoose(menu(), command)) return false;
  return ws_.post(owner_, msg::kCommand, static_cast<WParam>(command));
}

void HeadlessTrayIcon::hostChanged(bool available) {
  ws_.post(owner_, msg::kTrayHostChanged, available ? 1 : 0);
}

}  // namespace platform::ui::desktop
