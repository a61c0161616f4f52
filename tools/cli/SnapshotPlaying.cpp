#include "tools/cli/SnapshotPlaying.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/text/Utf.h"
#include "s/gui/win/Window.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayRequests.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace cli {

using s::sound::gui::dialogs::player::Dialog;
using s::sound::gui::dialogs::player::PlayRequests;

namespace {

constexpr uint32_t kChunkBytes = 8192;

// Reads the source up to `untilMs` in chunks, as the engine hands them on, and gives the window
// a graph column each time a column's worth of bytes has gone by: the largest signed sample
// since the last column (the volume is full, so nothing is divided out).
void feedGraph(Dialog& dialog, s::sound::IEncodedAudio& source, int64_t untilMs) {
  const int64_t bytesPerSecond = static_cast<int64_t>(source.outputSampleRate()) *
                                 (source.outputStereo() ? 2 : 1) * source.outputBitsPerSample() / 8;
  const uint32_t columnBytes = static_cast<uint32_t>(source.outputSampleRate()) * 4 >> 5;
  int64_t left = bytesPerSecond * untilMs / 1000;
  std::vector<unsigned char> chunk(kChunkBytes);
  uint32_t bytes = 0;
  int32_t peak = 0;
  while (left > 0 && columnBytes > 0) {
    uint32_t got = 0;
    const uint32_t want = static_cast<uint32_t>(std::min<int64_t>(left, kChunkBytes));
    if (!source.read(chunk.data(), want, &got) || got == 0) break;
    left -= got;
    for (uint32_t i = 0; i + 1 < got; i += 2) {
      int16_t sample = 0;
      std::memcpy(&sample, chunk.data() + i, 2);
      peak = std::max<int32_t>(peak, sample);
    }
    bytes += got;
    if (bytes >= columnBytes) {
      dialog.addGraphColumn(peak, false);
      bytes = 0;
      peak = 0;
    }
  }
}

}  // namespace

bool showPlaying(Dialog& dialog, const std::string& file, int milliseconds, std::string& error) {
  const std::u16string path = platform::text::fileNameToUtf16(file);
  s::sound::IEncodedAudio* source = nullptr;
  PlayRequests& requests = dialog.transport()->requests();
  // The window's side of the first steps of the play process, as the play thread asks for them.
  dialog.window()->run([&] {
    requests.started();
    source = requests.openSong(path);
    if (source) requests.markPlayingRow();
    dialog.showPlayButton(true);
  });
  if (!source) {
    error = "cannot open " + file + " as a song (.mp3 or .wav)";
    return false;
  }
  const int64_t duration = source->getDurationMs();
  const int64_t at = std::clamp<int64_t>(milliseconds, 0, duration / 2);
  feedGraph(dialog, *source, at);
  source->release();
  auto& state = dialog.state();
  state.durationMs = duration;
  state.positionPercent = duration > 0 ? static_cast<float>(at * 100.0 / duration) : 0.0f;
  const int64_t shown = state.showTimeRemaining ? std::max<int64_t>(0, (duration - at) / 1000) : at / 1000;
  state.shownSeconds = static_cast<int32_t>(shown);
  dialog.window()->run([&] { requests.progress(); });
  return true;
}

}  // namespace cli
