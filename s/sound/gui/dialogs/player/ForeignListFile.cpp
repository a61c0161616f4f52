#include "s/sound/gui/dialogs/player/ForeignListFile.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Utf.h"
#include "s/file/FileInputStream.h"
#include "s/file/win/PathWin.h"
#include "s/io/IInputStream.h"
#include "s/sound/gui/dialogs/player/ForeignListEntry.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;
using Format = ForeignListFile::Format;
using Result = ForeignListFile::Result;

namespace {

constexpr uint32_t kBlockBytes = 64 * 1024;

// The bytes of a list handed over in memory, read like a file.
class MemoryStream final : public io::IInputStream {
 public:
  explicit MemoryStream(std::string_view bytes) : bytes_(bytes) {}
  bool read(void* dst, uint32_t capacity, uint32_t* got) override {
    const std::size_t n = std::min<std::size_t>(capacity, bytes_.size() - at_);
    if (got) *got = static_cast<uint32_t>(n);
    if (n == 0) return false;
    std::memcpy(dst, bytes_.data() + at_, n);
    at_ += n;
    return true;
  }
  int64_t getPosition() const override { return static_cast<int64_t>(at_); }
  bool seek(int64_t position) override {
    if (position < 0 || static_cast<uint64_t>(position) > bytes_.size()) return false;
    at_ = static_cast<std::size_t>(position);
    return true;
  }
  int64_t getSize() const override { return static_cast<int64_t>(bytes_.size()); }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// The lines of a stream, each without its end (LF, CRLF or CR), through one fixed block.
class LineReader {
 public:
  explicit LineReader(io::IInputStream& in) : in_(in), block_(kBlockBytes) {}

  // The next line into `line`; false after the last. A line longer than kLongestLine comes
  // back empty with `tooLong` set: its bytes are skipped, not kept.
  bool next(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool started = false;
    for (;;) {
      if (at_ == end_ && !fill()) {
        if (started) ++number_;
        return started;
      }
      if (afterCr_) {
        afterCr_ = false;
        if (block_[at_] == '\n' && ++at_ == end_) continue;
      }
      const char* from = block_.data() + at_;
      const char* const blockEnd = block_.data() + end_;
      const char* stop = std::find_if(from, blockEnd,
                                      [](char c) { return c == '\n' || c == '\r'; });
      const auto take = static_cast<std::size_t>(stop - from);
      started = started || take > 0 || stop != blockEnd;
      if (!tooLong && line.size() + take > ForeignListFile::kLongestLine) {
        tooLong = true;
        line.clear();
      }
      if (!tooLong) line.append(from, take);
      at_ += take;
      if (at_ < end_) {
        afterCr_ = block_[at_] == '\r';
        ++at_;
        ++number_;
        return true;
      }
    }
  }
  int64_t lineNumber() const { return number_; }

 private:
  bool fill() {
    uint32_t got = 0;
    if (ended_ || !in_.read(block_.data(), kBlockBytes, &got) || got == 0) {
      ended_ = true;
      return false;
    }
    at_ = 0;
    end_ = got;
    return true;
  }

  io::IInputStream& in_;
  std::vector<char> block_;
  std::size_t at_ = 0, end_ = 0;
  bool afterCr_ = false;  // the LF of a CRLF ends no line of its own
  bool ended_ = false;
  int64_t number_ = 0;
};

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
  LineReader lines(in);
  std::string line;
  bool tooLong = false;
  while (lines.next(line, tooLong))
    if (!platform::text::isValidUtf8(line)) return false;
  return true;
}

// Counts an entry that names no file here; true, with `path`, for one that does.
bool resolveInto(Result& result, std::string_view text, bool latin1, std::u16string_view folder,
                 bool checkFiles, std::u16string& path) {
  ForeignListEntry::Resolved entry = ForeignListEntry::resolve(text, latin1, folder);
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
  MemoryStream in(bytes);
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

  struct Numbered {
    uint64_t number;
    std::u16string path;
  };
  std::vector<Numbered> numbered;  // ".pls" entries, put in order at the end
  bool inPlaylistSection = true;   // entries before any section are taken too
  LineReader lines(in);
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
    if (value.empty())
      ++result.empty;
    else if (resolveInto(result, value, latin1, folder, checkFiles, path))
      numbered.push_back({number, std::move(path)});
  }
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const Numbered& a, const Numbered& b) { return a.number < b.number; });
  result.paths.reserve(result.paths.size() + numbered.size());
  for (Numbered& entry : numbered) result.paths.push_back(std::move(entry.path));
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
  add(notSongs, "file that is not a song (.mp3 or .wav)",
      "files that are not songs (.mp3 or .wav)");
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
