#include "s/gui/win/Window.h"

#include <algorithm>

#include "platform/text/Utf.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/DesktopServices.h"
#include "s/app/IAppWindow.h"
#include "s/gui/IPopupMenu.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/SessionEnd.h"
#include "s/gui/win/WindowMessages.h"
#include "s/str/CharCase.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {

// Lines per wheel notch, the desktop's usual setting.
constexpr int kWheelScrollLines = 3;
constexpr int kStopTimeoutMs = 5000;

}  // namespace

Window::Window(WindowSystem& ws) : ws_(ws), host_(ws) {
  setBackgroundColor(240, 240, 240, false);
  bool ok = thread_.start([this] { return createNative(); },
                          [this] {
                            ws_.run();
                          });
  if (!ok) {
    closed_ = true;
    // Nobody may be left waiting for a window that never came up; the user hears of it too.
    ws_.backend().desktop().messageBox(ws_, kNoWindow, desktop::MessageKind::kWarning, "Error!",
                                       "Window Creation Failed!");
    return;
  }
  SessionEnd::install();
  SessionEnd::add(this);
}

Window::~Window() {
  SessionEnd::remove(this);
  if (skinner_) skinner_->removeSkinListener(this);
  if (top_ != kNoWindow && !ws_.send(top_, WindowMessages::kShutdownMessage)) {
    // The thread is gone already; what is left are our own objects.
  }
  thread_.join(kStopTimeoutMs);
  if (ownsDrawer_ && drawer_) drawer_->release();
  if (ownsContextMenu_ && contextMenu_) contextMenu_->release();
}

std::string Window::createNative() {
  Rect work = ws_.workArea();
  WindowSetup setup;
  setup.bounds = Rect::fromSize(work.left + std::max(0, (work.width() - kDefaultWidth) / 2),
                               work.top + std::max(0, (work.height() - kDefaultHeight) / 2),
                               kDefaultWidth, kDefaultHeight);
  setup.title = u"Window";
  setup.proc = [this](const Message& m) { return WindowMessages::decode(*this, m); };
  setup.visible = false;
  Handle top = ws_.create(setup);
  if (top == kNoWindow) return "the window system could not create the window";
  top_ = top;
  Component::setBounds(0, 0, kDefaultWidth, kDefaultHeight);
  hostIn(host_, top_);
  if (nativeHandle() == kNoWindow) {
    ws_.destroy(top_);
    top_ = kNoWindow;
    return "the window system could not create the window's client area";
  }
  applyRegion();
  return {};
}

bool Window::run(const std::function<void()>& work) const {
  if (top_ == kNoWindow) return false;
  if (thread_.isOwnThread()) {
    work();
    return true;
  }
  bool ran = false;
  std::function<void()> wrapped = [&] {
    work();
    ran = true;
  };
  ws_.send(top_, WindowMessages::kRunMessage, 0, reinterpret_cast<LParam>(&wrapped));
  return ran;
}

void Window::raise(int code) {
  if (code >= 0 && code <= kLastEvent) events_[code].raise(static_cast<IWindow*>(this), code);
}

void Window::addWindowListener(int code, events::IEventListener* l) {
  if (code >= 0 && code <= kLastEvent) run([&] { events_[code].add(l); });
}

void Window::removeWindowListener(int code, events::IEventListener* l) {
  if (code >= 0 && code <= kLastEvent) run([&] { events_[code].remove(l); });
}

void Window::handleClose() {
  if (closed_) return;
  cancelClose_ = false;
  raise(kCloseRequested);
  if (cancelClose_) return;
  savePlacement(true);
  ws_.show(top_, false);
  keepTrayIcon_ = false;
  iconized_ = false;
  dropTray();
  closed_ = true;
  closed_.notify_all();
}

void Window::routeCommand(int id) {
  for (IPopupMenu* menu : {menuBar_, trayMenu_, contextMenu_}) {
    if (menu && menu->hasItem(id)) {
      menu->choose(id);
      return;
    }
  }
}

void Window::clientResized(Size size) {
  Component::setBounds(0, 0, size.width, size.height);
  doLayout();
  applyRegion();
}

// ---------------------------------------------------------------- input of the client area

void Window::onMouseDown(const MouseEvent& e) {
  if (e.button == 0) {
    if (easyDrag_ && ws_.beginMoveDrag(top_)) return;
    raise(kLeftButtonDown);
  } else if (e.button == 1) {
    raise(kRightButtonDown);
    if (contextMenu_) {
      raise(kContextMenuOpening);
      Point at = ws_.pointerPosition();
      contextMenu_->showBelow(at.x, at.y, *this);
    }
  } else if (e.button == 2) {
    raise(kMiddleButtonDown);
    if (middleAction_ == u"Close")
      ws_.post(top_, msg::kClose);
    else if (middleAction_ == u"Iconize")
      iconize();
  }
}

void Window::onDoubleClick(const MouseEvent& e) {
  if (e.button == 0)
    raise(kTitleDoubleClick);
  else
    onMouseDown(e);
}

void Window::onMouseUp(const MouseEvent& e) {
  if (e.button == 0) raise(kLeftButtonUp);
  if (e.button == 1) raise(kRightButtonUp);
}

void Window::onMouseMove(const MouseEvent&) { raise(kMouseMove); }

bool Window::onWheel(const WheelEvent& e) {
  if (Box::onWheel(e)) {
    wheelLines_ = Box::getWheelLines();
    return true;
  }
  if (events_[IWindow::kWheelTurned].empty()) return false;
  wheelLines_ = e.delta > 0 ? kWheelScrollLines : -kWheelScrollLines;
  raise(IWindow::kWheelTurned);
  return true;
}

bool Window::onKeyDown(const KeyEvent& e) {
  lastKey_ = static_cast<int>(e.key);
  lastKeyControl_ = e.control;
  raise(kKeyDown);
  return true;
}

void Window::onCaptureLost() { raise(kCaptureLost); }

void Window::beginDragCapture() {
  run([&] { captureMouse(); });
}

// ---------------------------------------------------------------- closing

void Window::waitUntilClosed() const {
  while (!closed_.load()) closed_.wait(false);
}

void Window::close() {
  if (closed_ || top_ == kNoWindow) return;
  ws_.send(top_, msg::kClose);
}

void Window::endSession() {
  if (top_ != kNoWindow) ws_.post(top_, WindowMessages::kSessionEndMessage);
}

bool Window::sendRequest(int a, int b, int c, int d, int& result) {
  if (closed_ || top_ == kNoWindow) return false;
  WindowMessages::Request r;
  r.params = {a, b, c, d};
  ws_.send(top_, WindowMessages::kRequestMessage, 0, reinterpret_cast<LParam>(&r));
  if (r.answered) result = r.result;
  return r.answered;
}

int Window::getRequestParam(int index) const {
  return index >= 0 && index < 4 ? request_[static_cast<std::size_t>(index)] : 0;
}

bool Window::sendHandOver() {
  if (closed_ || top_ == kNoWindow) return false;
  return ws_.send(top_, WindowMessages::kHandOverMessage) != 0;
}

// ---------------------------------------------------------------- geometry and layout

int Window::getX() const { return top_ != kNoWindow ? ws_.boundsOf(top_).left : 0; }

int Window::getY() const { return top_ != kNoWindow ? ws_.boundsOf(top_).top : 0; }

void Window::setLocation(int x, int y) {
  run([&] { ws_.move(top_, {x, y}); });
}

void Window::setSize(int w, int h) {
  run([&] { ws_.resize(top_, {std::max(0, w), std::max(0, h)}); });
}

void Window::setBounds(int x, int y, int w, int h) {
  run([&] { ws_.setBounds(top_, Rect::fromSize(x, y, std::max(0, w), std::max(0, h))); });
}

bool Window::isVisible() const { return top_ != kNoWindow && ws_.isVisible(top_); }

void Window::setVisible(bool show, bool) {
  run([&] { ws_.show(top_, show); });
}

void Window::doLayout() {
  Box::doLayout();
  if (statusBar_ && statusBar_->isShown()) {
    int h = statusBar_->getMaxHeight();
    statusBar_->setLocation(0, getHeight() - h);
    statusBar_->setSizeClamped(getWidth(), h);
  }
}

void Window::setStatusBar(IComponent* bar) {
  run([&] {
    if (statusBar_) statusBar_->setParent(nullptr);
    statusBar_ = bar;
    if (statusBar_) statusBar_->setParent(this);
    doLayout();
  });
}

int Window::getFrameWidth() const {
  return top_ != kNoWindow ? ws_.boundsOf(top_).width() - ws_.clientRect(top_).width() : 0;
}

int Window::getFrameHeight() const {
  return top_ != kNoWindow ? ws_.boundsOf(top_).height() - ws_.clientRect(top_).height() : 0;
}

std::u16string Window::getTitle() const {
  return top_ != kNoWindow ? ws_.titleOf(top_) : std::u16string();
}

void Window::setTitle(const std::u16string& title) {
  run([&] {
    ws_.setTitle(top_, title);
    if (tray_) tray_->setToolTip(platform::text::utf16ToUtf8(title));
  });
}

void Window::setMinSizeEnforced(bool width, bool height) {
  run([&] {
    minWidthEnforced_ = width;
    minHeightEnforced_ = height;
  });
}

// ---------------------------------------------------------------- painting and skin

const drawer::IWindow* Window::currentDrawer() const {
  if (drawer_) return drawer_;
  return host_.skin() ? host_.skin()->getWindow() : nullptr;
}

void Window::paint(Canvas& canvas, const Rect& client) {
  const drawer::IWindow* d = currentDrawer();
  if (!d) {
    Box::paint(canvas, client);
    return;
  }
  Image& image = buffer_.imageFor({client.width(), client.height()});
  {
    Canvas into(image);
    d->paint(drawerState_, client, into);
  }
  canvas.drawImage(image, client, {client.left, client.top});
}

void Window::applyRegion() {
  if (top_ == kNoWindow) return;
  const drawer::IWindow* d = currentDrawer();
  Rect r = ws_.clientRect(top_);
  if (d)
    ws_.setShape(top_, d->region(drawerState_, {r.width(), r.height()}));
  else
    ws_.setShape(top_, std::nullopt);
}

void Window::setDrawer(drawer::IWindow* drawer, bool owned) {
  run([&] {
    if (ownsDrawer_ && drawer_ && drawer_ != drawer) drawer_->release();
    drawer_ = drawer;
    ownsDrawer_ = owned && drawer;
    if (!currentDrawer()) buffer_.drop();
    applyRegion();
    ws_.invalidateTree(top_);
  });
}

void Window::setLocalizer(lang::Localizer* localizer) {
  run([&] { host_.setLocalizer(localizer); });
}

void Window::setSkinner(drawer::Skinner* skinner) {
  run([&] {
    if (skinner_) skinner_->removeSkinListener(this);
    skinner_ = skinner;
    if (skinner_) skinner_->addSkinListener(this);
    skinChanged();
  });
}

void Window::onEvent(base::IObject* source, int code) {
  // The skin may change on another window's thread: the repaint is done on ours.
  if (source && source == skinner_ && code == drawer::Skinner::kSkinChanged) {
    if (top_ != kNoWindow) ws_.post(top_, WindowMessages::kSkinChangedMessage);
    return;
  }
  Box::onEvent(source, code);
}

void Window::skinChanged() {
  host_.setSkin(skinner_ ? skinner_->getCurrentSkin() : nullptr);
  if (!currentDrawer()) buffer_.drop();
  applyRegion();
  layoutTree(*this);
  ws_.invalidateTree(top_);
}

// ---------------------------------------------------------------- window state

bool Window::isMinimized() const {
  return top_ != kNoWindow && ws_.stateOf(top_) == WindowState::kMinimized;
}

bool Window::isMaximized() const {
  return top_ != kNoWindow && ws_.stateOf(top_) == WindowState::kMaximized;
}

void Window::minimize() {
  run([&] { ws_.setState(top_, WindowState::kMinimized); });
}

void Window::maximize() {
  run([&] { ws_.setState(top_, WindowState::kMaximized); });
}

void Window::restore() {
  run([&] {
    if (appWindow_ && ws_.stateOf(top_) == WindowState::kMaximized) appWindow_->storeMaximized(false);
    if (iconized_) {
      ws_.show(top_, true);
      iconized_ = false;
      if (!keepTrayIcon_) dropTray();
    }
    ws_.setState(top_, WindowState::kNormal);
    ws_.activate(top_);
  });
}

void Window::showNormal() {
  run([&] {
    ws_.setState(top_, WindowState::kNormal);
    ws_.show(top_, true);
  });
}

void Window::setContextMenu(IPopupMenu* menu, bool owned) {
  run([&] {
    if (ownsContextMenu_ && contextMenu_ && contextMenu_ != menu) contextMenu_->release();
    contextMenu_ = menu;
    ownsContextMenu_ = owned && menu;
    prepareMenu(menu);
  });
}

void Window::setKeepOnTop(bool on) {
  run([&] {
    keepOnTop_ = on;
    ws_.setKeepOnTop(top_, on);
    applyOpacity();
    if (appWindow_) appWindow_->storeKeepOnTop(on);
  });
}

void Window::setOpacity(int percent, bool onlyOnTop) {
  run([&] {
    opacity_ = std::clamp(percent, 0, 100);
    opacityOnlyOnTop_ = onlyOnTop;
    applyOpacity();
  });
}

void Window::applyOpacity() {
  int applied = opacityOnlyOnTop_ && !keepOnTop_ ? 100 : opacity_;
  if (ws_.opacityOf(top_) != applied) ws_.setOpacity(top_, applied);
}

void Window::setMiddleClickAction(const std::u16string& name) {
  run([&] {
    for (const char16_t* known : {u"Close", u"Iconize", u"DoNothing"}) {
      if (!str::CharCase::equalIgnoringCase(name, known)) continue;
      middleAction_ = known;
      if (appWindow_) appWindow_->storeMiddleClickAction(known);
    }
  });
}

// ---------------------------------------------------------------- dialogs, hot keys, timers

void Window::showInfo(const std::u16string& text) {
  if (top_ != kNoWindow) ws_.send(top_, WindowMessages::kMessageBoxInfo, 0, reinterpret_cast<LParam>(&text));
}

void Window::showError(const std::u16string& text) {
  if (top_ != kNoWindow) ws_.send(top_, WindowMessages::kMessageBoxError, 0, reinterpret_cast<LParam>(&text));
}

bool Window::ask(const std::u16string& text) {
  return top_ != kNoWindow && ws_.send(top_, WindowMessages::kMessageBoxAsk, 0, reinterpret_cast<LParam>(&text)) != 0;
}

bool Window::registerHotKey(const std::u16string& name, unsigned modifiers, unsigned virtualKey,
                            bool report) {
  // The desktops we run on give programs no global key grab that works everywhere (Wayland has
  // none at all), so none is taken; the caller hears so instead of a key that never fires.
  if (report) {
    std::u16string keys;
    if (modifiers & 1) keys += u"Alt+";
    if (modifiers & 2) keys += u"Ctrl+";
    if (modifiers & 4) keys += u"Shift+";
    if (modifiers & 8) keys += u"WinKey+";
    std::string code = std::to_string(virtualKey);
    keys.append(code.begin(), code.end());
    showInfo(u"HotKey " + keys + u" (" + name +
             u") cannot be registered: this desktop offers no global hot keys.");
  }
  return false;
}

void Window::setTimer(int id, int milliseconds) {
  if (top_ != kNoWindow && id >= 0)
    ws_.setTimer(top_, static_cast<unsigned>(id + kTimerBase), static_cast<unsigned>(std::max(0, milliseconds)));
}

void Window::killTimer(int id) {
  if (top_ != kNoWindow && id >= 0) ws_.killTimer(top_, static_cast<unsigned>(id + kTimerBase));
}

}  // namespace s::gui::win
