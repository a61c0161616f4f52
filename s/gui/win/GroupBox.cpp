#include "s/gui/win/GroupBox.h"

#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using GroupBoxPool = thread::PoolOf<GroupBox, thread::EasyPooler::kNeverKeep>;
// A size large enough that the drawer's insets do not depend on it.
constexpr Rect kProbe{0, 0, 1000, 1000};
}  // namespace

GroupBox* GroupBox::create() { return GroupBoxPool::acquire(); }
void GroupBox::release() { GroupBoxPool::release(this); }

GroupBox::GroupBox() { setPile(); }
GroupBox::~GroupBox() { caption_.unbind(); }

void GroupBox::reset() {
  caption_.unbind();
  caption_ = Caption();
  Box::reset();
  font_ = FontSetting();
  setPile();
}

void GroupBox::setText(const std::u16string& caption) {
  caption_.setText(caption);
  fitFrame();
}

void GroupBox::setTextId(int id) {
  caption_.setTextId(id, host() ? host()->localizer() : nullptr, this);
  fitFrame();
}

void GroupBox::onEvent(base::IObject* source, int code) {
  if (caption_.changedBy(source)) fitFrame();
  Box::onEvent(source, code);
}

void GroupBox::onRealised() {
  caption_.bind(host()->localizer(), this);
  fitFrame();
  Box::onRealised();
}

void GroupBox::fitFrame() {
  if (!host()) return;
  drawer::GroupBoxState state{caption_.text(), font_.style(host()->scale()), isEnabled()};
  Rect inner = host()->groupBox().inner(state, kProbe);
  setMarginLeft(inner.left - kProbe.left);
  setMarginTop(inner.top - kProbe.top);
  setMarginRight(kProbe.right - inner.right);
  setMarginBottom(kProbe.bottom - inner.bottom);
  doLayout();
  relayoutParent();
  repaint();
}

void GroupBox::paint(Canvas& canvas, const Rect& client) {
  drawer::GroupBoxState state{caption_.text(), font_.style(host()->scale()), isEnabled()};
  host()->groupBox().paint(state, client, canvas);
}

}  // namespace s::gui::win
