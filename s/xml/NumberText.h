#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace s::xml {

// The C library's wide conversions as the file format relies on them, independent of the
// process locale (a German locale must not turn "0.500000" into 0).
//
// atoi form: leading white space, an optional sign, digits up to the first other character;
// 0 when there are none; an out-of-range value gives the nearest limit.
std::int32_t textToS32(std::u16string_view text);
std::int64_t textToS64(std::u16string_view text);
// wcstoul with base 10 on a 32-bit unsigned long: a minus sign negates modulo 2^32, an
// out-of-range value gives 0xFFFFFFFF.
std::uint32_t textToU32(std::u16string_view text);
// atof: leading white space, then the longest prefix that is a decimal or hexadecimal
// floating-point number, "inf" or "nan"; 0 when there is none.
double textToF64(std::u16string_view text);

// "%d", "%u", "%I64d" and "%f" (six decimals, a point whatever the locale).
void appendS64(std::u16string& out, std::int64_t v);
void appendU64(std::u16string& out, std::uint64_t v);
void appendFixed6(std::u16string& out, double v);
// Lower-case hexadecimal, `digits` wide, zero-padded ("%02x", "%04x", "%08x", "%016I64x").
void appendHex(std::u16string& out, std::uint64_t v, int digits);

}  // namespace s::xml
