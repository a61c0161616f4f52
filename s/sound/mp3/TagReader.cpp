#include "s/sound/mp3/TagReader.h"

#include <fcntl.h>
#include <id3tag.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text/Utf.h"
#include "s/file/RegularFile.h"
#include "s/sound/mp3/TagPrecheck.h"

namespace s::sound::mp3 {

namespace {

void appendUtf16Unit(std::string& out, unsigned unit, bool bigEndian) {
  char lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>((unit >> 8) & 0xFF);
  out.push_back(bigEndian ? hi : lo);
  out.push_back(bigEndian ? lo : hi);
}

void appendUtf8(std::string& out, id3_ucs4_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// libid3tag hands out texts as 32-bit characters; this turns them back into the bytes of the
// frame's encoding. For ISO-8859-1 each character is one byte of the file, whatever code page
// the writer really used.
std::string bytesOf(const id3_ucs4_t* text, int encoding) {
  std::string out;
  for (const id3_ucs4_t* p = text; *p; ++p) {
    id3_ucs4_t c = *p;
    switch (encoding) {
      case ID3_FIELD_TEXTENCODING_UTF_16:
      case ID3_FIELD_TEXTENCODING_UTF_16BE: {
        bool bigEndian = encoding == ID3_FIELD_TEXTENCODING_UTF_16BE;
        // A character beyond the first plane goes back to its surrogate pair, so that the bytes
        // decode as UTF-16 to the same character (emoji in titles are common now).
        if (c > 0xFFFF && c <= 0x10FFFF) {
          appendUtf16Unit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
          appendUtf16Unit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
        } else {
          appendUtf16Unit(out, c > 0x10FFFF ? 0xFFFD : static_cast<unsigned>(c), bigEndian);
        }
        break;
      }
      case ID3_FIELD_TEXTENCODING_UTF_8:
        appendUtf8(out, c);
        break;
      default:
        do {
          out.push_back(static_cast<char>(c & 0xFF));
          c >>= 8;
        } while (c != 0);
        break;
    }
  }
  bool wide = encoding == ID3_FIELD_TEXTENCODING_UTF_16 ||
              encoding == ID3_FIELD_TEXTENCODING_UTF_16BE;
  out.append(wide ? 2 : 1, '\0');
  return out;
}

// "(17)" is how ID3v2.3 writers refer to a genre by number, and libid3tag's own name lookup only
// knows plain numbers; "(17)Rock & Roll" carries a refinement that is the better name.
const id3_ucs4_t* genreName(const id3_ucs4_t* text, std::basic_string<id3_ucs4_t>& storage) {
  const id3_ucs4_t* named = id3_genre_name(text);
  if (!named || named[0] != '(') return named;
  size_t i = 1;
  while (named[i] >= '0' && named[i] <= '9') ++i;
  if (i == 1 || named[i] != ')') return named;
  if (named[i + 1] != 0) return named + i + 1;
  storage.assign(named + 1, named + i);
  const id3_ucs4_t* byNumber = id3_genre_name(storage.c_str());
  return byNumber ? byNumber : named;
}

}  // namespace

bool TagReader::open(std::u16string_view path) {
  close();
  const int fd = file::RegularFile::openForReading(platform::text::fileNameFromUtf16(path), &error_);
  if (fd < 0) return false;
  return openDescriptor(fd);
}

bool TagReader::openDescriptor(int fd) {
  close();
  if (!TagPrecheck::fileIsSafe(fd, &error_)) {
    ::close(fd);
    return false;
  }
  // libid3tag takes the descriptor over and closes it with the tag file; when it fails it hands
  // the descriptor back untouched.
  file_ = id3_file_fdopen(fd, ID3_FILE_MODE_READONLY);
  if (!file_) {
    error_ = "the file's tags cannot be read";
    ::close(fd);
    return false;
  }
  tag_ = id3_file_tag(file_);
  error_.clear();
  return true;
}

void TagReader::close() {
  if (file_) id3_file_close(file_);
  file_ = nullptr;
  tag_ = nullptr;
}

RawTagText TagReader::read(int field) const {
  RawTagText raw;
  if (!tag_ || field < 0 || field >= TagFields::kCount) return raw;
  const char* id = TagFields::frameId(field);
  id3_frame* frame = id3_tag_findframe(tag_, id, 0);
  if (!frame) return raw;
  int encoding = ID3_FIELD_TEXTENCODING_ISO_8859_1;
  if (union id3_field* encodingField = id3_frame_field(frame, 0)) {
    int e = id3_field_gettextencoding(encodingField);
    if (e >= ID3_FIELD_TEXTENCODING_ISO_8859_1 && e <= ID3_FIELD_TEXTENCODING_UTF_8) encoding = e;
  }
  const id3_ucs4_t* text = nullptr;
  std::basic_string<id3_ucs4_t> genreStorage;
  if (field == TagFields::kComment) {
    if (union id3_field* full = id3_frame_field(frame, 3)) text = id3_field_getfullstring(full);
  } else if (union id3_field* list = id3_frame_field(frame, 1)) {
    if (id3_field_getnstrings(list) > 0) text = id3_field_getstrings(list, 0);
    if (text && field == TagFields::kGenre) text = genreName(text, genreStorage);
  }
  if (!text) return raw;
  raw.present = true;
  raw.encoding = encoding;
  raw.bytes = bytesOf(text, encoding);
  return raw;
}

}  // namespace s::sound::mp3
