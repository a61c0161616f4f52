#include "platform/wave/AlsaDevices.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/wave/AlsaMessages.h"

namespace platform::wave {

namespace {

constexpr auto kAnswerLimit = std::chrono::seconds(3);

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
  // A plugin can hang inside its open (a sound server that accepts but never answers); the probe
  // runs on a thread of its own and is given up after a while, so the list is always built.
  struct Probe {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool works = false;
    std::string problem;
  };
  auto state = std::make_shared<Probe>();
  std::thread thread;
  try {
    thread = std::thread([state, name] {
      AlsaMessages::begin();
      snd_pcm_t* pcm = nullptr;
      int rc = snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
      std::string why = rc < 0 ? AlsaMessages::describe("cannot open ALSA device \"" + name + "\"", rc) : "";
      if (rc >= 0) {
        // Some plugins only reach their output when the format is set, so the probe sets one: a
        // device counts as working when it can play CD audio.
        rc = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, 44100, 1, 200000);
        if (rc < 0) why = AlsaMessages::describe("ALSA device \"" + name + "\" cannot play 44100 Hz 16-bit stereo", rc);
        snd_pcm_close(pcm);
      }
      AlsaMessages::take();
      std::lock_guard lock(state->mutex);
      state->works = rc >= 0;
      state->problem = why;
      state->finished = true;
      state->done.notify_all();
    });
  } catch (const std::system_error& failure) {
    problem = std::string("cannot probe ALSA device \"") + name + "\": " + failure.what();
    return false;
  }
  std::unique_lock lock(state->mutex);
  if (!state->done.wait_for(lock, kAnswerLimit, [&] { return state->finished; })) {
    lock.unlock();
    thread.detach();
    problem = "ALSA device \"" + name + "\" did not answer within " + std::to_string(kAnswerLimit.count()) + " s";
    return false;
  }
  lock.unlock();
  thread.join();
  problem = state->problem;
  return state->works;
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
