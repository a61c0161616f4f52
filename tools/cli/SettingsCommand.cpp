// sonvia-cli settings: reads and changes the program's settings in the current user's hive.
#include <cerrno>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/registry/Hive.h"
#include "platform/text/Utf.h"
#include "s/lang/Localizer.h"
#include "tools/cli/Command.h"

namespace {

namespace reg = platform::registry;

// Where the program keeps its settings: below "Software\Pruv\" and the product's registry
// name, which is text 300000 of the language table ("Pruv Sonvia").
const std::string& parentKey() {
  static const std::string key = [] {
    std::u16string name = s::lang::Localizer::createFromResource()->getText(300000);
    if (name.empty()) name = u"Pruv Sonvia";
    return "Software\\Pruv\\" + platform::text::utf16ToUtf8(name);
  }();
  return key;
}

const std::string& rootKey() {
  static const std::string key = parentKey() + "\\SaveData";
  return key;
}

int run(int argc, char** argv);

const cli::Command kCommand{
    "settings",
    "settings dump                       all settings, as readable text\n"
    "settings get PATH [NAME]            one value (no NAME: the key's default value)\n"
    "settings set PATH NAME TYPE VALUE   TYPE: dword, qword, string, expand, binary-hex\n"
    "settings remove PATH [NAME]         a value, or without NAME the key and all below it\n"
    "    PATH: keys below HKEY_CURRENT_USER\\Software\\Pruv\\Pruv Sonvia\\SaveData joined by \\ or /;\n"
    "    \"\" is SaveData itself",
    run};
const cli::Registration kRegistration(kCommand);

std::string keyOf(const char* path) {
  std::string relative = path;
  for (char& c : relative)
    if (c == '/') c = '\\';
  while (!relative.empty() && relative.front() == '\\') relative.erase(0, 1);
  return relative.empty() ? rootKey() : rootKey() + "\\" + relative;
}

std::string hex(const std::vector<std::uint8_t>& data, const char* separator) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i) out += separator;
    std::snprintf(buf, sizeof buf, "%02x", data[i]);
    out += buf;
  }
  return out;
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

bool isString(reg::ValueType t) {
  return t == reg::ValueType::String || t == reg::ValueType::ExpandString;
}

// The value alone, as `get` prints it and `set` reads it back.
std::string plain(const reg::Value& v) {
  if (isString(v.type)) return platform::text::utf16ToUtf8(reg::dataAsString(v.data));
  if (v.type == reg::ValueType::Dword && v.data.size() == 4)
    return std::to_string(platform::registry::dataAsNumber(v.data));
  if (v.type == reg::ValueType::Qword && v.data.size() == 8)
    return std::to_string(platform::registry::dataAsNumber(v.data));
  return hex(v.data, "");
}

// The value with its type, as `dump` shows it.
std::string described(const reg::Value& v) {
  if (isString(v.type)) return std::string(reg::typeName(v.type)) + " " + quoted(plain(v));
  char buf[64];
  if (v.type == reg::ValueType::Dword && v.data.size() == 4) {
    std::uint32_t n = static_cast<std::uint32_t>(platform::registry::dataAsNumber(v.data));
    std::snprintf(buf, sizeof buf, "dword %" PRIu32 " (0x%08" PRIx32 ")", n, n);
    return buf;
  }
  if (v.type == reg::ValueType::Qword && v.data.size() == 8) {
    std::uint64_t n = platform::registry::dataAsNumber(v.data);
    std::snprintf(buf, sizeof buf, "qword %" PRIu64 " (0x%016" PRIx64 ")", n, n);
    return buf;
  }
  std::string out = reg::typeName(v.type);
  if (v.type != reg::ValueType::Binary)
    out += " (" + std::to_string(v.data.size()) + " bytes)";
  return v.data.empty() ? out : out + " " + hex(v.data, " ");
}

void dumpKey(reg::Hive& hive, const std::string& key, const std::string& shown) {
  std::printf("[%s]\n", shown.c_str());
  for (const reg::Value& v : hive.values(key))
    std::printf("  %s = %s\n", v.name.empty() ? "@" : v.name.c_str(), described(v).c_str());
  for (const std::string& sub : hive.subkeys(key))
    dumpKey(hive, key + "\\" + sub, shown + "\\" + sub);
}

// Whole-string number parsing: "12abc" and out-of-range values are refused, not truncated.
bool parseNumber(const char* text, bool wide, std::uint64_t& out) {
  if (!*text) return false;
  errno = 0;
  char* end = nullptr;
  bool negative = text[0] == '-';
  if (negative) {
    long long v = std::strtoll(text, &end, 0);
    if (errno || *end) return false;
    if (!wide && v < INT32_MIN) return false;
    out = wide ? static_cast<std::uint64_t>(v) : static_cast<std::uint32_t>(v);
    return true;
  }
  unsigned long long v = std::strtoull(text, &end, 0);
  if (errno || *end || text[0] == '+' || (!wide && v > UINT32_MAX)) return false;
  out = v;
  return true;
}

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

int fail(const std::string& message) {
  std::fprintf(stderr, "sonvia-cli settings: %s\n", message.c_str());
  return 1;
}

int run(int argc, char** argv) {
  if (argc < 1) return cli::usageError(kCommand, "missing subcommand");
  std::string sub = argv[0];
  if (sub == "dump") {
    if (argc != 1) return cli::usageError(kCommand, "dump takes no arguments");
    auto hive = reg::Hive::currentUser();
    std::printf("HKEY_CURRENT_USER\\%s\n", parentKey().c_str());
    if (hive->keyExists(rootKey())) dumpKey(*hive, rootKey(), "SaveData");
    return 0;
  }
  if (sub == "get") {
    if (argc < 2 || argc > 3) return cli::usageError(kCommand, "get takes PATH [NAME]");
    std::string key = keyOf(argv[1]);
    const char* name = argc == 3 ? argv[2] : "";
    auto value = reg::Hive::currentUser()->getValue(key, name);
    if (!value)
      return fail(std::string("no value ") + (*name ? name : "(default)") + " in " + key);
    std::printf("%s\n", plain(*value).c_str());
    return 0;
  }
  if (sub == "set") {
    if (argc != 5) return cli::usageError(kCommand, "set takes PATH NAME TYPE VALUE");
    std::string type = argv[3];
    const char* text = argv[4];
    reg::ValueType t;
    std::vector<std::uint8_t> data;
    std::uint64_t n = 0;
    if (type == "dword" || type == "qword") {
      bool wide = type == "qword";
      if (!parseNumber(text, wide, n))
        return cli::usageError(kCommand, (std::string("not a ") + type + ": " + text).c_str());
      t = wide ? reg::ValueType::Qword : reg::ValueType::Dword;
      data = wide ? reg::qwordData(n) : reg::dwordData(static_cast<std::uint32_t>(n));
    } else if (type == "string" || type == "expand") {
      t = type == "string" ? reg::ValueType::String : reg::ValueType::ExpandString;
      data = reg::stringData(platform::text::utf8ToUtf16(text));
    } else if (type == "binary-hex") {
      t = reg::ValueType::Binary;
      if (!parseHex(text, data))
        return cli::usageError(kCommand, (std::string("not hexadecimal bytes: ") + text).c_str());
    } else {
      return cli::usageError(kCommand, ("unknown TYPE " + type).c_str());
    }
    std::string key = keyOf(argv[1]);
    if (!reg::Hive::currentUser()->setValue(key, argv[2], t, data))
      return fail("cannot write " + key);
    return 0;
  }
  if (sub == "remove") {
    if (argc < 2 || argc > 3) return cli::usageError(kCommand, "remove takes PATH [NAME]");
    std::string key = keyOf(argv[1]);
    auto hive = reg::Hive::currentUser();
    if (argc == 3) {
      if (!hive->deleteValue(key, argv[2]))
        return fail(std::string("no value ") + (*argv[2] ? argv[2] : "(default)") + " in " + key);
    } else if (!hive->deleteKey(key)) {
      return fail("no key " + key);
    }
    return 0;
  }
  return cli::usageError(kCommand, ("unknown subcommand " + sub).c_str());
}

}  // namespace
