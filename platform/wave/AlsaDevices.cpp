#include "platform/wave/AlsaDevices.h"

#include <alsa/asoundlib.h>

#include <algorithm>

#include "platform/wave/AlsaMessages.h"

namespace platform::wave {

namespace {

struct Hint {
  std::string name;
  std::string description;
  bool playback = true;
};

std::string takeHint(void* hint, const char* id) {
  char* value = snd_device_name_get_hint(hint, id);
  if (!value) return {};
  std::string text = value;
  std::free(value);
  return text;
}

std::vector<Hint> readHints() {
  std::vector<Hint> hints;
  void** list = nullptr;
  if (snd_device_name_hint(-1, "pcm", &list) < 0 || !list) return hints;
  for (void** at = list; *at; ++at) {
    Hint hint;
    hint.name = takeHint(*at, "NAME");
    hint.description = takeHint(*at, "DESC");
    std::replace(hint.description.begin(), hint.description.end(), '\n', ' ');
    // No IOID means the device does both directions.
    hint.playback = takeHint(*at, "IOID") != "Input";
    if (!hint.name.empty()) hints.push_back(std::move(hint));
  }
  snd_device_name_free_hint(list);
  return hints;
}

}  // namespace

bool AlsaDevices::probe(const std::string& name, std::string& problem) {
  AlsaMessages::begin();
  snd_pcm_t* pcm = nullptr;
  int rc = snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (rc < 0) {
    problem = AlsaMessages::describe("cannot open ALSA device \"" + name + "\"", rc);
    return false;
  }
  snd_pcm_close(pcm);
  AlsaMessages::take();
  return true;
}

std::vector<DeviceInfo> AlsaDevices::scan(std::string& problem) {
  AlsaMessages::begin();
  std::vector<Hint> hints = readHints();
  AlsaMessages::take();
  std::vector<DeviceInfo> devices;
  std::string defaultDescription = "Default ALSA output";
  for (const Hint& hint : hints)
    if (hint.name == "default" && !hint.description.empty()) defaultDescription = hint.description;
  if (probe("default", problem)) devices.push_back({"default", defaultDescription});
  for (const Hint& hint : hints) {
    // Our own null device stands in for ALSA's, which would play at no pace at all.
    if (!hint.playback || hint.name == "default" || hint.name == "null") continue;
    auto same = [&](const DeviceInfo& known) { return known.name == hint.name; };
    if (std::any_of(devices.begin(), devices.end(), same)) continue;
    std::string ignored;
    if (probe(hint.name, ignored))
      devices.push_back({hint.name, hint.description.empty() ? hint.name : hint.description});
  }
  return devices;
}

}  // namespace platform::wave
