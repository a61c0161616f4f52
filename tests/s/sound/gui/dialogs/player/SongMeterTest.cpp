#include "s/sound/gui/dialogs/player/SongMeter.h"

#include <gtest/gtest.h>

#include <vector>

#include "s/sound/gui/dialogs/player/PlayState.h"

namespace {

using s::sound::gui::dialogs::player::PlayState;
using s::sound::gui::dialogs::player::SongMeter;

TEST(SongMeter, ShownSecondsCountUpOrDownAndHoldForLongSongs) {
  constexpr int64_t kTenHours = 10LL * 3600 * 1000;
  const struct {
    double percent;
    int64_t durationMs;
    bool remaining;
    int32_t seconds;
  } cases[] = {
      {0.0, 60000, false, 0},         {50.0, 60000, false, 30},      {99.99, 60000, false, 59},
      {0.0, 60000, true, 60},         {50.0, 60000, true, 30},       {100.0, 60000, true, 0},
      {100.5, 60000, true, 0},        // never below 0:00
      {50.0, kTenHours, false, 18000}, {25.0, kTenHours, true, 27000},  // 32 bits of ms × 100 would wrap
      {50.0, 0, false, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SongMeter::shownSeconds(c.percent, c.durationMs, c.remaining), c.seconds)
        << c.percent << "% of " << c.durationMs << " ms, remaining " << c.remaining;
  }
}

TEST(SongMeter, ChunksMoveThePositionAndKeepTheLargestSignedSample) {
  PlayState state;
  SongMeter meter(state);
  meter.startSong(10000, 8000);
  const std::vector<int16_t> loud{-30000, 1200, -5};
  const std::vector<int16_t> soft{300, -200};
  SongMeter::onChunk(loud.data(), 6, 10.0, &meter);
  SongMeter::onChunk(soft.data(), 4, 20.0, &meter);
  EXPECT_EQ(state.graphPeak, 1200);  // -30000 is louder but not larger
  EXPECT_EQ(state.graphBytes, 10u);
  EXPECT_FLOAT_EQ(state.positionPercent, 20.0f);
  EXPECT_EQ(state.shownSeconds, 2);
  EXPECT_EQ(meter.chunks(), 2);
  meter.startSong(5000, 8000);
  EXPECT_EQ(meter.chunks(), 0);
  EXPECT_EQ(state.graphPeak, 0);
  EXPECT_EQ(state.shownSeconds, 0);
}

TEST(SongMeter, GraphColumnsScaleThePeakBackAndStayFlatWithoutGain) {
  const struct {
    float gain, factor;
    bool showGraph;
    int32_t value;
  } cases[] = {
      {0.25f, 0.5f, true, 4000},  // 1000 at a quarter of the level
      {1.0f, 1.0f, true, 1000},
      {0.0f, 0.5f, true, 0},      // muted: the engine's gain is 0
      {0.25f, 0.0f, true, 0},     // volume 0
      {0.25f, 0.5f, false, 0},    // graph off
      {0.01f, 0.1f, true, 32767}, // no column above the series' range
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.gain << " " << c.factor << " " << c.showGraph);
    PlayState state;
    state.volumeFactor = c.factor;
    state.showGraph = c.showGraph;
    SongMeter meter(state);
    meter.startSong(10000, 8000);  // a column every 1000 bytes
    std::vector<int16_t> chunk(400, 0);
    chunk[7] = 1000;
    SongMeter::onChunk(chunk.data(), 800, 1.0, &meter);
    EXPECT_FALSE(meter.takeColumn(c.gain).has_value());
    SongMeter::onChunk(chunk.data(), 800, 2.0, &meter);
    const auto column = meter.takeColumn(c.gain);
    ASSERT_TRUE(column.has_value());
    EXPECT_EQ(column->value, c.value);
    EXPECT_EQ(column->clearFirst, !c.showGraph);
    EXPECT_EQ(state.graphPeak, 0);
    EXPECT_LT(state.graphBytes, 1000u);
  }
}

}  // namespace
