#include "s/sound/DurationText.h"

namespace s::sound {

namespace {

void appendNumber(std::u16string& out, std::uint32_t value, int minDigits) {
  char16_t digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int pad = count; pad < minDigits; ++pad) out.push_back(u'0');
  while (count > 0) out.push_back(digits[--count]);
}

}  // namespace

void DurationText::appendTo(std::u16string& out, std::uint32_t seconds) {
  const std::uint32_t hours = (seconds / 3600) % 24;
  const std::uint32_t minutes = seconds / 60 % 60;
  if (hours == 0) {
    appendNumber(out, minutes, 1);
  } else {
    appendNumber(out, hours, 1);
    out.push_back(u':');
    appendNumber(out, minutes, 2);
  }
  out.push_back(u':');
  appendNumber(out, seconds % 60, 2);
}

std::u16string DurationText::format(std::uint32_t seconds) {
  std::u16string text;
  appendTo(text, seconds);
  return text;
}

std::uint32_t DurationText::secondsOf(std::int64_t milliseconds) {
  return milliseconds <= 0 ? 0 : static_cast<std::uint32_t>(milliseconds / 1000);
}

}  // namespace s::sound
