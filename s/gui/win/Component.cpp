#include "s/gui/win/Component.h"

#include <algorithm>

#include "platform/ui/Canvas.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/win/Host.h"
#include "s/gui/win/MessageDecoder.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {

// Where a hidden component's window is parked, out of every hit test.
constexpr Point kParked{-10000, 10000};

}  // namespace

Component::Component() = default;

Component::~Component() {
  // A component that goes before its container leaves it, so that no pass lays out a dead child.
  if (parent_) parent_->remove(this);
  destroyNative();
}

WindowSystem* Component::windowSystem() const { return host_ ? &host_->windowSystem() : nullptr; }

// ---------------------------------------------------------------- geometry

int Component::getScreenX() const {
  if (handle_ != kNoWindow) return windowSystem()->clientToScreen(handle_, {0, 0}).x;
  return originX_ + x_;
}

int Component::getScreenY() const {
  if (handle_ != kNoWindow) return windowSystem()->clientToScreen(handle_, {0, 0}).y;
  return originY_ + y_;
}

bool Component::containsScreenPoint(int x, int y) const {
  if (!isVisible()) return false;
  int sx = getScreenX();
  int sy = getScreenY();
  return x >= sx && y >= sy && x <= sx + width_ && y <= sy + height_;
}

void Component::setLocation(int x, int y) { place(x, y, width_, height_); }

void Component::setSize(int w, int h) { place(x_, y_, w, h); }

void Component::setBounds(int x, int y, int w, int h) { place(x, y, w, h); }

void Component::place(int x, int y, int w, int h) {
  x_ = x;
  y_ = y;
  width_ = std::max(0, w);
  height_ = std::max(0, h);
  moveNativeOrDefer();
  onGeometrySet();
}

void Component::setOrigin(int ox, int oy) {
  originX_ = ox;
  originY_ = oy;
  moveNativeOrDefer();
}

void Component::moveNativeOrDefer() {
  if (frozen_)
    pending_ = true;
  else
    applyNative();
}

void Component::applyNative() {
  if (handle_ == kNoWindow || !visible_) return;
  windowSystem()->setBounds(handle_, Rect::fromSize(x_ + originX_, y_ + originY_, width_, height_));
}

void Component::unfreeze() {
  frozen_ = false;
  if (!pending_) return;
  pending_ = false;
  applyNative();
}

int Component::getMinWidth() const { return fixedWidth_ >= 0 ? fixedWidth_ : minWidth_; }
int Component::getMinHeight() const { return fixedHeight_ >= 0 ? fixedHeight_ : minHeight_; }

int Component::getMaxWidth() const {
  if (fixedWidth_ >= 0) return fixedWidth_;
  if (widthPercent_ >= 0) return parentInnerWidth() * widthPercent_ / 100;
  return std::max(minWidth_, maxWidth_);
}

int Component::getMaxHeight() const {
  if (fixedHeight_ >= 0) return fixedHeight_;
  if (heightPercent_ >= 0) return parentInnerHeight() * heightPercent_ / 100;
  return std::max(minHeight_, maxHeight_);
}

void Component::setSizeClamped(int w, int h) {
  // The minimum wins over a maximum below it; the maximum is an upper bound otherwise.
  auto clamp = [](int v, int lo, int hi) { return std::min(v, hi) < lo ? lo : v >= hi ? hi : v; };
  setSize(clamp(w, getMinWidth(), getMaxWidth()), clamp(h, getMinHeight(), getMaxHeight()));
}

void Component::setMinSize(int w, int h) {
  minWidth_ = w;
  minHeight_ = h;
}

void Component::setMaxSize(int w, int h) {
  maxWidth_ = w;
  maxHeight_ = h;
}

void Component::setWidthPercent(int p) {
  widthPercent_ = p;
  fixedWidth_ = -1;
}

void Component::setHeightPercent(int p) {
  heightPercent_ = p;
  fixedHeight_ = -1;
}

void Component::setFixedWidth(int n) {
  fixedWidth_ = n;
  widthPercent_ = -1;
}

void Component::setFixedHeight(int n) {
  fixedHeight_ = n;
  heightPercent_ = -1;
}

void Component::centerInParent() {
  int pw = parentInnerWidth();
  int ph = parentInnerHeight();
  setLocation(pw > width_ ? (pw - width_) >> 1 : 0, ph > height_ ? (ph - height_) >> 1 : 0);
}

void Component::centerHorizontally() {
  int pw = parentInnerWidth();
  setLocation(pw > width_ ? (pw - width_) >> 1 : 0, y_);
}

void Component::centerVertically() {
  int ph = parentInnerHeight();
  setLocation(x_, ph > height_ ? (ph - height_) >> 1 : 0);
}

// ---------------------------------------------------------------- state

void Component::setVisible(bool show, bool relayout) {
  visible_ = show;
  if (WindowSystem* ws = windowSystem(); ws && handle_ != kNoWindow) {
    if (show) {
      ws->setBounds(handle_, Rect::fromSize(x_ + originX_, y_ + originY_, width_, height_));
      ws->show(handle_, true);
    } else {
      ws->show(handle_, false);
      ws->move(handle_, kParked);
    }
  }
  if (show && relayout) relayoutParent();
}

void Component::setEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  if (handle_ != kNoWindow) windowSystem()->enable(handle_, on);
  onEnabledChanged(on);
  repaint();
}

void Component::setBackgroundTransparent(bool doRepaint) {
  transparent_ = true;
  if (doRepaint) repaint();
}

void Component::setBackgroundSystem(bool doRepaint) {
  setBackgroundColor(redOf(kButtonFace), greenOf(kButtonFace), blueOf(kButtonFace), doRepaint);
}

void Component::setBackgroundPale(bool doRepaint) {
  // Half-way from the inactive caption text colour (black on current systems) to middle grey.
  const Color inactiveCaptionText = rgb(0, 0, 0);
  setBackgroundColor(128 + redOf(inactiveCaptionText) / 2, 128 + greenOf(inactiveCaptionText) / 2,
                     128 + blueOf(inactiveCaptionText) / 2, doRepaint);
}

void Component::setBackgroundColor(int r, int g, int b, bool doRepaint) {
  transparent_ = false;
  background_ = rgb(r, g, b);
  if (doRepaint) repaint();
}

Color Component::effectiveBackground() const {
  if (!transparent_) return background_;
  for (IContainer* p = parent_; p; p = p->getParent())
    if (!p->isBackgroundTransparent()) return p->getBackgroundColor();
  return host_ ? host_->background() : background_;
}

void Component::repaintRect(int x, int y, int w, int h) {
  if (isVisible()) windowSystem()->invalidate(handle_, Rect::fromSize(x, y, w, h));
}

void Component::repaint() {
  if (isVisible()) windowSystem()->invalidate(handle_);
}

void Component::relayoutParent() {
  if (parent_) parent_->doLayout();
}

void Component::resetComponent() {
  if (parent_) parent_->remove(this);  // the parent forgets it, and its window goes
  setParent(nullptr);
  frozen_ = pending_ = false;
  x_ = y_ = originX_ = originY_ = width_ = height_ = 0;
  minWidth_ = minHeight_ = maxWidth_ = maxHeight_ = 0;
  widthPercent_ = heightPercent_ = fixedWidth_ = fixedHeight_ = -1;
  background_ = kButtonFace;
  transparent_ = true;
  visible_ = enabled_ = true;
}

// ---------------------------------------------------------------- realisation

void Component::setParent(IContainer* parent) {
  if (!parent) {
    destroyNative();
    parent_ = nullptr;
    host_ = nullptr;
    return;
  }
  parent_ = parent;
  auto* owner = dynamic_cast<Component*>(parent);
  if (owner && owner->host_ && owner->handle_ != kNoWindow && handle_ == kNoWindow)
    realise(*owner->host_, owner->handle_);
}

void Component::hostIn(Host& host, Handle nativeParent) {
  if (handle_ == kNoWindow) realise(host, nativeParent);
}

void Component::realise(Host& host, Handle nativeParent) {
  host_ = &host;
  WindowSetup setup;
  setup.parent = nativeParent;
  setup.bounds = Rect::fromSize(x_ + originX_, y_ + originY_, width_, height_);
  setup.proc = [this](const Message& m) { return MessageDecoder::decode(*this, m); };
  handle_ = host.windowSystem().create(setup);
  if (handle_ == kNoWindow) return;  // geometry keeps working on the fields alone
  if (!enabled_) host.windowSystem().enable(handle_, false);
  onRealised();
  if (visible_) host.windowSystem().show(handle_, true);
}

void Component::destroyNative() {
  if (handle_ == kNoWindow) return;
  Handle h = handle_;
  handle_ = kNoWindow;
  if (host_) host_->windowSystem().destroy(h);
}

void Component::runOnOwner(const std::function<void()>& work) {
  if (handle_ == kNoWindow) {
    work();
    return;
  }
  windowSystem()->send(handle_, MessageDecoder::kRunOnOwner, 0, reinterpret_cast<LParam>(&work));
}

// ---------------------------------------------------------------- services

void Component::startTimer(unsigned id, unsigned milliseconds) {
  if (handle_ != kNoWindow) windowSystem()->setTimer(handle_, id, milliseconds);
}

void Component::stopTimer(unsigned id) {
  if (handle_ != kNoWindow) windowSystem()->killTimer(handle_, id);
}

void Component::captureMouse() {
  if (handle_ != kNoWindow) windowSystem()->setCapture(handle_);
}

void Component::releaseMouse() {
  if (hasCapture()) windowSystem()->releaseCapture();
}

bool Component::hasCapture() const {
  return handle_ != kNoWindow && windowSystem()->captureWindow() == handle_;
}

void Component::takeFocus() {
  if (handle_ != kNoWindow) windowSystem()->setFocus(handle_);
}

bool Component::hasFocus() const {
  return handle_ != kNoWindow && windowSystem()->focusWindow() == handle_;
}

bool Component::pointerInside() const {
  if (handle_ == kNoWindow) return false;
  Point p = windowSystem()->screenToClient(handle_, windowSystem()->pointerPosition());
  return clientRect().contains(p);
}

}  // namespace s::gui::win
