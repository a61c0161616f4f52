#include "s/sound/gui/dialogs/player/ForeignListEntry.h"

#include <array>

#include "platform/text/CodePageConv.h"
#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"

namespace s::sound::gui::dialogs::player {

using file::win::PathWin;
using Kind = ForeignListEntry::Kind;
using Resolved = ForeignListEntry::Resolved;

namespace {

constexpr uint32_t kWindows1252 = 1252;

// Addresses of things played over a network. Every other scheme is merely unsupported.
constexpr std::array<std::string_view, 16> kWebSchemes = {
    "http", "https", "ftp",  "ftps", "sftp", "mms", "mmsh", "mmst",
    "rtsp", "rtsps", "rtmp", "rtmps", "rtp", "udp", "icy", "icyx"};

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

// "http" of "http://...", empty when the text is no address. One letter before the colon is a
// Windows drive ("C:\..."), never a scheme.
std::string_view schemeOf(std::string_view text) {
  if (text.empty() || !isAsciiLetter(text[0])) return {};
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') return i >= 2 ? text.substr(0, i) : std::string_view();
    if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.') return {};
  }
  return {};
}

bool isWebScheme(std::string_view scheme) {
  for (std::string_view web : kWebSchemes)
    if (equalsIgnoringAsciiCase(scheme, web)) return true;
  return false;
}

// The text as characters: bytes of a UTF-8 list stay exactly what they are (a name that is not
// UTF-8 still comes out as its own bytes); a Windows-1252 list is converted.
std::u16string decodeText(std::string_view bytes, bool latin1) {
  std::u16string out;
  if (latin1 && platform::text::decode(kWindows1252, bytes, out)) return out;
  return platform::text::fileNameToUtf16(bytes);
}

bool isAsciiLetter(char16_t c) { return c < 0x80 && isAsciiLetter(static_cast<char>(c)); }

// A drive letter ("C:\", "C:song.mp3"), a server ("\\server\share") or a path rooted on the
// current Windows drive ("\Music\...").
bool isWindowsPath(std::u16string_view path) {
  if (path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == u':') return true;
  return !path.empty() && path[0] == u'\\';
}

// The path of "file:///C:/Music/a.mp3" (or the older "file:///C|/Music/a.mp3").
bool isWindowsAddressPath(std::u16string_view path) {
  return path.size() >= 3 && path[0] == u'/' && isAsciiLetter(path[1]) &&
         (path[2] == u':' || path[2] == u'|') && (path.size() == 3 || path[3] == u'/');
}

bool hasNul(std::u16string_view path) { return path.find(u'\0') != std::u16string_view::npos; }

int hexValue(char c) {
  if (isAsciiDigit(c)) return c - '0';
  c = lowerAscii(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

Resolved fileAddress(std::string_view text, bool latin1) {
  std::string_view rest = text.substr(5);  // after "file:"
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    // A file on another computer is not one this computer can open by that name.
    if (slash == std::string_view::npos ||
        (!host.empty() && !equalsIgnoringAsciiCase(host, "localhost")))
      return {};
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest[0] != '/') return {};
  // Escapes are the name's bytes; the unescaped text around them is in the list's encoding.
  std::string bytes;
  std::size_t plain = 0;
  auto flushPlain = [&](std::size_t end) {
    const std::string_view run = rest.substr(plain, end - plain);
    bytes += latin1 ? platform::text::fileNameFromUtf16(decodeText(run, true)) : std::string(run);
  };
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%' || i + 2 >= rest.size() || hexValue(rest[i + 1]) < 0 ||
        hexValue(rest[i + 2]) < 0)
      continue;
    flushPlain(i);
    bytes.push_back(static_cast<char>(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2])));
    plain = i + 3;
    i += 2;
  }
  flushPlain(rest.size());
  const std::u16string path = platform::text::fileNameToUtf16(bytes);
  if (hasNul(path)) return {};
  if (isWindowsAddressPath(path)) return {Kind::kOtherSystem, {}};
  return {Kind::kFile, PathWin::normalize(path)};
}

}  // namespace

Resolved ForeignListEntry::resolve(std::string_view text, bool latin1, std::u16string_view folder,
                                   bool lookUp) {
  const std::string_view scheme = schemeOf(text);
  if (equalsIgnoringAsciiCase(scheme, "file")) return fileAddress(text, latin1);
  if (isWebScheme(scheme)) return {Kind::kWeb, {}};

  const std::u16string name = decodeText(text, latin1);
  if (name.empty() || hasNul(name)) return {};
  if (isWindowsPath(name)) return {Kind::kOtherSystem, {}};
  // Backslashes are separators to the path functions, so a relative Windows path is joined
  // and normalized like any other.
  std::u16string path = PathWin::normalize(PathWin::join(folder, name));
  if (latin1 && lookUp) {
    std::u16string asBytes =
        PathWin::normalize(PathWin::join(folder, platform::text::fileNameToUtf16(text)));
    if (asBytes != path && !PathWin::exists(path) && PathWin::exists(asBytes))
      path = std::move(asBytes);
  }
  // "Intro: Take 2.mp3" looks like an address of the scheme "Intro" but may be a file.
  if (!scheme.empty() && (!lookUp || !PathWin::exists(path))) return {};
  return {Kind::kFile, std::move(path)};
}

}  // namespace s::sound::gui::dialogs::player
