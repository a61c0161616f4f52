#include "s/sound/gui/dialogs/player/Transport.h"

#include "s/gui/win/ListBox2.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/IPlayDisplay.h"
#include "s/sound/gui/dialogs/player/PlayProcess.h"
#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/thread/win/Thread.h"

namespace s::sound::gui::dialogs::player {

using Guard = thread::ObjLocker::Guard;

struct Transport::Running {
  Running(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view, IPlayDisplay& display)
      : requests(state, lists, view, display), process(state, display, requests) {}
  PlayRequests requests;
  PlayProcess process;
};

Transport::Transport(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view,
                     IPlayDisplay& display)
    : state_(state),
      lists_(lists),
      view_(view),
      display_(display),
      running_(std::make_shared<Running>(state, lists, view, display)),
      thread_(thread::holdPooled(thread::win::Thread::create())) {
  thread_->setPriority(thread::win::Thread::kPriorityHighest);
}

Transport::~Transport() { shutdown(); }

PlayRequests& Transport::requests() { return running_->requests; }

float Transport::engineVolume() const { return running_->process.engineVolume(); }

void Transport::setOutputDevice(const std::string& name) { running_->process.setOutputDevice(name); }

void Transport::startPlayThread() {
  Guard hold(state_.windowLock);
  if (state_.playThreadStarted || state_.closing) return;
  state_.playThreadStarted = true;
  // The thread keeps what the process uses for as long as it runs, also past a shutdown that
  // gave up waiting for it.
  thread_->runOnce(&running_->process, running_);
  display_.showPlayButton(true);
}

void Transport::requestStop() {
  Guard hold(state_.windowLock);
  state_.stopRequest = true;
  // Stop is the user's last word: a song asked for before it must not start the process again.
  state_.skipRequest = false;
  state_.requestedPath.clear();
}

void Transport::playRequest(std::u16string_view path, std::optional<bool> repeatSong) {
  if (state_.closing) return;
  {
    Guard hold(state_.windowLock);
    state_.listChanged = false;
    state_.requestedPath.assign(path);
    state_.skipRequest = true;
    if (repeatSong) state_.repeatSong = *repeatSong;
  }
  if (!state_.playThreadStarted) startPlayThread();
  if (state_.paused) {
    state_.paused = false;
    display_.showPlayButton(true);
  }
}

void Transport::playOrPause() {
  if (state_.playing && !state_.paused) {
    state_.paused = true;
    display_.showPaused(true);
    display_.showPlayButton(false);
    return;
  }
  if (state_.playing) {
    display_.showPaused(false);
    state_.paused = false;
    display_.showPlayButton(true);
    return;
  }
  std::u16string path;
  {
    Guard hold(state_.windowLock);
    // In shuffle the process deals a fresh order and starts at its first song.
    if (state_.shuffle && lists_.selectedSongCount() > 0) {
      path.clear();
    } else {
      path = order().rowPath(0);
      if (path.empty()) return;
    }
  }
  playRequest(path);
}

void Transport::stop() {
  if (state_.playing || state_.playThreadStarted) requestStop();
}

void Transport::previous(bool forced) {
  std::u16string path;
  bool stopHere = false;
  {
    Guard hold(state_.windowLock);
    if (!state_.playing || !state_.currentEntry) return;
    if (!forced && state_.shownSeconds >= kRestartSeconds) path = state_.currentEntry->getPath();
    else path = order().previousByUser(stopHere);
  }
  if (stopHere) requestStop();
  else if (!path.empty()) playRequest(path);
}

void Transport::next() {
  std::u16string path;
  {
    Guard hold(state_.windowLock);
    if (!state_.playing) return;
    path = order().nextByUser();
  }
  if (path.empty()) requestStop();
  else playRequest(path);
}

bool Transport::playSelected(bool repeat) {
  std::u16string path;
  {
    Guard hold(state_.windowLock);
    const std::vector<int> selected = view_.getSelectedIndices();
    if (!selected.empty()) path = order().rowPath(selected.front());
  }
  if (path.empty()) return false;
  playRequest(path, repeat);
  return true;
}

void Transport::playRow(int row) {
  std::u16string path;
  {
    Guard hold(state_.windowLock);
    path = order().rowPath(row);
  }
  if (!path.empty()) playRequest(path);
}

void Transport::forgetCurrentEntry() {
  Guard hold(state_.windowLock);
  if (state_.currentEntry) {
    view_.setCurrentRow(-1, PlayRequests::kPlayingMark);
    display_.playingRowChanged();
  }
  state_.currentEntry = nullptr;
  if (state_.playing || state_.playThreadStarted) requestStop();
}

int Transport::currentRow() {
  Guard hold(state_.windowLock);
  return order().rowOf(state_.currentEntry);
}

bool Transport::shutdown(int waitMs) {
  if (shutDown_) return thread_->isIdle();
  shutDown_ = true;
  state_.closing = true;
  requestStop();
  return thread_->waitIdleFor(waitMs);
}

}  // namespace s::sound::gui::dialogs::player
