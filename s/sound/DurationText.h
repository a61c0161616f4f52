#pragma once
#include <cstdint>
#include <string>

#include "s/base/IObject.h"

namespace s::sound {

// A song's length as the player shows it: "m:ss" under an hour (minutes not padded, 3:07),
// "h:mm:ss" from an hour on. The hours wrap at 24, the way a clock face shows them.
class DurationText final : public base::IObject {
 public:
  static std::u16string format(std::uint32_t seconds);
  static void appendTo(std::u16string& out, std::uint32_t seconds);
  // Whole seconds of a play time in milliseconds, truncated; 0 for a negative time.
  static std::uint32_t secondsOf(std::int64_t milliseconds);

  const char16_t* typeName() const override { return u"s_sound_DurationText"; }
  base::IObject* newInstance() const override { return new DurationText; }
};

}  // namespace s::sound
