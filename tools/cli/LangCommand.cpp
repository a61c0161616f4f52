// sonvia-cli lang: the languages of the built-in language table and their texts.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/app/console/NumberArgument.h"
#include "s/lang/Localizer.h"
#include "s/lang/SystemLanguage.h"
#include "tools/cli/Command.h"

namespace {

int run(int argc, char** argv);

const cli::Command kCommand{
    "lang",
    "lang list [--table FILE]            index, tagName, engName and trueName of each language\n"
    "lang text ID [LANG] [--table FILE]  the text ID (a number or a key) in LANG\n"
    "    LANG: a tagName, engName or index; without it, the system language\n"
    "    --table FILE reads a language table file instead of the built-in one",
    run};
const cli::Registration kRegistration(kCommand);

std::string utf8(std::u16string_view text) { return platform::text::utf16ToUtf8(text); }

int fail(const std::string& message) {
  std::fprintf(stderr, "sonvia-cli lang: %s\n", message.c_str());
  return 1;
}

s::lang::LangPack* packNamed(s::lang::Localizer& table, const char* name) {
  std::u16string wide = platform::text::utf8ToUtf16(name);
  if (s::lang::LangPack* pack = table.findByTag(wide)) return pack;
  if (s::lang::LangPack* pack = table.findByEngName(wide)) return pack;
  uint64_t index = 0;
  if (s::app::console::NumberArgument::unsignedInteger(name, 99999, &index))
    return table.getLanguage(static_cast<int>(index));
  return nullptr;
}

int run(int argc, char** argv) {
  std::vector<const char*> args;
  const char* tableFile = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--table") == 0) {
      if (i + 1 >= argc) return cli::usageError(kCommand, "--table needs a FILE");
      tableFile = argv[++i];
    } else {
      args.push_back(argv[i]);
    }
  }
  if (args.empty()) return cli::usageError(kCommand, "missing subcommand");
  std::string sub = args[0];
  bool list = sub == "list";
  if (list && args.size() != 1) return cli::usageError(kCommand, "list takes no arguments");
  if (!list && sub != "text") return cli::usageError(kCommand, ("unknown subcommand " + sub).c_str());
  if (!list && (args.size() < 2 || args.size() > 3))
    return cli::usageError(kCommand, "text takes ID [LANG]");

  std::unique_ptr<s::lang::Localizer> table;
  if (tableFile) {
    std::ifstream in(tableFile, std::ios::binary);
    if (!in) return fail(std::string("cannot read ") + tableFile);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    table = s::lang::Localizer::createFromUtf8(bytes, s::lang::SystemLanguage::name());
  } else {
    table = s::lang::Localizer::createFromResource();
  }
  if (table->getLanguageCount() == 0)
    return fail(tableFile ? std::string(tableFile) + " holds no language table"
                          : std::string("the program carries no language table"));

  if (list) {
    for (std::int32_t i = 0; i < table->getLanguageCount(); ++i) {
      s::lang::LangPack* pack = table->getLanguage(i);
      std::printf("%2d  %-4s %-22s %s\n", static_cast<int>(i), utf8(pack->tagName()).c_str(),
                  utf8(pack->engName()).c_str(), utf8(pack->trueName()).c_str());
    }
    return 0;
  }

  const char* id = args[1];
  s::lang::LangPack* pack = table->getCurrent();
  if (args.size() == 3) {
    pack = packNamed(*table, args[2]);
    if (!pack) return cli::usageError(kCommand, (std::string("no language ") + args[2]).c_str());
  }
  const char16_t* text = nullptr;
  if (id[0] >= '0' && id[0] <= '9') {
    uint64_t value = 0;
    if (!s::app::console::NumberArgument::unsignedInteger(id, INT32_MAX, &value))
      return cli::usageError(kCommand, (std::string("not a text id: ") + id).c_str());
    text = pack->findText(static_cast<std::int32_t>(value));
  } else {
    text = pack->findText(platform::text::utf8ToUtf16(id));
  }
  if (!text) return fail(std::string("no text ") + id + " in " + utf8(pack->engName()));
  std::printf("%s\n", utf8(text).c_str());
  return 0;
}

}  // namespace
