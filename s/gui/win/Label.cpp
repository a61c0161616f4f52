#include "s/gui/win/Label.h"

#include "s/gui/drawer/IText.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using LabelPool = thread::PoolOf<Label, thread::EasyPooler::kNeverKeep>;
}

Label* Label::create() { return LabelPool::acquire(); }
void Label::release() { LabelPool::release(this); }
Label::~Label() { caption_.unbind(); }

void Label::reset() {
  caption_.unbind();
  caption_ = Caption();
  resetComponent();
  font_ = FontSetting();
  flags_ = 0;
  remembered_.reset();
  link_ = false;
  hover_ = 0;
  clickListeners_.clear();
}

void Label::setText(const std::u16string& text, bool resize) {
  runOnOwner([&] {
    caption_.setText(text);
    if (resize) resizeToText();
    repaint();
  });
}

void Label::setTextId(int id) {
  caption_.setTextId(id, host() ? host()->localizer() : nullptr, this);
  resizeToText();
  repaint();
}

void Label::showTextFor(const std::u16string& text, bool resize, unsigned milliseconds) {
  runOnOwner([&] {
    if (!remembered_) remembered_ = caption_.text();
    caption_.setText(text);
    if (resize) resizeToText();
    repaint();
    startTimer(kRestoreTimer, milliseconds);
  });
}

void Label::onTimer(unsigned id) {
  if (id != kRestoreTimer) return;
  stopTimer(kRestoreTimer);
  if (remembered_) caption_.setText(*remembered_);
  remembered_.reset();
  resizeToText();
  repaint();
}

void Label::setAlignment(unsigned flags) {
  flags_ = flags;
  repaint();
}

void Label::onEvent(base::IObject* source, int) {
  if (caption_.changedBy(source)) {
    resizeToText();
    repaint();
  }
}

void Label::onRealised() {
  caption_.bind(host()->localizer(), this);
  resizeToText();
}

void Label::resizeToText() {
  if (!host()) return;
  drawer::TextState state{caption_.text(), font_.style(host()->scale())};
  Size need = host()->text().measure(state);
  // A label is never lower than one line of its font, even when empty.
  need.height = std::max(need.height, host()->text().lineHeight(state.font));
  setMinSize(need.width, need.height);
  setMaxSize(need.width, need.height);
  relayoutParent();
}

void Label::paint(Canvas& canvas, const Rect& client) {
  if (!host()) return;
  drawer::TextState state{caption_.text(), font_.style(host()->scale())};
  state.look = !isEnabled() ? drawer::Look::kDisabled
               : hover_ > 0 ? drawer::Look::kEmphasised
                            : drawer::Look::kNormal;
  state.flags = flags_ | text::kVCenter;
  state.font.font.underline = state.font.font.underline || (link_ && hover_ > 0);
  host()->text().paint(state, client, canvas);
}

void Label::setLink(bool on) {
  link_ = on;
  setHover(0);
}

void Label::setHover(int state) {
  if (hover_ == state) return;
  hover_ = state;
  repaint();
}

void Label::onMouseDown(const MouseEvent& e) {
  if (!link_ || e.button != 0) return;
  captureMouse();
  setHover(2);
}

void Label::onMouseUp(const MouseEvent& e) {
  if (!link_ || e.button != 0 || hover_ != 2) return;
  releaseMouse();
  bool inside = clientRect().contains(e.point);
  setHover(inside ? 1 : 0);
  if (inside) clickListeners_.raise(this, kClicked);
}

void Label::onMouseMove(const MouseEvent& e) {
  if (!link_) return;
  bool inside = clientRect().contains(e.point);
  if (hover_ == 2) return;  // pressed stays pressed until the release decides
  setHover(inside ? 1 : 0);
}

void Label::onMouseLeave() {
  if (hover_ != 2) setHover(0);
}

}  // namespace s::gui::win
