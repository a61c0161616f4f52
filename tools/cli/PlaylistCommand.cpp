// sonvia-cli playlist: reads and changes ".mpl" play lists the way the player does. A list that
// cannot be read is reported and left exactly as it is.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"
#include "s/gui/win/ListBox2.h"
#include "s/lang/Localizer.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/mp3/TagJson.h"
#include "s/sound/mp3/win/Info.h"
#include "tools/cli/Command.h"

namespace {

std::string songs(int count) { return std::to_string(count) + (count == 1 ? " song" : " songs"); }

using s::file::win::PathWin;
using s::sound::IInfo;
using s::sound::gui::dialogs::player::ForeignListFile;
using s::sound::gui::dialogs::player::PlayList;
using s::sound::gui::dialogs::player::PlayListFile;

int run(int argc, char** argv);

const cli::Command kCommand{
    "playlist",
    "playlist show FILE.mpl\n"
    "    the list as JSON: its Generator values and every song with its values and tags\n"
    "playlist add FILE.mpl PATH...\n"
    "    add songs (.mp3, .wav), folders (with their subfolders) and the songs of other .mpl\n"
    "    files and of .m3u, .m3u8 and .pls lists the way the player adds them, then save; a\n"
    "    missing FILE.mpl is created. For each .m3u/.m3u8/.pls list, says how many songs it\n"
    "    added and which entries it passed over (web addresses, missing files, ...) and why\n"
    "playlist remove-missing FILE.mpl\n"
    "    take out the songs whose files are gone, then save\n"
    "playlist sort FILE.mpl COLUMN [--descending]\n"
    "    sort as a click on the column header does, number the songs 1 to n, save; COLUMN is\n"
    "    0-7 or number, title, duration, artist, album, genre, filename, path",
    &run};
const cli::Registration kRegistration(kCommand);

std::string json(std::u16string_view text) {
  return s::sound::mp3::TagJson::quote(platform::text::utf16ToUtf8(text));
}

std::string jsonPath(std::u16string_view path) {
  return s::sound::mp3::TagJson::quote(platform::text::fileNameFromUtf16(path));
}

std::u16string pathArgument(const char* arg) {
  return PathWin::absolute(platform::text::fileNameToUtf16(arg));
}

void warn(const std::string& message) {
  std::fprintf(stderr, "sonvia-cli playlist: %s\n", message.c_str());
}

int fail(const std::string& message) {
  warn(message);
  return 1;
}

// What a command still holds when it ends: the process ends right after, and giving a list of
// a hundred thousand songs back record by record would take longer than sorting it. Held here,
// where it stays reachable, instead of dropped.
void keepUntilExit(s::base::IObject* object) {
  static auto* const kept = new std::vector<s::base::IObject*>;
  kept->push_back(object);
}

// A list opened from its file, kept to the end of the process. What the user must hear about
// the file (a damaged list read in part) is said as soon as it is open.
struct OpenedList {
  PlayListFile::LoadResult result;  // filled while `list` is made
  PlayList* list;
  explicit OpenedList(const std::u16string& path)
      : list(PlayListFile::openListFile(path, &result)) {
    keepUntilExit(list);
    const std::string notice = list->takeNotice();
    if (!notice.empty()) warn(notice);
  }
};

// The language table supplies the "Generator" texts written with every list.
s::lang::Localizer* texts() {
  static s::lang::Localizer* const table = s::lang::Localizer::createFromResource().release();
  return table;
}

std::string songJson(IInfo* song) {
  auto num = [](long long v) { return std::to_string(v); };
  std::string out = "{\"songNumber\": " + (song->hasSongNumber() ? num(song->getSongNumber()) : "null");
  out += ", \"type\": " + json(song->getFileType());
  out += ", \"path\": " + jsonPath(song->getPath());
  out += ", \"exists\": " + std::string(PathWin::isFile(song->getPath()) ? "true" : "false");
  out += ", \"title\": " + json(PlayList::displayTitle(song));
  out += ", \"playTimeMs\": " + num(song->getPlayTimeMs());
  if (song->hasBitRate()) out += ", \"bitRateKbps\": " + num(song->getBitRateKbps());
  out += ", \"stereo\": " + std::string(song->isStereo() ? "true" : "false");
  out += ", \"sampleRate\": " + num(song->getSampleRate());
  out += ", \"volumeBoost\": " + (song->hasVolumeBoost() ? num(song->getVolumeBoost()) : "null");
  if (auto* mp3 = dynamic_cast<s::sound::mp3::win::Info*>(song))
    out += ", \"tags\": " + s::sound::mp3::TagJson::of(*mp3);
  return out + "}";
}

int show(int argc, char** argv) {
  if (argc != 1) return cli::usageError(kCommand, "playlist show needs one FILE.mpl");
  const std::u16string path = pathArgument(argv[0]);
  if (!PathWin::isFile(path)) return fail(std::string("no such play list: ") + argv[0]);
  OpenedList opened(path);
  if (opened.result.failed()) return fail(opened.result.reason);

  // What the list file says of itself comes with the songs: the file is read once.
  const PlayListFile::LoadResult& file = opened.result;
  std::string out = "{\"file\": " + jsonPath(path) + ", \"generator\": {";
  out += "\"Application\": " + json(file.application);
  out += ", \"Version\": " + json(file.version);
  out += ", \"URL\": " + json(file.url);
  out += "}, \"length\": " + std::to_string(file.length);
  out += ", \"writtenAs\": " + jsonPath(file.writtenAs);
  out += ", \"songs\": [";
  for (int i = 0; i < opened.list->getSongCount(); ++i)
    out += (i ? ",\n  " : "\n  ") + songJson(opened.list->getSong(i));
  out += opened.list->getSongCount() ? "\n]}" : "]}";
  std::printf("%s\n", out.c_str());
  return 0;
}

bool save(PlayList* list, const std::u16string& path, s::gui::win::ListBox2* view) {
  std::string reason;
  if (PlayListFile::saveList(texts(), list, path, view, &reason)) return true;
  fail(reason);
  return false;
}

int add(int argc, char** argv) {
  if (argc < 2) return cli::usageError(kCommand, "playlist add needs FILE.mpl and a PATH");
  const std::u16string path = pathArgument(argv[0]);
  if (!PathWin::hasExtension(path, u"mpl"))
    return cli::usageError(kCommand, "the list's file name must end in .mpl");
  OpenedList opened(path);
  if (opened.result.failed()) return fail(opened.result.reason + "; nothing was changed");
  PlayList* list = opened.list;
  const int before = list->getSongCount();
  bool allGood = true;
  for (int i = 1; i < argc; ++i) {
    const std::u16string item = pathArgument(argv[i]);
    if (PathWin::isFolder(item)) {
      list->addFolder(item, nullptr);
    } else if (ForeignListFile::isListFile(item)) {
      if (!PathWin::exists(item)) {
        allGood = !fail(std::string("no such play list: ") + argv[i]) && allGood;
        continue;
      }
      // Entries passed over are told, not failures: a list of streams and songs is still read.
      const ForeignListFile::Result other = list->addListFile(item, nullptr);
      if (other.opened)
        std::printf("%s: %s\n", argv[i], other.summary().c_str());
      else
        allGood = !fail(std::string(argv[i]) + ": " + other.failure) && allGood;
    } else if (PathWin::hasExtension(item, u"mpl")) {
      if (item == path) {
        allGood = !fail(std::string(argv[i]) + " is the list itself") && allGood;
        continue;
      }
      PlayListFile::LoadResult other = PlayListFile::loadList(list, item, nullptr);
      if (other.status == PlayListFile::LoadResult::kNoFile)
        allGood = !fail(std::string("no such play list: ") + argv[i]) && allGood;
      else if (other.failed() || other.damaged())
        allGood = !fail(other.reason) && allGood;
    } else if (!PathWin::exists(item) && !PathWin::isLink(item)) {
      allGood = !fail(std::string("no such file: ") + argv[i]) && allGood;
    } else if (!PathWin::isFile(item)) {
      allGood = !fail(std::string("not a regular file: ") + argv[i]) && allGood;
    } else if (!PathWin::hasExtension(item, u"mp3") && !PathWin::hasExtension(item, u"wav")) {
      allGood = !fail(std::string("not a song (.mp3 or .wav) nor a play list (.mpl, .m3u, .m3u8, "
                                  ".pls): ") + argv[i]) &&
                allGood;
    } else if (!list->containsPath(item) &&
               !list->addFile(nullptr, item, nullptr, nullptr, nullptr, nullptr, -1)) {
      allGood = !fail(std::string("cannot be read as a song: ") + argv[i]) && allGood;
    }
  }
  if (!save(list, path, nullptr)) return 1;
  std::printf("added %s; %s holds %d\n", songs(list->getSongCount() - before).c_str(), argv[0],
              list->getSongCount());
  return allGood ? 0 : 1;
}

int removeMissing(int argc, char** argv) {
  if (argc != 1) return cli::usageError(kCommand, "playlist remove-missing needs one FILE.mpl");
  const std::u16string path = pathArgument(argv[0]);
  if (!PathWin::isFile(path)) return fail(std::string("no such play list: ") + argv[0]);
  OpenedList opened(path);
  if (opened.result.failed()) return fail(opened.result.reason + "; nothing was changed");
  const int before = opened.list->getSongCount();
  opened.list->removeMissing(nullptr, false, -1, nullptr);
  const int removed = before - opened.list->getSongCount();
  if (removed > 0 && !save(opened.list, path, nullptr)) return 1;
  std::printf("removed %s; %s holds %d\n", songs(removed).c_str(), argv[0], opened.list->getSongCount());
  return 0;
}

// A column by number or by name in any case ("Title" as the header shows it); -1 when it
// names none.
int columnOf(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const names[][2] = {
      {"number", "#"},       {"title", "title"},    {"duration", "time"},
      {"artist", "artist"},  {"album", "album"},    {"genre", "genre"},
      {"filename", "file-name"}, {"path", "file-path"}};
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '7') return name[0] - '0';
  for (int i = 0; i < 8; ++i)
    if (name == names[i][0] || name == names[i][1]) return i;
  return -1;
}

int sort(int argc, char** argv) {
  if (argc < 2 || argc > 3)
    return cli::usageError(kCommand, "playlist sort needs FILE.mpl and COLUMN");
  const int column = columnOf(argv[1]);
  if (column < 0)
    return cli::usageError(kCommand, (std::string("unknown column '") + argv[1] + "'").c_str());
  bool descending = false;
  if (argc == 3) {
    if (std::strcmp(argv[2], "--descending") != 0)
      return cli::usageError(kCommand, (std::string("unknown option ") + argv[2]).c_str());
    descending = true;
  }
  const std::u16string path = pathArgument(argv[0]);
  if (!PathWin::isFile(path)) return fail(std::string("no such play list: ") + argv[0]);
  OpenedList opened(path);
  if (opened.result.failed()) return fail(opened.result.reason + "; nothing was changed");

  s::gui::win::ListBox2* view = s::gui::win::ListBox2::create();
  s::sound::gui::dialogs::player::addSongColumns(*view, texts());
  opened.list->showInView(view);
  // The first click on a header sorts ascending, the second descending.
  view->clickColumn(column);
  if (descending) view->clickColumn(column);
  opened.list->renumberFromView(view);
  const bool saved = save(opened.list, path, view);
  keepUntilExit(view);
  if (!saved) return 1;
  std::printf("sorted %s of %s\n", songs(opened.list->getSongCount()).c_str(), argv[0]);
  return 0;
}

int run(int argc, char** argv) {
  if (argc < 1) return cli::usageError(kCommand, "no playlist command given");
  const std::string what = argv[0];
  if (what == "show") return show(argc - 1, argv + 1);
  if (what == "add") return add(argc - 1, argv + 1);
  if (what == "remove-missing") return removeMissing(argc - 1, argv + 1);
  if (what == "sort") return sort(argc - 1, argv + 1);
  return cli::usageError(kCommand, ("unknown playlist command '" + what + "'").c_str());
}

}  // namespace
