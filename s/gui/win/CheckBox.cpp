#include "s/gui/win/CheckBox.h"

#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

namespace {
using CheckBoxPool = thread::PoolOf<CheckBox, thread::EasyPooler::kNeverKeep>;
}

CheckBox* CheckBox::create() { return CheckBoxPool::acquire(); }
void CheckBox::release() { CheckBoxPool::release(this); }

void CheckBox::paintControl(const drawer::CheckState& state, platform::ui::Canvas& canvas,
                            const platform::ui::Rect& client) {
  host()->checkBox().paint(state, client, canvas);
}

platform::ui::Size CheckBox::measureControl(const drawer::CheckState& state) {
  return host()->checkBox().measure(state);
}

}  // namespace s::gui::win
