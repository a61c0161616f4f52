#include "s/sound/gui/dialogs/player/PlayRequests.h"

#include <utility>

#include "s/gui/win/ListBox2.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/IPlayDisplay.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayState.h"

namespace s::sound::gui::dialogs::player {

using Guard = thread::ObjLocker::Guard;

static_assert(PlayRequests::kPlayingMark == s::gui::win::ListBox2::kMarkBelow);

PlayRequests::PlayRequests(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view,
                           IPlayDisplay& display)
    : state_(state), lists_(lists), view_(view), display_(display), order_(state, lists, view) {}

void PlayRequests::started() { state_.playing = true; }

std::u16string PlayRequests::chooseFirst() {
  Guard hold(state_.windowLock);
  // The skip request belongs to the request taken here. Cleared with the taking, under the
  // lock, a request that comes while this song is being opened keeps its own and ends the song
  // as soon as it starts.
  state_.skipRequest = false;
  if (!state_.requestedPath.empty()) return std::exchange(state_.requestedPath, std::u16string());
  return order_.first();
}

IEncodedAudio* PlayRequests::openSong(const std::u16string& path) {
  Guard hold(state_.windowLock);
  state_.inSong = true;
  std::u16string title;
  IEncodedAudio* source = nullptr;
  int32_t boost = 0;
  IInfo* entry = PlayList::recordOf(lists_.addToSelected(path, &view_, &title, &source, &boost));
  if (!entry && source) {
    source->release();
    source = nullptr;
  }
  state_.currentEntry = source ? entry : nullptr;
  // Until the engine reports, the song is at its start: Previous must not read the seconds of
  // the song before it.
  state_.shownSeconds = 0;
  state_.positionPercent = 0.0f;
  state_.individualVolume = state_.currentEntry ? boost : 0;
  state_.titleText = std::move(title);
  return source;
}

void PlayRequests::markPlayingRow() {
  Guard hold(state_.windowLock);
  if (!state_.currentEntry) return;
  view_.setCurrentRow(order_.rowOf(state_.currentEntry), kPlayingMark);
  display_.playingRowChanged();
}

void PlayRequests::clearPlayingRow() {
  Guard hold(state_.windowLock);
  if (!state_.currentEntry) return;
  view_.setCurrentRow(-1, kPlayingMark);
  display_.playingRowChanged();
}

bool PlayRequests::chooseNext(std::u16string& path) {
  Guard hold(state_.windowLock);
  state_.skipRequest = false;
  if (!state_.requestedPath.empty()) {
    path = std::exchange(state_.requestedPath, std::u16string());
    return true;
  }
  return order_.next(path);
}

void PlayRequests::progress() {
  if (!state_.stopRequest) display_.showProgress();
}

bool PlayRequests::ended() {
  Guard hold(state_.windowLock);
  // A play request that came after the last choice was made (the process was on its way out
  // and did not start a new one): the process goes on with it.
  if (state_.skipRequest && !state_.closing) {
    state_.stopRequest = false;
    return true;
  }
  state_.playThreadStarted = false;
  state_.stopRequest = false;
  state_.playing = false;
  state_.paused = false;
  state_.inSong = false;
  state_.shownSeconds = 0;
  state_.positionPercent = 0.0f;
  // Nothing plays: the entry may go with its list from now on without anyone telling us.
  state_.currentEntry = nullptr;
  display_.showPlayButton(false);
  display_.showIdle();
  return false;
}

}  // namespace s::sound::gui::dialogs::player
