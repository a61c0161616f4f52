#include "s/sound/gui/dialogs/player/MprisBridge.h"

#include "platform/desktop/MprisService.h"
#include "platform/text/Utf.h"
#include "platform/ui/desktop/UriList.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Window.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace s::sound::gui::dialogs::player {

using platform::desktop::MprisSnapshot;

MprisBridge::MprisBridge(Dialog& dialog)
    : dialog_(dialog), service_(std::make_unique<platform::desktop::MprisService>(*this, "sonvia")) {}

// The service goes first: its thread may be in the middle of a call into the window.
MprisBridge::~MprisBridge() { service_.reset(); }

void MprisBridge::changed() { service_->changed(snapshotHere()); }

MprisSnapshot MprisBridge::snapshotHere() {
  MprisSnapshot s;
  PlayState& state = dialog_.state();
  s.status = !state.playing ? MprisSnapshot::Status::kStopped
             : state.paused ? MprisSnapshot::Status::kPaused
                            : MprisSnapshot::Status::kPlaying;
  s.loop = state.repeatSong ? MprisSnapshot::Loop::kTrack
           : state.repeatList ? MprisSnapshot::Loop::kPlaylist
                              : MprisSnapshot::Loop::kNone;
  s.shuffle = state.shuffle;
  s.volume = state.volumeFactor.load();
  const int songs = dialog_.tree().list ? dialog_.tree().list->getRowCount() : 0;
  s.canGoNext = s.canGoPrevious = songs > 0;
  IInfo* song = state.playing ? state.currentEntry : nullptr;
  if (!song) return s;
  s.hasSong = true;
  s.songId = song->hasSongNumber() ? song->getSongNumber() : 1;
  s.title = platform::text::utf16ToUtf8(song->hasTitle() ? std::u16string(song->getTitle()) : PlayList::displayTitle(song));
  if (song->hasArtist()) s.artist = platform::text::utf16ToUtf8(song->getArtist());
  if (song->hasAlbum()) s.album = platform::text::utf16ToUtf8(song->getAlbum());
  s.url = platform::ui::desktop::UriList::fileUri(platform::text::fileNameFromUtf16(song->getPath()));
  const int64_t lengthMs = state.durationMs > 0 ? state.durationMs.load() : song->getPlayTimeMs();
  s.lengthUs = lengthMs * 1000;
  s.positionUs = static_cast<int64_t>(static_cast<double>(s.lengthUs) * state.positionPercent / 100.0);
  return s;
}

MprisSnapshot MprisBridge::mprisSnapshot() {
  MprisSnapshot s;
  dialog_.onWindowThread([&] { s = snapshotHere(); });
  return s;
}

void MprisBridge::raise() { dialog_.bringToFront(""); }

// As the close button: the lists and the window's place are stored on the way.
void MprisBridge::quit() {
  dialog_.onWindowThread([&] { dialog_.window()->close(); });
}

void MprisBridge::play() {
  dialog_.onWindowThread([&] {
    if (!dialog_.state().playing || dialog_.state().paused) dialog_.transport()->playOrPause();
  });
}

void MprisBridge::pause() {
  dialog_.onWindowThread([&] {
    if (dialog_.state().playing && !dialog_.state().paused) dialog_.transport()->playOrPause();
  });
}

void MprisBridge::playPause() {
  dialog_.onWindowThread([&] { dialog_.transport()->playOrPause(); });
}

void MprisBridge::stop() {
  dialog_.onWindowThread([&] { dialog_.transport()->stop(); });
}

void MprisBridge::next() {
  dialog_.onWindowThread([&] { dialog_.transport()->next(); });
}

void MprisBridge::previous() {
  dialog_.onWindowThread([&] { dialog_.transport()->previous(false); });
}

void MprisBridge::seekTo(int64_t positionUs) {
  bool moved = false;
  dialog_.onWindowThread([&] {
    PlayState& state = dialog_.state();
    const int64_t lengthMs = state.durationMs;
    if (!state.playing || lengthMs <= 0) return;
    state.seekRequest = static_cast<float>(static_cast<double>(positionUs) / 1000.0 / static_cast<double>(lengthMs) * 100.0);
    moved = true;
  });
  if (moved) service_->seeked(positionUs);
}

// A song is added to the list shown and played, as a later start's song is.
void MprisBridge::openUri(const std::string& uri) {
  const std::string path = platform::ui::desktop::UriList::filePath(uri);
  if (!path.empty()) dialog_.takeHandedOver({path});
}

void MprisBridge::setLoop(MprisSnapshot::Loop loop) {
  dialog_.onWindowThread([&] {
    dialog_.setPlayOrder(loop == MprisSnapshot::Loop::kTrack, loop == MprisSnapshot::Loop::kPlaylist,
                         dialog_.state().shuffle);
  });
}

void MprisBridge::setShuffle(bool on) {
  dialog_.onWindowThread([&] {
    const PlayState& state = dialog_.state();
    dialog_.setPlayOrder(state.repeatSong, state.repeatList, on);
  });
}

void MprisBridge::setVolume(double volume) {
  dialog_.onWindowThread([&] { dialog_.setVolume(static_cast<int>(volume * 100.0 + 0.5)); });
}

}  // namespace s::sound::gui::dialogs::player
