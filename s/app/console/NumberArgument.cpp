#include "s/app/console/NumberArgument.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace s::app::console {

namespace {

// strto* skip leading white space themselves; an argument with it is no number.
bool startsLikeANumber(const char* text) {
  return text && *text && !std::isspace(static_cast<unsigned char>(*text));
}

}  // namespace

bool NumberArgument::integer(const char* text, int64_t min, int64_t max, int64_t* out, int base) {
  if (!startsLikeANumber(text)) return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, base);
  if (errno || end == text || *end || value < min || value > max) return false;
  if (out) *out = value;
  return true;
}

bool NumberArgument::unsignedInteger(const char* text, uint64_t max, uint64_t* out, int base) {
  // strtoull takes "-1" as the largest number; a sign of either kind is no part of an unsigned one.
  if (!startsLikeANumber(text) || *text == '-' || *text == '+') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, base);
  if (errno || end == text || *end || value > max) return false;
  if (out) *out = value;
  return true;
}

bool NumberArgument::real(const char* text, double min, double max, double* out) {
  if (!startsLikeANumber(text)) return false;
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end || !std::isfinite(value) || value < min || value > max) return false;
  if (out) *out = value;
  return true;
}

}  // namespace s::app::console
