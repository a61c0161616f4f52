// sonvia-cli tag: shows the text tags of an MP3 file as the player decodes them, and writes one
// tag the way the player does (only that tag is selected for writing; the audio stays as it is).
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"
#include "s/sound/mp3/TagCodePageChoice.h"
#include "s/sound/mp3/TagJson.h"
#include "s/sound/mp3/TagReader.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"
#include "tools/cli/Command.h"

namespace {

using s::sound::mp3::TagCodePageChoice;
using s::sound::mp3::TagFields;
using s::sound::mp3::win::Info;

int run(int argc, char** argv);

const cli::Command kCommand{
    "tag",
    "tag show FILE [--codepage NAME] [--tag-codepage TAG=NAME]...\n"
    "    the tags of an MP3 file as JSON: text, encoding, code page and bytes of each\n"
    "tag set FILE TAG TEXT [--codepage NAME]\n"
    "    write one tag (title, artist, album, year, track, genre, comment) in code page NAME\n"
    "    (default: the locale's); a text NAME cannot hold is written as UTF-16",
    &run};
const cli::Registration kRegistration(kCommand);

// Releases the pooled record on every way out.
struct PooledInfo {
  Info* info = Info::create();
  ~PooledInfo() { info->release(); }
};

std::u16string pathArgument(const char* arg) {
  return s::file::win::PathWin::absolute(platform::text::fileNameToUtf16(arg));
}

int show(int argc, char** argv) {
  if (argc < 1) return cli::usageError(kCommand, "tag show needs a FILE");
  std::u16string path = pathArgument(argv[0]);
  PooledInfo record;
  if (!record.info->load(path)) {
    s::sound::mp3::TagReader reader;
    std::string reason = reader.open(path) ? "not a file" : reader.lastError();
    std::fprintf(stderr, "sonvia-cli tag: cannot read the tags of %s: %s\n", argv[0],
                 reason.c_str());
    return 1;
  }
  for (int i = 1; i < argc; i += 2) {
    if (!TagCodePageChoice::isOption(argv[i]))
      return cli::usageError(kCommand, (std::string("unknown option ") + argv[i]).c_str());
    if (i + 1 >= argc)
      return cli::usageError(kCommand, (std::string(argv[i]) + " needs a value").c_str());
    std::string error;
    if (!TagCodePageChoice::apply(*record.info, argv[i], argv[i + 1], &error))
      return cli::usageError(kCommand, error.c_str());
  }
  std::printf("%s\n", s::sound::mp3::TagJson::of(*record.info).c_str());
  return 0;
}

int set(int argc, char** argv) {
  if (argc != 3 && argc != 5) return cli::usageError(kCommand, "tag set needs FILE TAG TEXT");
  int field = TagFields::byName(argv[1]);
  if (field < 0)
    return cli::usageError(kCommand, (std::string("unknown tag '") + argv[1] + "'").c_str());
  if (argv[2][0] == 0)
    return cli::usageError(kCommand, "TEXT is empty (an empty text leaves the tag as it is)");
  PooledInfo record;
  if (argc == 5) {
    if (std::strcmp(argv[3], "--codepage") != 0)
      return cli::usageError(kCommand, (std::string("unknown option ") + argv[3]).c_str());
    const auto* codePage =
        s::system::codepage::CodePageList::lookup(platform::text::utf8ToUtf16(argv[4]));
    if (!codePage)
      return cli::usageError(
          kCommand,
          (std::string("unknown code page '") + argv[4] + "' (sonvia-cli codepages lists them)")
              .c_str());
    record.info->setDefaultCodePage(codePage);
  }
  record.info->setTagOption(Info::kWriteAll, false);
  record.info->setTagOption(Info::kWriteAll + 1 + field, true);
  record.info->setTag(field, platform::text::utf8ToUtf16(argv[2]));
  if (!record.info->saveTags(pathArgument(argv[0]))) {
    std::fprintf(stderr, "sonvia-cli tag: %s; the file is unchanged\n",
                 record.info->lastSaveError().c_str());
    return 1;
  }
  return 0;
}

int run(int argc, char** argv) {
  if (argc < 1) return cli::usageError(kCommand, "missing show or set");
  if (std::strcmp(argv[0], "show") == 0) return show(argc - 1, argv + 1);
  if (std::strcmp(argv[0], "set") == 0) return set(argc - 1, argv + 1);
  return cli::usageError(kCommand, (std::string("unknown action '") + argv[0] + "'").c_str());
}

}  // namespace
