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
#include "s/reg/MappedData.h"
#include "s/thread/Pooled.h"
#include "tools/cli/Command.h"
#include "tools/cli/SettingType.h"

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

// The program's settings store, for reading and writing values with their types.
s::thread::Pooled<s::reg::MappedData> store() {
  return s::thread::holdPooled(
      s::reg::openRegistryStore(platform::text::utf8ToUtf16(rootKey()).c_str()));
}

int run(int argc, char** argv);

const cli::Command kCommand{
    "settings",
    "settings dump                       all settings, as readable text\n"
    "settings get PATH [NAME [TYPE]]     one value (no NAME: the key's default value); with TYPE\n"
    "                                    read the way the program reads that type\n"
    "settings set PATH NAME TYPE VALUE   written the way the program writes TYPE: bool, s32,\n"
    "                                    u32 (dword), s64, u64 (qword), f32, f64, string, expand,\n"
    "                                    bytes (binary-hex, hexadecimal pairs)\n"
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

// The path as the settings store takes it: keys joined by backslashes.
std::u16string storePath(const char* path) {
  std::u16string relative = platform::text::utf8ToUtf16(path);
  for (char16_t& c : relative)
    if (c == u'/') c = u'\\';
  return relative;
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
    if (argc < 2 || argc > 4) return cli::usageError(kCommand, "get takes PATH [NAME [TYPE]]");
    std::string key = keyOf(argv[1]);
    const char* name = argc >= 3 ? argv[2] : "";
    if (argc == 4) {
      const cli::SettingType* type = cli::SettingType::named(argv[3]);
      if (!type) return cli::usageError(kCommand, (std::string("unknown TYPE ") + argv[3]).c_str());
      std::string text;
      if (!type->read(*store(), storePath(argv[1]), name, &text))
        return fail(std::string("no ") + argv[3] + " value " + (*name ? name : "(default)") +
                    " in " + key);
      std::printf("%s\n", text.c_str());
      return 0;
    }
    auto value = reg::Hive::currentUser()->getValue(key, name);
    if (!value)
      return fail(std::string("no value ") + (*name ? name : "(default)") + " in " + key);
    std::printf("%s\n", plain(*value).c_str());
    return 0;
  }
  if (sub == "set") {
    if (argc != 5) return cli::usageError(kCommand, "set takes PATH NAME TYPE VALUE");
    const cli::SettingType* type = cli::SettingType::named(argv[3]);
    if (!type) return cli::usageError(kCommand, (std::string("unknown TYPE ") + argv[3]).c_str());
    std::string why;
    const cli::SettingType::Written written =
        type->write(*store(), storePath(argv[1]), argv[2], argv[4], &why);
    if (written == cli::SettingType::kRefused) return cli::usageError(kCommand, why.c_str());
    if (written == cli::SettingType::kFailed) return fail("cannot write " + keyOf(argv[1]));
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
