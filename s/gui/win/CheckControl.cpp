#include "s/gui/win/CheckControl.h"

#include "s/gui/win/Host.h"

namespace s::gui::win {

using namespace platform::ui;

CheckControl::~CheckControl() { caption_.unbind(); }

void CheckControl::resetCheckControl() {
  caption_.unbind();
  caption_ = Caption();
  resetComponent();
  font_ = FontSetting();
  checked_ = pressed_ = false;
  hover_ = 0;
  checkedListeners_.clear();
  uncheckedListeners_.clear();
  enabledListeners_.clear();
  disabledListeners_.clear();
}

void CheckControl::setText(const std::u16string& caption) {
  caption_.setText(caption);
  resizeToText();
  repaint();
}

void CheckControl::setTextId(int id) {
  caption_.setTextId(id, host() ? host()->localizer() : nullptr, this);
  resizeToText();
  repaint();
}

void CheckControl::onEvent(base::IObject* source, int) {
  if (caption_.changedBy(source)) {
    resizeToText();
    repaint();
  }
}

void CheckControl::onRealised() {
  caption_.bind(host()->localizer(), this);
  resizeToText();
}

void CheckControl::setChecked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  repaint();
  (on ? checkedListeners_ : uncheckedListeners_).raise(this, on ? kChecked : kUnchecked);
}

void CheckControl::setCheckedSilently(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  repaint();
}

drawer::CheckState CheckControl::state() const {
  drawer::CheckState s;
  s.caption = caption_.text();
  s.font = font_.style(host() ? host()->scale() : 1);
  s.checked = checked_;
  s.enabled = isEnabled();
  s.hover = hover_;
  return s;
}

void CheckControl::resizeToText() {
  if (!host()) return;
  Size need = measureControl(state());
  setMinSize(need.width, need.height);
  setMaxSize(need.width, need.height);
  relayoutParent();
}

void CheckControl::paint(Canvas& canvas, const Rect& client) { paintControl(state(), canvas, client); }

void CheckControl::setHover(int h) {
  if (hover_ == h) return;
  hover_ = h;
  repaint();
}

void CheckControl::onMouseDown(const MouseEvent& e) {
  if (e.button != 0) return;
  pressed_ = true;
  captureMouse();
  takeFocus();
  setHover(2);
}

void CheckControl::onMouseMove(const MouseEvent& e) {
  bool inside = clientRect().contains(e.point);
  setHover(inside ? (pressed_ ? 2 : 1) : 0);
}

void CheckControl::onMouseUp(const MouseEvent& e) {
  if (e.button != 0 || !pressed_) return;
  pressed_ = false;
  releaseMouse();
  bool inside = clientRect().contains(e.point);
  setHover(inside ? 1 : 0);
  if (inside) clicked();
}

void CheckControl::onMouseLeave() {
  if (!pressed_) setHover(0);
}

void CheckControl::onCaptureLost() {
  pressed_ = false;
  setHover(0);
}

bool CheckControl::onKeyDown(const KeyEvent& e) {
  if (e.key != vk::kSpace || e.repeat) return false;
  clicked();
  return true;
}

void CheckControl::onEnabledChanged(bool enabled) {
  if (!enabled) {
    pressed_ = false;
    hover_ = 0;
  }
  (enabled ? enabledListeners_ : disabledListeners_).raise(this, kEnabledChanged);
}

}  // namespace s::gui::win
