#include "s/gui/win/RadioButton.h"

#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

namespace {
using RadioButtonPool = thread::PoolOf<RadioButton, thread::EasyPooler::kNeverKeep>;
}

RadioButton* RadioButton::create() { return RadioButtonPool::acquire(); }
void RadioButton::release() { RadioButtonPool::release(this); }

void RadioButton::clicked() {
  if (isChecked()) return;
  if (IContainer* parent = getParent())
    for (int i = 0; i < parent->getComponentCount(); ++i)
      if (auto* other = dynamic_cast<RadioButton*>(parent->getComponent(i)); other && other != this)
        other->setChecked(false);
  setChecked(true);
}

void RadioButton::paintControl(const drawer::CheckState& state, platform::ui::Canvas& canvas,
                               const platform::ui::Rect& client) {
  host()->radioButton().paint(state, client, canvas);
}

platform::ui::Size RadioButton::measureControl(const drawer::CheckState& state) {
  return host()->radioButton().measure(state);
}

}  // namespace s::gui::win
