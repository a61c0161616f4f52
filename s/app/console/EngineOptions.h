#pragma once
#include <cstdint>
#include <string>

#include "s/sound/EffectChoice.h"

namespace s::system::audio {
class IPlayer;
}
namespace s::sound {
class IEncodedAudio;
}

namespace s::app::console {

// The sound settings that `render` and `play` hand to every engine: an effect menu choice, a
// pitch in semitones and a volume factor.
struct EngineOptions {
  s::sound::EffectChoice choice;
  int32_t semitones = 0;
  float volume = 1.0f;

  // Explanation lines for a command's usage, each to be prefixed with the command's name.
  static constexpr const char* kUsageLines[] = {
      "  --effect NAME: an effect menu choice (\"Studio Original\", \"Soft Breeze\", \"Open Air\",",
      "    \"Vocal Main\", \"Instrument Main\", \"Bass Boost\", ... \"High Only\")",
      "  --pitch N: a shift of N semitones (-12..12)",
      "  --volume V: the volume factor (0..2; the samples are scaled by V x V)",
  };

  // When argv[i] is --effect, --pitch or --volume, takes it and its value (advancing i) and
  // returns true; `error` says what is wrong with a bad value. False for any other argument.
  bool take(int argc, char** argv, int& i, std::string& error);
  void applyTo(s::system::audio::IPlayer& player) const;
};

// Opens a song file as a source; null with the reason (English) when it is not a song we play.
s::sound::IEncodedAudio* openSong(const std::string& path, std::string& reason);

}  // namespace s::app::console
