#pragma once
#include <cstdint>

namespace s::app::console {

// The one reader of number arguments on the command line. The whole argument must be the
// number: "12abc", " 12", an empty text, a value out of range and (for unsigned numbers) a sign
// are refused, never truncated or wrapped.
class NumberArgument {
 public:
  // A whole number in [min, max]; `base` 0 also takes "0x..." (and "0..." as octal).
  static bool integer(const char* text, int64_t min, int64_t max, int64_t* out, int base = 10);
  // A whole number without a sign in [0, max].
  static bool unsignedInteger(const char* text, uint64_t max, uint64_t* out, int base = 10);
  // A finite decimal number in [min, max].
  static bool real(const char* text, double min, double max, double* out);
};

}  // namespace s::app::console
