#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "s/base/IObject.h"
#include "s/system/audio/PlayerState.h"
#include "s/thread/IPoolable.h"

namespace s::sound {
class IEncodedAudio;
class IFilter;
}  // namespace s::sound

namespace s::system::audio {

class IDevice;

// Called on the engine's play thread for every chunk queued on the device, with the chunk after
// all processing (read as 16-bit samples), its size and the position in percent counting that
// chunk. The result is ignored.
using PlayCallback = int32_t (*)(const int16_t* chunk, uint32_t bytes, double percent, void* user);

// The playback engine: plays one source through an output device, with volume and effects.
// All operations belong to one controlling thread; the engine reports the end of a song by
// isActive() turning false, and a failure by state() and lastError().
class IPlayer : public base::IObject, public thread::IPoolable {
 public:
  virtual void setDevice(IDevice* device) = 0;
  // Starts playing and returns at once; the device is opened on the engine's own thread. The
  // engine shares the source with the caller: a read that hangs in a slow file system may outlive
  // the playback, and the source must live as long as that read (hold it with
  // thread::sharePooled).
  virtual void play(std::shared_ptr<sound::IEncodedAudio> source, PlayCallback callback, void* user) = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
  virtual void stop() = 0;
  virtual void seek(float percent) = 0;
  virtual float getVolume() const = 0;
  virtual void setVolume(float volume) = 0;
  virtual float getGain() const = 0;
  virtual void setPreset(int32_t index) = 0;
  virtual bool isEqualizerExOn() = 0;
  virtual void setEqualizerExOn(bool on) = 0;
  virtual sound::IFilter* getEqualizerEx() = 0;
  virtual void setPitch(float pitch) = 0;
  virtual bool isEqualizerOn() = 0;
  virtual void setEqualizerOn(bool on) = 0;
  virtual sound::IFilter* getEqualizer() = 0;
  virtual bool isStereoEnhancerOn() = 0;
  virtual void setStereoEnhancerOn(bool on) = 0;
  virtual sound::IFilter* getStereoEnhancer() = 0;
  virtual bool isVocalInstrumentOn() = 0;
  virtual void setVocalInstrumentOn(bool on) = 0;
  virtual sound::IFilter* getVocalInstrument() = 0;
  virtual bool isActive() const = 0;

  // Where the current (or last) playback stands; kFailed within a second of the device failing.
  virtual PlayerState state() const = 0;
  // Why the last playback could not start or lost its device (English), or empty. A device that
  // cannot be opened or breaks down ends the playback at once instead of pacing silence.
  virtual std::string lastError() const = 0;
};

}  // namespace s::system::audio
