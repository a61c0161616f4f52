#include "tools/cli/SettingType.h"

#include <cctype>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/text/Utf.h"
#include "s/app/console/NumberArgument.h"
#include "s/col/_array/ArrayU08.h"
#include "s/map/IMappedData.h"
#include "s/thread/Pooled.h"

namespace cli {

using s::app::console::NumberArgument;

namespace {

constexpr SettingType kTypes[] = {
    {"bool", SettingType::kBool},     {"s32", SettingType::kS32},
    {"u32", SettingType::kU32},       {"dword", SettingType::kU32},
    {"s64", SettingType::kS64},       {"u64", SettingType::kU64},
    {"qword", SettingType::kU64},     {"f32", SettingType::kF32},
    {"f64", SettingType::kF64},       {"string", SettingType::kString},
    {"expand", SettingType::kExpand}, {"bytes", SettingType::kBytes},
    {"binary-hex", SettingType::kBytes},
};

bool parseHex(const char* text, std::vector<std::uint8_t>& out) {
  std::string digits;
  for (const char* p = text; *p; ++p) {
    if (*p == ' ' || *p == ':' || *p == ',') continue;
    if (!std::isxdigit(static_cast<unsigned char>(*p))) return false;
    digits += *p;
  }
  if (digits.size() % 2) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  return true;
}

// A number with as many digits as it takes to read back the same value.
template <class F>
std::string shortest(F value) {
  char text[64];
  for (int digits = 1; digits <= std::numeric_limits<F>::max_digits10; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (static_cast<F>(std::strtod(text, nullptr)) == value) break;
  }
  return text;
}

// The store answers a missing value and one of the wrong size with the default it is given:
// asked with two different defaults, a present value gives the same answer both times.
template <class T, class Get>
bool present(Get get, T one, T other, T* value) {
  const T first = get(one);
  if (first != one) {
    *value = first;
    return true;
  }
  const T second = get(other);
  *value = second;
  return second == first;
}

}  // namespace

const SettingType* SettingType::named(const std::string& name) {
  for (const SettingType& type : kTypes)
    if (name == type.label) return &type;
  return nullptr;
}

bool SettingType::read(s::map::IMappedData& store, const std::u16string& path, const char* name,
                       std::string* text) const {
  const std::u16string wideName = platform::text::utf8ToUtf16(name);
  const char16_t* p = path.c_str();
  const char16_t* n = wideName.c_str();
  auto number = [&](auto get, auto one, auto other, auto show) {
    decltype(one) value{};
    if (!present(get, one, other, &value)) return false;
    *text = show(value);
    return true;
  };
  auto whole = [](auto value) { return std::to_string(value); };
  auto real = [](auto value) { return shortest(value); };
  switch (kind) {
    case kBool:
      return number([&](bool d) { return store.getBool(p, n, d); }, false, true,
                    [](bool value) { return std::string(value ? "true" : "false"); });
    case kS32:
      return number([&](int32_t d) { return store.getS32(p, n, d); }, int32_t{0}, int32_t{1}, whole);
    case kU32:
      return number([&](uint32_t d) { return store.getU32(p, n, d); }, 0u, 1u, whole);
    case kS64:
      return number([&](int64_t d) { return store.getS64(p, n, d); }, int64_t{0}, int64_t{1}, whole);
    case kU64:
      return number([&](uint64_t d) { return store.getU64(p, n, d); }, uint64_t{0}, uint64_t{1}, whole);
    case kF32:
      return number([&](float d) { return store.getF32(p, n, d); }, 0.0f, 1.0f, real);
    case kF64:
      return number([&](double d) { return store.getF64(p, n, d); }, 0.0, 1.0, real);
    case kString:
    case kExpand: {
      static const char16_t kAbsent[] = u"";
      bool expandable = false;
      const char16_t* value = store.getString(p, n, kAbsent, &expandable, false);
      if (value == kAbsent || expandable != (kind == kExpand)) return false;
      *text = platform::text::utf16ToUtf8(value);
      return true;
    }
    case kBytes: {
      if (!store.hasValue(p, n)) return false;
      auto bytes = s::thread::holdPooled(s::col::_array::ArrayU08::create());
      store.getBytes(p, n, bytes.get());
      std::string out;
      char pair[3];
      for (std::size_t i = 0; i < bytes->size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes->bytes()[i]);
        out += pair;
      }
      *text = out;
      return true;
    }
  }
  return false;
}

SettingType::Written SettingType::write(s::map::IMappedData& store, const std::u16string& path,
                                        const char* name, const char* text,
                                        std::string* why) const {
  const std::u16string wideName = platform::text::utf8ToUtf16(name);
  const char16_t* p = path.c_str();
  const char16_t* n = wideName.c_str();
  auto refuse = [&](const std::string& what) {
    *why = "not " + what + ": " + text;
    return kRefused;
  };
  const std::string aValue = std::string(kind == kS32 || kind == kS64 ? "an " : "a ") + label;
  int64_t whole = 0;
  uint64_t positive = 0;
  double real = 0;
  switch (kind) {
    case kBool:
      if (std::strcmp(text, "true") == 0 || std::strcmp(text, "1") == 0) store.setBool(p, n, true);
      else if (std::strcmp(text, "false") == 0 || std::strcmp(text, "0") == 0) store.setBool(p, n, false);
      else return refuse("true or false");
      break;
    case kS32:
      if (!NumberArgument::integer(text, INT32_MIN, INT32_MAX, &whole, 0)) return refuse(aValue);
      store.setS32(p, n, static_cast<int32_t>(whole));
      break;
    case kU32:
      // A negative number is taken as its 32-bit pattern, as the program's signed values are.
      if (NumberArgument::unsignedInteger(text, UINT32_MAX, &positive, 0))
        store.setU32(p, n, static_cast<uint32_t>(positive));
      else if (NumberArgument::integer(text, INT32_MIN, -1, &whole, 0))
        store.setS32(p, n, static_cast<int32_t>(whole));
      else
        return refuse(aValue);
      break;
    case kS64:
      if (!NumberArgument::integer(text, INT64_MIN, INT64_MAX, &whole, 0)) return refuse(aValue);
      store.setS64(p, n, whole);
      break;
    case kU64:
      if (NumberArgument::unsignedInteger(text, UINT64_MAX, &positive, 0))
        store.setU64(p, n, positive);
      else if (NumberArgument::integer(text, INT64_MIN, -1, &whole, 0))
        store.setS64(p, n, whole);
      else
        return refuse(aValue);
      break;
    case kF32:
      if (!NumberArgument::real(text, -std::numeric_limits<float>::max(),
                                std::numeric_limits<float>::max(), &real))
        return refuse(aValue);
      store.setF32(p, n, static_cast<float>(real));
      break;
    case kF64:
      if (!NumberArgument::real(text, -std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::max(), &real))
        return refuse(aValue);
      store.setF64(p, n, real);
      break;
    case kString:
      store.setString(p, n, platform::text::utf8ToUtf16(text).c_str());
      break;
    case kExpand:
      store.setExpandString(p, n, platform::text::utf8ToUtf16(text).c_str());
      break;
    case kBytes: {
      std::vector<std::uint8_t> bytes;
      if (!parseHex(text, bytes)) return refuse("hexadecimal bytes");
      auto array = s::thread::holdPooled(s::col::_array::ArrayU08::create());
      array->copyFromRaw(bytes.data(), bytes.size());
      store.setBytes(p, n, array.get());
      break;
    }
  }
  // The store reports nothing; a value that is not there afterwards was not written.
  return store.hasValue(p, n) ? kWritten : kFailed;
}

}  // namespace cli
