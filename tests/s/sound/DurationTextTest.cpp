#include "s/sound/DurationText.h"

#include <gtest/gtest.h>

namespace {

using s::sound::DurationText;

TEST(DurationTextTest, MinutesAndSecondsUnderAnHourHoursWrappingAtADay) {
  struct Case {
    std::uint32_t seconds;
    const char16_t* text;
  } cases[] = {
      {0, u"0:00"},
      {7, u"0:07"},
      {59, u"0:59"},
      {60, u"1:00"},
      {187, u"3:07"},
      {3599, u"59:59"},
      {3600, u"1:00:00"},
      {3725, u"1:02:05"},
      {10 * 3600 + 59 * 60 + 9, u"10:59:09"},
      {23 * 3600 + 59 * 60 + 59, u"23:59:59"},
      {24 * 3600, u"0:00"},
      {25 * 3600 + 61, u"1:01:01"},
      {4294967295u, u"6:28:15"},  // 1193046 hours
  };
  for (const Case& c : cases) EXPECT_EQ(DurationText::format(c.seconds), c.text) << c.seconds;
}

TEST(DurationTextTest, PlayTimesAreTruncatedToWholeSeconds) {
  EXPECT_EQ(DurationText::secondsOf(0), 0u);
  EXPECT_EQ(DurationText::secondsOf(999), 0u);
  EXPECT_EQ(DurationText::secondsOf(187999), 187u);
  EXPECT_EQ(DurationText::secondsOf(-5000), 0u);
  EXPECT_EQ(DurationText::secondsOf(2147483647), 2147483u);
}

}  // namespace
