#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "s/sound/gui/dialogs/player/PlayRequests.h"
#include "s/thread/Pooled.h"

namespace s::gui::win {
class ListBox2;
}
namespace s::thread::win {
class Thread;
}

namespace s::sound::gui::dialogs::player {

class AllPlayLists;
class IPlayDisplay;
class PlayProcess;
struct PlayState;

// The transport of the player window (play, pause, stop, previous, next, play a row) and the
// play thread that runs the play process. Every operation runs on the window's thread; the
// process is started by the first play request and ends by itself.
//
// Lifetime: the state, the lists, the view and the display must outlive the play thread;
// shutdown() waits for it (see there).
class Transport {
 public:
  static constexpr int kShutdownWaitMs = 5000;
  // Previous restarts the song instead once this many seconds are shown.
  static constexpr int kRestartSeconds = 4;

  Transport(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view,
            IPlayDisplay& display);
  ~Transport();
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // Plays `path` now: the song playing ends at once and the process goes on with this one
  // (starting the process when it is not running). `repeatSong`, when given, becomes Repeat
  // Song. An empty path lets the process choose (in shuffle: a fresh order).
  void playRequest(std::u16string_view path, std::optional<bool> repeatSong = std::nullopt);
  // The play button.
  void playOrPause();
  // The stop button: the process ends after stopping the song; a request not yet taken goes.
  void stop();
  // The previous button (`forced` from the tray menu: never restarts the song).
  void previous(bool forced);
  // The next button.
  void next();
  // "Play" and "Play Repeatedly" of the list popup: the first selected row, with Repeat Song =
  // `repeat`. False when no row is selected.
  bool playSelected(bool repeat);
  // A double-clicked row.
  void playRow(int row);

  // Forgets the playing song's entry and its row mark, and stops the process if it plays. For
  // every operation that may give the playing song's record back (closing or clearing the
  // selected list, removing or moving its songs): call it before, or right after without
  // anything in between reading the entry, under the window lock. It never reads the entry.
  void forgetCurrentEntry();
  // The view row of the current entry (-1 when none or not shown), for the list operations that
  // report whether they removed it.
  int currentRow();

  // For the window's close: sets the stop request and waits up to `waitMs` for the play thread.
  // The window's onWindowThread must refuse work from here on (or keep running it), or the
  // process cannot end. False when the process did not end in time: the play thread is then
  // abandoned, still running, and what it uses (state, display, lists, view) must be kept.
  bool shutdown(int waitMs = kShutdownWaitMs);

  PlayRequests& requests();
  PlayOrder& order() { return requests().order(); }
  // The volume last handed to an engine.
  float engineVolume() const;
  // The output device for the songs from the next one on ("" = the first of the output list;
  // see PlayProcess::setOutputDevice).
  void setOutputDevice(const std::string& name);

 private:
  void startPlayThread();
  // Sets the stop request; a play request not yet taken is dropped with it.
  void requestStop();

  PlayState& state_;
  AllPlayLists& lists_;
  s::gui::win::ListBox2& view_;
  IPlayDisplay& display_;
  // What the play thread works with, kept by it while it runs (see shutdown).
  struct Running;
  std::shared_ptr<Running> running_;
  thread::Pooled<thread::win::Thread> thread_;
  bool shutDown_ = false;
};

}  // namespace s::sound::gui::dialogs::player
