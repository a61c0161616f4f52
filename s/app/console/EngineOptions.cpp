#include "s/app/console/EngineOptions.h"

#include "platform/text/Utf.h"
#include "s/app/console/NumberArgument.h"
#include "s/sound/SourceFactory.h"
#include "s/sound/mp3/win/Mp3.h"
#include "s/system/audio/IPlayer.h"

namespace s::app::console {

bool EngineOptions::take(int argc, char** argv, int& i, std::string& error) {
  const std::string arg = argv[i];
  if (arg != "--effect" && arg != "--pitch" && arg != "--volume") return false;
  if (i + 1 >= argc) {
    error = arg + " needs a value";
    return true;
  }
  const char* value = argv[++i];
  if (arg == "--effect") {
    const int32_t command = s::sound::EffectChoice::commandForText(value);
    if (!command || !s::sound::EffectChoice::fromCommand(command, &choice))
      error = std::string("unknown effect '") + value + "'";
  } else if (arg == "--pitch") {
    int64_t n = 0;
    if (!NumberArgument::integer(value, s::sound::EffectChoice::kMinSemitones,
                                      s::sound::EffectChoice::kMaxSemitones, &n))
      error = "--pitch takes a whole number of semitones from -12 to 12";
    else
      semitones = static_cast<int32_t>(n);
  } else {
    double v = 0;
    if (!NumberArgument::real(value, 0, 2, &v))
      error = "--volume takes a factor from 0 to 2";
    else
      volume = static_cast<float>(v);
  }
  return true;
}

void EngineOptions::applyTo(s::system::audio::IPlayer& player) const {
  const s::sound::EffectSettings settings = choice.settingsFor(semitones);
  player.setVolume(volume);
  player.setPreset(settings.presetIndex);
  player.setStereoEnhancerOn(settings.stereoEnhancerOn);
  player.setEqualizerOn(settings.equalizerOn);
  player.setVocalInstrumentOn(settings.vocalInstrumentOn);
  player.setPitch(settings.pitch);
}

s::sound::IEncodedAudio* openSong(const std::string& path, std::string& reason) {
  s::sound::IEncodedAudio* source = s::sound::SourceFactory::open(platform::text::fileNameToUtf16(path), &reason);
  if (!source) return nullptr;
  auto* mp3 = dynamic_cast<s::sound::mp3::win::Mp3*>(source);
  if (mp3 && !mp3->hasFirstFrame()) {
    reason = "not an MP3 file: no MPEG audio frame found";
    source->release();
    return nullptr;
  }
  return source;
}

}  // namespace s::app::console
