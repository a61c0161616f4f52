#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "s/thread/ObjLocker.h"

namespace s::sound {
class IInfo;
}

namespace s::sound::gui::dialogs::player {

// What the player window and its play process share about playback.
//
// Threads: the window's thread writes the switches (volume, mute, effects, pitch, seek, pause,
// stop, the play order) and the play thread polls them every 10 ms; the engine's play thread
// writes the position fields through the chunk callback. Those are plain atomics, read and
// written relaxed: each is one value and nothing is derived from two of them at once.
// `windowLock` guards `requestedPath`, the skip request's pairing with it, and the play lists;
// it is the outermost lock (take it before a play list's own lock, never while holding an
// engine lock). `currentEntry`, `titleText` and `lastTitle` belong to the window's thread only.
struct PlayState {
  thread::ObjLocker windowLock;

  // ---- the play process
  std::atomic<bool> playThreadStarted{false};
  std::atomic<bool> playing{false};
  std::atomic<bool> paused{false};
  std::atomic<bool> stopRequest{false};
  std::atomic<bool> skipRequest{false};
  std::atomic<bool> listChanged{false};
  std::atomic<bool> inSong{false};
  // The window is closing: the process ends and is not started again for a late request.
  std::atomic<bool> closing{false};
  std::u16string requestedPath;    // under windowLock
  IInfo* currentEntry = nullptr;   // window's thread; the selected list's playing song
  std::u16string titleText;        // window's thread; shown by the next display update
  std::u16string lastTitle;        // window's thread; shown again on resume

  // ---- position (engine callback and play thread; read by the display)
  std::atomic<int32_t> shownSeconds{0};
  std::atomic<int64_t> durationMs{0};
  std::atomic<float> positionPercent{0.0f};
  std::atomic<float> seekRequest{-1.0f};  // percent; -1 = none
  std::atomic<uint32_t> graphBytes{0};
  std::atomic<int32_t> graphPeak{0};

  // ---- sound
  std::atomic<float> volumeFactor{0.5f};       // 0..1
  std::atomic<bool> muted{false};
  std::atomic<int32_t> individualVolume{0};    // per-song boost, -50..50 percent
  std::atomic<int32_t> presetIndex{-1};        // -1 none, else 0..10
  std::atomic<bool> stereoFlag{false};
  std::atomic<bool> equalizerFlag{false};
  std::atomic<bool> softFlag{false};
  std::atomic<int32_t> pitch{0};               // semitones, -12..12

  // ---- play order and display switches
  std::atomic<bool> repeatSong{false};
  std::atomic<bool> repeatList{false};
  std::atomic<bool> shuffle{false};
  std::atomic<int32_t> shufflePosition{0};
  std::atomic<bool> showGraph{true};
  std::atomic<bool> showTimeRemaining{false};
};

}  // namespace s::sound::gui::dialogs::player
