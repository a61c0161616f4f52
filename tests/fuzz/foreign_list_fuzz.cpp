// Other players' list files (.m3u, .m3u8, .pls) on any bytes. Whatever comes back must be
// whole absolute paths without "." or ".." parts or NUL characters, and must not depend on how
// the lines end (LF or CRLF) nor on where the reader's blocks happen to break the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/sound/gui/dialogs/player/ForeignListFile.h"
#include "tests/fuzz/TextSeeds.h"

namespace {

using s::sound::gui::dialogs::player::ForeignListFile;
using Format = ForeignListFile::Format;
using Result = ForeignListFile::Result;

[[noreturn]] void fault(const char* what, const std::u16string& path = {}) {
  std::fprintf(stderr, "foreign list: %s %s\n", what, platform::text::utf16ToUtf8(path).c_str());
  std::abort();
}

void checkPaths(const Result& r) {
  for (const std::u16string& path : r.paths) {
    if (path.empty() || path[0] != u'/') fault("a path is not absolute:", path);
    if (path.find(u'\0') != std::u16string::npos) fault("a path holds a NUL:", path);
    for (const char16_t* bad : {u"//", u"/./", u"/../", u"\\"})
      if (path.find(bad) != std::u16string::npos) fault("a path is not normalized:", path);
    const std::u16string tail = path.substr(path.rfind(u'/'));
    if (tail == u"/." || tail == u"/..") fault("a path ends in a dot part:", path);
  }
  const int counts[] = {r.web, r.unsupported, r.otherSystem, r.empty, r.missing, r.longLines};
  for (int count : counts)
    if (count < 0) fault("a negative count");
  if (!r.opened && (!r.paths.empty() || r.failure.empty())) fault("a refused list has songs");
}

void expectSame(const Result& a, const Result& b, int64_t lineShift, const char* why) {
  if (a.opened != b.opened || a.paths != b.paths || a.web != b.web ||
      a.unsupported != b.unsupported || a.otherSystem != b.otherSystem || a.empty != b.empty ||
      a.longLines != b.longLines ||
      (a.longLines > 0 && a.firstLongLine + lineShift != b.firstLongLine))
    fault(why);
}

std::string withLfOnly(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] != '\r' || i + 1 >= bytes.size() || bytes[i + 1] != '\n') out.push_back(bytes[i]);
  return out;
}

bool startsWithMark(const std::string& bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  return bytes.size() >= 2 &&
         ((b[0] == 0xEF && b[1] == 0xBB) || (b[0] == 0xFF && b[1] == 0xFE) ||
          (b[0] == 0xFE && b[1] == 0xFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (Format format : {Format::kM3u, Format::kM3u8, Format::kPls}) {
    const Result plain = ForeignListFile::parse(bytes, format, u"/music", false);
    checkPaths(plain);
    expectSame(plain, ForeignListFile::parse(withLfOnly(bytes), format, u"/music", false), 0,
               "CRLF and LF line ends read differently");
    if (startsWithMark(bytes)) continue;
    // A comment line before the text puts the reader's first block boundary `shift` bytes into
    // it; a byte order mark would no longer be one there.
    const std::size_t shift = size > 0 ? data[0] : 0;
    const std::string prefix = "#" + std::string(64 * 1024 - 2 - shift, 'x') + "\n";
    expectSame(plain, ForeignListFile::parse(prefix + bytes, format, u"/music", false), 1,
               "a block boundary changed what was read");
  }
  return 0;
}

namespace {

const char* const kSeeds[] = {
    "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\nsong.mp3\r\n..\\up\\b.wav\r\n/abs/c.mp3\r\n",
    "file:///music/a%20b.mp3\nfile://localhost/x/%C3%A9.mp3\nfile://host/y.mp3\nhttp://r/s\n"
    "C:\\Music\\x.mp3\n\\\\server\\share\\y.mp3\nspotify:track:1\n./.././a/../b.mp3\n",
    "\xEF\xBB\xBF" "caf\xC3\xA9.mp3\rcaf\xE9.mp3\r\r\n",
    "[playlist]\nFile2=b.mp3\nTitle2=B\nFile1=a.mp3\nFile10=\nNumberOfEntries=1\n[x]\nFile3=c\n"
    "File99999999999999999999999=z.mp3\nfile4 = http://radio:8000/\n",
    "\xFF\xFE" "a\0",
};

}  // namespace

SONVIA_TEXT_SEEDS(kSeeds)
