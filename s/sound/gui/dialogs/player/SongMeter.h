#pragma once
#include <atomic>
#include <cstdint>
#include <optional>

namespace s::sound::gui::dialogs::player {

struct PlayState;

// The position, time counter and level graph of the song playing. The engine's play thread
// reports every chunk through `onChunk`; the play process takes graph columns every 10 ms.
class SongMeter {
 public:
  explicit SongMeter(PlayState& state) : state_(state) {}

  // A new song of `durationMs`: position, shown seconds, byte and peak counts start at 0, and a
  // column is due every sampleRate / 8 bytes.
  void startSong(int64_t durationMs, int32_t sampleRate);
  // The engine's chunk callback; `user` is this meter.
  static int32_t onChunk(const int16_t* chunk, uint32_t bytes, double percent, void* user);
  // Elapsed (or, with `remaining`, remaining) whole seconds at `percent` of `durationMs`.
  static int32_t shownSeconds(double percent, int64_t durationMs, bool remaining);
  // Chunks reported since startSong: none means the song gave no audio at all.
  int64_t chunks() const;

  struct Column {
    int32_t value;
    bool clearFirst;  // Show Graph was switched since the last column
  };
  // The next graph column once enough bytes were counted: the peak scaled back by the engine's
  // gain (0 while the gain is 0, as when muted), 0 while Show Graph is off. Resets the counts.
  std::optional<Column> takeColumn(float gain);

 private:
  PlayState& state_;
  uint32_t threshold_ = 0;
  bool graphShown_ = true;
  std::atomic<int64_t> chunks_{0};
};

}  // namespace s::sound::gui::dialogs::player
