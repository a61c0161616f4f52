#pragma once
#include <cstdint>
#include <cstring>

namespace s::sound {

// Loading, clamping and storing single PCM samples, the same way in every filter and in the
// gain. 16-bit samples are signed little-endian and read through memcpy, since blocks come from
// byte buffers of any alignment; 8-bit samples are unsigned with 128 as silence and are handled
// as their distance from 128 ("centred").
//
// Conversions back to a sample truncate toward zero and clamp to the sample range; a NaN (from a
// filter fed odd settings) becomes silence rather than undefined behaviour.
class Sample {
 public:
  static int32_t load16(const uint8_t* p) {
    int16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }
  // `v` must already lie in -32768..32767.
  static void store16(uint8_t* p, int32_t v) {
    const auto s = static_cast<int16_t>(v);
    std::memcpy(p, &s, 2);
  }
  static int32_t load8(const uint8_t* p) { return *p - 128; }
  // `centred` must already lie in -128..127.
  static void store8(uint8_t* p, int32_t centred) { *p = static_cast<uint8_t>(centred + 128); }

  static int32_t clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

  // A float or double truncated into -32768..32767.
  template <class F>
  static int32_t toInt16(F v) {
    return v >= F(32767) ? 32767 : v <= F(-32768) ? -32768 : v == v ? static_cast<int32_t>(v) : 0;
  }
  // A float or double truncated into -128..127 (an 8-bit sample, centred).
  template <class F>
  static int32_t toCentred8(F v) {
    return v >= F(127) ? 127 : v <= F(-128) ? -128 : v == v ? static_cast<int32_t>(v) : 0;
  }

  // A 16-bit sample as -1..1, with 32768 below zero and 32767 above it, so that both ends of
  // the range map to exactly -1 and 1; fromUnit16 is its inverse.
  static double toUnit16(int32_t s) { return s < 0 ? s / 32768.0 : s / 32767.0; }
  static int32_t fromUnit16(double y) { return toInt16(y >= 0 ? y * 32767.0 : y * 32768.0); }
};

}  // namespace s::sound
