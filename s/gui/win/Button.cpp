#include "s/gui/win/Button.h"

#include <cstdio>

#include "platform/ui/WindowSystem.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using ButtonPool = thread::PoolOf<Button, thread::EasyPooler::kNeverKeep>;
}

Button* Button::create() { return ButtonPool::acquire(); }
void Button::release() { ButtonPool::release(this); }
Button::~Button() { caption_.unbind(); }

void Button::reset() {
  caption_.unbind();
  caption_ = Caption();
  resetComponent();
  normalFont_ = disabledFont_ = checkedFont_ = FontSetting();
  clickListeners_.clear();
  toggleListeners_.clear();
  pressListeners_.clear();
  autoRepeat_ = pressed_ = toggle_ = showInverted_ = checked_ = mouseTransparent_ = false;
  mayTurnOff_ = true;
  hover_ = 0;
  own_ = nullptr;
}

const drawer::IButton& Button::drawer() const { return own_ ? *own_ : host()->button(); }

void Button::setText(const std::u16string& caption) {
  caption_.setText(caption);
  resizeToText();
  repaint();
}

void Button::setTextId(int id) {
  caption_.setTextId(id, host() ? host()->localizer() : nullptr, this);
  resizeToText();
  repaint();
}

void Button::setColorCaption(int r, int g, int b) {
  char text[24];
  std::snprintf(text, sizeof text, "#Color-%08X", static_cast<unsigned>(rgb(r, g, b)));
  setText(std::u16string(text, text + std::char_traits<char>::length(text)));
}

void Button::onEvent(base::IObject* source, int) {
  if (caption_.changedBy(source)) {
    resizeToText();
    repaint();
  }
}

void Button::onRealised() {
  caption_.bind(host()->localizer(), this);
  resizeToText();
}

void Button::setDrawer(const drawer::IButton* own) {
  own_ = own;
  resizeToText();
  repaint();
}

void Button::setToggle(bool toggleMode, bool mayTurnOff, bool showInverted) {
  toggle_ = toggleMode;
  mayTurnOff_ = mayTurnOff;
  showInverted_ = showInverted;
  repaint();
}

void Button::setChecked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  repaint();
}

void Button::resizeToText() {
  if (!host()) return;
  drawer::ButtonState state;
  state.caption = caption_.text();
  state.font = normalFont_.style(host()->scale());
  Size need = drawer().measure(state);
  setMinSize(need.width, need.height);
  setMaxSize(need.width, need.height);
  relayoutParent();
}

void Button::paint(Canvas& canvas, const Rect& client) {
  drawer::ButtonState state;
  state.caption = caption_.text();
  state.enabled = isEnabled();
  state.checked = checked_;
  state.hover = hover_;
  bool emphasised = checked_ != showInverted_;
  const FontSetting& font = !state.enabled ? disabledFont_ : emphasised ? checkedFont_ : normalFont_;
  state.look = !state.enabled ? drawer::Look::kDisabled
               : emphasised   ? drawer::Look::kEmphasised
                              : drawer::Look::kNormal;
  state.font = font.style(host()->scale());
  drawer().paint(state, client, canvas);
}

bool Button::isMouseTransparent(Point) const {
  // A checked toggle that may not be turned off keeps taking the mouse, so that it still shows
  // it is the chosen one.
  return mouseTransparent_ && !(toggle_ && checked_ && !mayTurnOff_);
}

void Button::setHover(int state) {
  if (hover_ == state) return;
  hover_ = state;
  repaint();
}

void Button::onMouseDown(const MouseEvent& e) {
  if (e.button != 0) return;
  pressed_ = true;
  anchor_ = {getScreenX() + e.point.x, getScreenY() + e.point.y};
  setHover(2);
  captureMouse();
  takeFocus();
  pressListeners_.raise(this, kPressed);
  if (autoRepeat_ && pressed_) startTimer(kRepeatDelayTimer, kRepeatDelayMs);
}

void Button::onMouseMove(const MouseEvent& e) {
  bool inside = clientRect().contains(e.point);
  if (pressed_ && isResizer()) {
    Point now{getScreenX() + e.point.x, getScreenY() + e.point.y};
    if (IContainer* parent = getParent())
      parent->setSizeClamped(parent->getWidth() + now.x - anchor_.x, parent->getHeight() + now.y - anchor_.y);
    anchor_ = now;
    return;
  }
  setHover(inside ? (pressed_ ? 2 : 1) : 0);
}

void Button::onMouseUp(const MouseEvent& e) {
  if (e.button != 0 || !pressed_) return;
  endPress();
  bool inside = clientRect().contains(e.point);
  setHover(inside ? 1 : 0);
  if (inside && !isResizer()) click();
}

void Button::onMouseLeave() {
  if (!pressed_) setHover(0);
}

void Button::onCaptureLost() {
  if (!pressed_) return;
  endPress();
  setHover(0);
}

void Button::onEnabledChanged(bool enabled) {
  if (enabled) return;
  if (pressed_) endPress();
  hover_ = 0;
}

bool Button::onKeyDown(const KeyEvent& e) {
  if ((e.key != vk::kSpace && e.key != vk::kReturn) || e.repeat) return false;
  click();
  return true;
}

void Button::onTimer(unsigned id) {
  if (id == kRepeatDelayTimer) {
    stopTimer(kRepeatDelayTimer);
    if (pressed_ && pointerInside()) startTimer(kRepeatTimer, kRepeatMs);
  } else if (id == kRepeatTimer) {
    if (pressed_ && pointerInside()) pressListeners_.raise(this, kPressed);
  }
}

void Button::endPress() {
  pressed_ = false;
  stopTimer(kRepeatDelayTimer);
  stopTimer(kRepeatTimer);
  releaseMouse();
}

void Button::click() {
  clickListeners_.raise(this, kClicked);
  if (toggle_) {
    if (!(checked_ && !mayTurnOff_)) checked_ = !checked_;
    repaint();
    toggleListeners_.raise(this, kToggled);
  }
}

}  // namespace s::gui::win
