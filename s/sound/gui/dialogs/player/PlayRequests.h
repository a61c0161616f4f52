#pragma once
#include <string>

#include "s/sound/gui/dialogs/player/PlayOrder.h"

namespace s::gui::win {
class ListBox2;
}
namespace s::sound {
class IEncodedAudio;
}

namespace s::sound::gui::dialogs::player {

class AllPlayLists;
class IPlayDisplay;
struct PlayState;

// The window's side of each step of the play process ("ProcessStatusStart", "PlayProcess01" to
// "PlayProcess05", "ProcessStatusUpdate", "ProcessStatusEnd"). Every operation runs on the
// window's thread, handed over by IPlayDisplay::onWindowThread while the play thread waits; the
// ones that touch the play lists or the requested path take the window lock.
class PlayRequests {
 public:
  // How the list view marks the playing row.
  static constexpr int kPlayingMark = 1;  // ListBox2::kMarkBelow

  PlayRequests(PlayState& state, AllPlayLists& lists, s::gui::win::ListBox2& view,
               IPlayDisplay& display);

  // "ProcessStatusStart".
  void started();
  // "PlayProcess01": the requested path, else the first song of the play order ("" = none).
  // Taking a request answers it: the skip request goes with it.
  std::u16string chooseFirst();
  // "PlayProcess02": adds the song to the selected list (or finds it there), makes it the
  // current entry with its boost and title, and opens it. Null (no current entry either) when
  // the file is gone or is not a song.
  IEncodedAudio* openSong(const std::u16string& path);
  // "PlayProcess03" and "PlayProcess04": the playing-row mark.
  void markPlayingRow();
  void clearPlayingRow();
  // "PlayProcess05": the requested path, else the next song of the play order; false when the
  // process should end.
  bool chooseNext(std::u16string& path);
  // "ProcessStatusUpdate".
  void progress();
  // "ProcessStatusEnd": back to idle, unless a play request came too late for the process to
  // take it (and the window is not closing): then true, and the process starts over at once.
  bool ended();

  PlayOrder& order() { return order_; }

 private:
  PlayState& state_;
  AllPlayLists& lists_;
  s::gui::win::ListBox2& view_;
  IPlayDisplay& display_;
  PlayOrder order_;
};

}  // namespace s::sound::gui::dialogs::player
