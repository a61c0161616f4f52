#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace s::sound::gui::dialogs::player {

// What the play process needs of the player window: a way onto the window's thread, and the
// display it keeps up to date. The play thread never touches a component itself; it runs the
// window's side of each step through onWindowThread and waits for it.
class IPlayDisplay {
 public:
  virtual ~IPlayDisplay() = default;

  // Runs `work` on the window's thread and waits for it. False (and `work` not run) when the
  // window is closing or gone: the play process then ends without touching the window.
  virtual bool onWindowThread(const std::function<void()>& work) = 0;

  // ---- called on the window's thread
  // Time counter, position slider (left alone while the user holds it) and, when a song has
  // just started, its title in the song label and the caption.
  virtual void showProgress() = 0;
  // Back to idle: product name, empty song label, "0:00", slider at 0, empty graph.
  virtual void showIdle() = 0;
  // The play button's glyph: "#Pause" while playing, "#Play" otherwise.
  virtual void showPlayButton(bool pauseGlyph) = 0;
  // "Paused..." in the title label and an empty song label, or the song's title again.
  virtual void showPaused(bool paused) = 0;
  // Tells the user why playback ended early (the device's own reason), once per failure.
  virtual void showPlayError(const std::u16string& text) = 0;
  // The list view's playing-row mark moved (or went): repaint what shows it.
  virtual void playingRowChanged() = 0;

  // ---- called on the play thread
  // One column of the display's history graph; `clearFirst` when the graph was switched on or
  // off since the last column. The window adds it and repaints on its own thread.
  virtual void addGraphColumn(int32_t value, bool clearFirst) = 0;
};

}  // namespace s::sound::gui::dialogs::player
