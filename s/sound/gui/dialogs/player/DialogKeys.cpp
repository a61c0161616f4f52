// The keys of the window: play and pause, stepping and seeking, the volume, removing songs.
#include <algorithm>

#include "platform/ui/Message.h"
#include "s/gui/win/Slider.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/ListEdits.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

namespace vk = platform::ui::vk;

namespace {

// A Control-arrow moves the song by 5 % of the slider's 0..1000.
constexpr int kSeekStep = 50;
constexpr int kVolumeStep = 5;

}  // namespace

float Dialog::seekByArrow(int slider, bool forward) {
  return static_cast<float>(std::clamp(slider + (forward ? kSeekStep : -kSeekStep), 0, 1000)) / 10.0f;
}

void Dialog::onKey(int key, bool control) {
  const auto code = static_cast<unsigned>(key);
  if (code == vk::kDelete) {
    edits_->removeSelectedSongs(nullptr);
  } else if (code == vk::kReturn || code == vk::kSpace || code == vk::kOemPeriod) {
    transport_->playOrPause();
  } else if (code == vk::kLeft || code == vk::kRight) {
    // Between songs there is nothing to step through or seek in.
    if (!state_.playing) return;
    const bool forward = code == vk::kRight;
    if (control) {
      state_.seekRequest = seekByArrow(tree_.position->getValue(), forward);
    } else if (forward) {
      transport_->next();
    } else {
      transport_->previous(false);
    }
  } else if (code == vk::kUp || code == vk::kDown) {
    stepVolume(code == vk::kUp ? kVolumeStep : -kVolumeStep);
  }
}

// As the slider moves, but not stored: keys held down would write the setting at every step.
void Dialog::stepVolume(int by) {
  const int value = std::clamp(tree_.volume->getValue() + by, 0, 100);
  tree_.volume->setValue(value);
  view_.volume = value;
  state_.volumeFactor = static_cast<float>(value) / 100.0f;
  menus_->markVolume(value);
}

}  // namespace s::sound::gui::dialogs::player
