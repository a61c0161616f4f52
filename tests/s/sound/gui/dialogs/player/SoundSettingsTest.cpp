#include "s/sound/gui/dialogs/player/SoundSettings.h"

#include <gtest/gtest.h>

#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/system/audio/win/Player.h"
#include "s/thread/Pooled.h"

namespace {

using s::sound::gui::dialogs::player::PlayState;
using s::sound::gui::dialogs::player::SoundSettings;
using s::system::audio::win::Player;

s::thread::Pooled<Player> engine() { return s::thread::holdPooled(Player::create()); }

TEST(SoundSettings, VolumeIsTheFactorRaisedByTheSongsBoostAndZeroWhenMuted) {
  const struct {
    bool muted;
    float factor;
    int32_t boost;
    float volume;
  } cases[] = {
      {false, 1.0f, 50, 1.5f}, {false, 0.5f, 0, 0.5f}, {false, 0.8f, -50, 0.4f},
      {false, 0.0f, 50, 0.0f}, {true, 1.0f, 50, 0.0f},
  };
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(SoundSettings::volumeFor(c.muted, c.factor, c.boost), c.volume)
        << c.muted << " " << c.factor << " " << c.boost;
  }
}

TEST(SoundSettings, MutingWhilePlayingSilencesAndUnmutingRestores) {
  PlayState state;
  state.volumeFactor = 1.0f;
  state.individualVolume = 50;
  auto player = engine();
  SoundSettings sound;
  sound.applyAll(state, *player);
  EXPECT_FLOAT_EQ(player->getVolume(), 1.5f);
  state.muted = true;
  sound.applyChanges(state, *player);
  EXPECT_FLOAT_EQ(player->getVolume(), 0.0f);
  state.muted = false;
  sound.applyChanges(state, *player);
  EXPECT_FLOAT_EQ(player->getVolume(), 1.5f);
  state.individualVolume = -50;
  sound.applyChanges(state, *player);
  EXPECT_FLOAT_EQ(player->getVolume(), 0.5f);
}

TEST(SoundSettings, APresetPlaysAloneAndTheSoftFlagChoosesTheVocalFilter) {
  const struct {
    const char* name;
    int32_t preset;
    bool stereo, equalizer, soft;
    bool stereoOn, equalizerOn, vocalOn;
  } cases[] = {
      {"Studio Original", -1, false, false, false, false, false, false},
      {"Open Air", -1, true, true, false, true, true, false},
      {"Soft Breeze", -1, false, false, true, false, false, true},
      {"soft over the others", -1, true, true, true, false, false, true},
      {"a preset", 3, true, true, true, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool whilePlaying : {false, true}) {
      PlayState state;
      auto player = engine();
      SoundSettings sound;
      if (whilePlaying) sound.applyAll(state, *player);
      state.presetIndex = c.preset;
      state.stereoFlag = c.stereo;
      state.equalizerFlag = c.equalizer;
      state.softFlag = c.soft;
      whilePlaying ? sound.applyChanges(state, *player) : sound.applyAll(state, *player);
      EXPECT_EQ(player->getPreset(), c.preset);
      EXPECT_EQ(player->isStereoEnhancerOn(), c.stereoOn);
      EXPECT_EQ(player->isEqualizerOn(), c.equalizerOn);
      EXPECT_EQ(player->isVocalInstrumentOn(), c.vocalOn);
    }
  }
}

TEST(SoundSettings, PitchInSemitonesBecomesThePercentOfAnOctave) {
  EXPECT_FLOAT_EQ(SoundSettings::pitchAmount(12), 100.0f);
  EXPECT_FLOAT_EQ(SoundSettings::pitchAmount(-6), -50.0f);
  EXPECT_FLOAT_EQ(SoundSettings::pitchAmount(1), 100.0f / 12.0f);
  EXPECT_FLOAT_EQ(SoundSettings::pitchAmount(0), 0.0f);
}

}  // namespace
