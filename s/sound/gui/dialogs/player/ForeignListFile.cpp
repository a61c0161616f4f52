#include "s/sound/gui/dialogs/player/ForeignListFile.h"

#include <algorithm>
#include <utility>

#include "platform/text/Utf.h"
#include "s/file/FileInputStream.h"
#include "s/file/win/PathWin.h"
#include "s/io/IInputStream.h"
#include "s/io/LineReader.h"
#include "s/io/MemoryInputStream.h"
#include "s/sound/gui/dialogs/player/ForeignListEntry.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;
using Format = ForeignListFile::Format;
using Result = ForeignListFile::Result;

namespace {

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// "File12" gives 12. Numbers too large for 64 bits all sort last, in the order they come.
bool fileEntryNumber(std::string_view key, uint64_t* number) {
  if (key.size() <= 4 || !equalsIgnoringAsciiCase(key.substr(0, 4), "file")) return false;
  uint64_t value = 0;
  for (char c : key.substr(4)) {
    if (c < '0' || c > '9') return false;
    const auto digit = static_cast<uint64_t>(c - '0');
    value = value > (UINT64_MAX - digit) / 10 ? UINT64_MAX : value * 10 + digit;
  }
  *number = value;
  return true;
}

// The first bytes: how many of them are a UTF-8 byte order mark; -1 for UTF-16.
int byteOrderMark(io::IInputStream& in) {
  unsigned char head[3] = {};
  uint32_t have = 0, got = 0;
  while (have < 3 && in.read(head + have, 3 - have, &got) && got > 0) have += got;
  if (have >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
    return -1;
  return have == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF ? 3 : 0;
}

bool allUtf8(io::IInputStream& in) {
  io::LineReader lines(in, ForeignListFile::kLongestLine);
  std::string line;
  bool tooLong = false;
  while (lines.next(line, tooLong))
    if (!platform::text::isValidUtf8(line)) return false;
  return true;
}

// Counts an entry that names no file here; true, with `path`, for one that does.
bool resolveInto(Result& result, std::string_view text, bool latin1, std::u16string_view folder,
                 bool checkFiles, std::u16string& path) {
  ForeignListEntry::Resolved entry = ForeignListEntry::resolve(text, latin1, folder, checkFiles);
  switch (entry.kind) {
    case ForeignListEntry::Kind::kWeb: ++result.web; return false;
    case ForeignListEntry::Kind::kUnsupported: ++result.unsupported; return false;
    case ForeignListEntry::Kind::kOtherSystem: ++result.otherSystem; return false;
    case ForeignListEntry::Kind::kFile: break;
  }
  if (checkFiles && !PathWin::exists(entry.path)) {
    ++result.missing;
    return false;
  }
  path = std::move(entry.path);
  return true;
}

}  // namespace

Format ForeignListFile::formatOf(std::u16string_view path) {
  if (PathWin::hasExtension(path, u"m3u")) return Format::kM3u;
  if (PathWin::hasExtension(path, u"m3u8")) return Format::kM3u8;
  if (PathWin::hasExtension(path, u"pls")) return Format::kPls;
  return Format::kNone;
}

Result ForeignListFile::read(std::u16string_view path, bool checkFiles) {
  const Format format = formatOf(path);
  if (format == Format::kNone) {
    Result result;
    result.failure = "not an .m3u, .m3u8 or .pls play list";
    return result;
  }
  file::FileInputStream* in = file::FileInputStream::create();
  Result result;
  if (in->open(path))
    result = parseStream(*in, format, PathWin::folder(path), checkFiles);
  else
    result.failure = std::string("cannot be read: ") + in->lastError();
  in->release();
  return result;
}

Result ForeignListFile::parse(std::string_view bytes, Format format, std::u16string_view folder,
                              bool checkFiles) {
  io::MemoryInputStream in(bytes);
  return parseStream(in, format, folder, checkFiles);
}

Result ForeignListFile::parseStream(io::IInputStream& in, Format format,
                                    std::u16string_view folder, bool checkFiles) {
  Result result;
  const int mark = byteOrderMark(in);
  if (mark < 0) {
    result.failure = "the list is in UTF-16, which is not read; save it as UTF-8";
    return result;
  }
  const bool latin1 = format != Format::kM3u8 && mark == 0 && in.seek(0) && !allUtf8(in);
  if (!in.seek(mark)) {
    result.failure = "the list could not be read again from its start";
    return result;
  }
  result.opened = true;

  // ".pls" entries: their paths as they come, and each one's number with its place, sorted at
  // the end (the places keep entries of one number in file order).
  std::vector<std::u16string> plsPaths;
  std::vector<std::pair<uint64_t, std::size_t>> plsOrder;
  bool inPlaylistSection = true;  // entries before any section are taken too
  io::LineReader lines(in, kLongestLine);
  std::string line;
  std::u16string path;
  bool tooLong = false;
  while (lines.next(line, tooLong)) {
    if (tooLong) {
      if (result.longLines++ == 0) result.firstLongLine = lines.lineNumber();
      continue;
    }
    const std::string_view text = trimmed(line);
    if (format != Format::kPls) {
      if (!text.empty() && text[0] != '#' &&
          resolveInto(result, text, latin1, folder, checkFiles, path))
        result.paths.push_back(std::move(path));
      continue;
    }
    if (text.empty() || text[0] == ';' || text[0] == '#') continue;
    if (text[0] == '[') {
      const std::size_t close = text.find(']');
      inPlaylistSection = equalsIgnoringAsciiCase(
          trimmed(text.substr(1, close == std::string_view::npos ? close : close - 1)),
          "playlist");
      continue;
    }
    const std::size_t equals = text.find('=');
    uint64_t number = 0;
    if (!inPlaylistSection || equals == std::string_view::npos ||
        !fileEntryNumber(trimmed(text.substr(0, equals)), &number))
      continue;
    const std::string_view value = trimmed(text.substr(equals + 1));
    if (value.empty()) {
      ++result.empty;
    } else if (resolveInto(result, value, latin1, folder, checkFiles, path)) {
      plsOrder.emplace_back(number, plsPaths.size());
      plsPaths.push_back(std::move(path));
    }
  }
  std::sort(plsOrder.begin(), plsOrder.end());
  result.paths.reserve(result.paths.size() + plsOrder.size());
  for (const auto& [number, place] : plsOrder) result.paths.push_back(std::move(plsPaths[place]));
  return result;
}

int Result::skipped() const {
  return web + unsupported + otherSystem + empty + missing + longLines + alreadyListed +
         notSongs + unreadable;
}

std::string Result::skippedText() const {
  std::string text;
  auto add = [&text](int count, const char* one, const char* many) {
    if (count == 0) return;
    if (!text.empty()) text += ", ";
    text += std::to_string(count) + " " + (count == 1 ? one : many);
  };
  add(web, "web address (streams are not played)", "web addresses (streams are not played)");
  add(unsupported, "unsupported entry", "unsupported entries");
  add(otherSystem, "Windows path", "Windows paths");
  add(empty, "empty entry", "empty entries");
  add(missing, "missing file", "missing files");
  add(notSongs, "entry that is not a song (.mp3 or .wav)",
      "entries that are not songs (.mp3 or .wav)");
  add(unreadable, "song that could not be read", "songs that could not be read");
  add(alreadyListed, "song already in the list", "songs already in the list");
  if (longLines > 0) {
    add(longLines, "line", "lines");
    text += " longer than " + std::to_string(kLongestLine) + " bytes (the first is line " +
            std::to_string(firstLongLine) + ")";
  }
  return text;
}

std::string Result::summary() const {
  if (!opened) return failure;
  std::string text = "added " + std::to_string(added) + (added == 1 ? " song" : " songs");
  if (skipped() > 0) text += "; skipped " + std::to_string(skipped()) + ": " + skippedText();
  return text;
}

}  // namespace s::sound::gui::dialogs::player
