#include "s/sound/mp3/TagWriter.h"

#include <fcntl.h>
#include <id3tag.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/text/Utf.h"
#include "s/file/StagedOutput.h"
#include "s/sound/mp3/TagPrecheck.h"

namespace s::sound::mp3 {

namespace {

using system::codepage::CodePage;

constexpr int kId3v1Size = 128;
constexpr int kId3v2HeaderSize = 10;

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close itself succeeded (NFS reports late errors there).
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string reason() { return std::strerror(errno); }

bool readFully(int fd, void* buffer, size_t size, off_t at) {
  auto* p = static_cast<char*>(buffer);
  while (size > 0) {
    ssize_t got = ::pread(fd, p, size, at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    p += got;
    at += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool writeFully(int fd, const void* buffer, size_t size) {
  const auto* p = static_cast<const char*>(buffer);
  while (size > 0) {
    ssize_t put = ::write(fd, p, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    p += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

// Where the audio lies: after a leading ID3v2 tag, before an ID3v1 tag and before an ID3v2 tag
// appended at the end. Everything between is copied as it is.
struct Layout {
  off_t audioStart = 0;
  off_t audioEnd = 0;
  bool hasId3v1 = false;
  // The leading tag claims more than the file holds, or cannot be parsed: whatever it covers
  // might be audio, and replacing it could lose that audio.
  bool damagedTag = false;
};

bool findLayout(int fd, off_t size, Layout& layout) {
  id3_byte_t header[kId3v2HeaderSize];
  layout.audioEnd = size;
  if (size >= kId3v2HeaderSize) {
    if (!readFully(fd, header, sizeof header, 0)) return false;
    signed long tagSize = id3_tag_query(header, sizeof header);
    if (tagSize > 0) {
      if (tagSize > size) {
        layout.damagedTag = true;
        return true;
      }
      std::vector<id3_byte_t> tag(static_cast<size_t>(tagSize));
      if (!readFully(fd, tag.data(), tag.size(), 0)) return false;
      id3_tag* parsed = id3_tag_parse(tag.data(), tag.size());
      if (!parsed) {
        layout.damagedTag = true;
        return true;
      }
      id3_tag_delete(parsed);
      layout.audioStart = tagSize;
    }
  }
  if (size - layout.audioStart >= kId3v1Size) {
    char tag[3];
    if (!readFully(fd, tag, sizeof tag, size - kId3v1Size)) return false;
    if (std::memcmp(tag, "TAG", 3) == 0) {
      layout.hasId3v1 = true;
      layout.audioEnd -= kId3v1Size;
    }
  }
  if (layout.audioEnd - layout.audioStart >= kId3v2HeaderSize) {
    if (!readFully(fd, header, sizeof header, layout.audioEnd - kId3v2HeaderSize)) return false;
    signed long footer = id3_tag_query(header, sizeof header);
    // A footer answers with minus the size of the tag before it.
    off_t appendedStart = layout.audioEnd - kId3v2HeaderSize + footer;
    if (footer < 0 && appendedStart >= layout.audioStart) layout.audioEnd = appendedStart;
  }
  return true;
}

std::vector<id3_ucs4_t> ucs4Of(std::u16string_view text) {
  std::vector<id3_ucs4_t> out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    out.push_back(c);
  }
  out.push_back(0);
  return out;
}

// Sets one text frame; a frame created here is dropped again when its fields cannot be set.
bool setFrame(id3_tag* tag, int field, std::u16string_view text, const CodePage& codePage) {
  std::string bytes;
  int encoding = TagWriter::encodingFor(codePage, text, &bytes);
  std::vector<id3_ucs4_t> ucs4;
  if (encoding == ID3_FIELD_TEXTENCODING_ISO_8859_1) {
    for (char b : bytes) ucs4.push_back(static_cast<unsigned char>(b));
    ucs4.push_back(0);
  } else {
    ucs4 = ucs4Of(text);
  }
  const char* id = TagFields::frameId(field);
  id3_frame* frame = id3_tag_findframe(tag, id, 0);
  bool created = false;
  if (!frame) {
    frame = id3_frame_new(id);
    if (!frame) return false;
    if (id3_tag_attachframe(tag, frame) != 0) {
      id3_frame_delete(frame);
      return false;
    }
    created = true;
  }
  bool ok = false;
  union id3_field* encodingField = id3_frame_field(frame, 0);
  if (encodingField &&
      id3_field_settextencoding(encodingField, static_cast<id3_field_textencoding>(encoding)) == 0) {
    if (field == TagFields::kComment) {
      static id3_ucs4_t noDescription[] = {0};
      union id3_field* language = id3_frame_field(frame, 1);
      union id3_field* description = id3_frame_field(frame, 2);
      union id3_field* full = id3_frame_field(frame, 3);
      ok = language && description && full && id3_field_setlanguage(language, "eng") == 0 &&
           id3_field_setstring(description, noDescription) == 0 &&
           id3_field_setfullstring(full, ucs4.data()) == 0;
    } else if (union id3_field* list = id3_frame_field(frame, 1)) {
      id3_ucs4_t* strings[1] = {ucs4.data()};
      ok = id3_field_setstrings(list, 1, strings) == 0;
    }
  }
  if (!ok && created) {
    id3_tag_detachframe(tag, frame);
    id3_frame_delete(frame);
  }
  return ok;
}

}  // namespace

int TagWriter::encodingFor(const CodePage& codePage, std::u16string_view text,
                           std::string* bytes) {
  switch (codePage.getNumber()) {
    case CodePage::kUtf16:
      return ID3_FIELD_TEXTENCODING_UTF_16;
    case CodePage::kUtf16BE:
      return ID3_FIELD_TEXTENCODING_UTF_16BE;
    case CodePage::kUtf8:
      return ID3_FIELD_TEXTENCODING_UTF_8;
    default:
      break;
  }
  std::string encoded;
  if (!codePage.encode(text, encoded)) return ID3_FIELD_TEXTENCODING_UTF_16;
  if (bytes) *bytes = std::move(encoded);
  return ID3_FIELD_TEXTENCODING_ISO_8859_1;
}

bool TagWriter::fail(const std::string& message) {
  error_ = message;
  return false;
}

bool TagWriter::write(std::u16string_view path, const Texts& texts, const CodePage& codePage) {
  error_.clear();
  std::string shown = platform::text::utf16ToUtf8(path);
  std::string name = platform::text::fileNameFromUtf16(path);
  char* resolved = ::realpath(name.c_str(), nullptr);
  if (!resolved) return fail("cannot open " + shown + ": " + reason());
  std::string target = resolved;
  std::free(resolved);

  struct stat st;
  if (::stat(target.c_str(), &st) != 0) return fail("cannot open " + shown + ": " + reason());
  if (!S_ISREG(st.st_mode)) return fail(shown + " is not a regular file");
  // The read-only mark is the user's word, also for a user whose privileges would override it.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return fail(shown + " is read-only");
  Descriptor original(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (original.get() < 0) return fail("cannot open " + shown + " for writing: " + reason());

  std::string unsafe;
  if (!TagPrecheck::fileIsSafe(original.get(), &unsafe))
    return fail("the tag of " + shown + " is damaged (" + unsafe + "); it is left alone");
  int tagFd = ::dup(original.get());
  id3_file* tagFile = tagFd < 0 ? nullptr : id3_file_fdopen(tagFd, ID3_FILE_MODE_READONLY);
  if (!tagFile) {
    if (tagFd >= 0) ::close(tagFd);
    return fail("cannot read the tags of " + shown);
  }
  id3_tag* tag = id3_file_tag(tagFile);
  bool changed = false;
  for (int field = 0; field < TagFields::kCount; ++field) {
    if (texts.text[field].empty()) continue;
    if (!setFrame(tag, field, texts.text[field], codePage)) {
      id3_file_close(tagFile);
      return fail(std::string("cannot set the ") + TagFields::name(field) + " of " + shown);
    }
    changed = true;
  }
  if (!changed) {
    id3_file_close(tagFile);
    return true;
  }

  Layout layout;
  if (!findLayout(original.get(), st.st_size, layout)) {
    id3_file_close(tagFile);
    return fail("cannot read " + shown + ": " + reason());
  }
  if (layout.damagedTag) {
    id3_file_close(tagFile);
    return fail("the ID3v2 tag of " + shown + " is damaged; it is left alone so that no audio "
                "is lost");
  }
  // A plain tag at the start of the file, readable by every player: no unsynchronisation,
  // compression or CRC.
  id3_tag_options(tag,
                  ID3_TAG_OPTION_UNSYNCHRONISATION | ID3_TAG_OPTION_COMPRESSION |
                      ID3_TAG_OPTION_CRC | ID3_TAG_OPTION_APPENDEDTAG | ID3_TAG_OPTION_ID3V1,
                  0);
  std::vector<id3_byte_t> v2(id3_tag_render(tag, nullptr));
  if (!v2.empty()) v2.resize(id3_tag_render(tag, v2.data()));
  std::vector<id3_byte_t> v1;
  if (layout.hasId3v1) {
    id3_tag_options(tag, ID3_TAG_OPTION_ID3V1, ~0);
    v1.resize(id3_tag_render(tag, nullptr));
    if (!v1.empty()) v1.resize(id3_tag_render(tag, v1.data()));
  }
  id3_file_close(tagFile);
  if (v2.empty()) return fail("cannot render the new tag of " + shown);

  // The process number keeps two programs writing tags of one file out of each other's way.
  file::StagedOutput staged(target, ".sonvia-" + std::to_string(::getpid()));
  Descriptor temporary(
      ::open(staged.writePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (temporary.get() < 0)
    return fail("cannot create " + staged.writePath() + ": " + reason());

  bool ok = writeFully(temporary.get(), v2.data(), v2.size());
  std::vector<char> buffer(1 << 20);
  for (off_t at = layout.audioStart; ok && at < layout.audioEnd;) {
    size_t n = static_cast<size_t>(std::min<off_t>(buffer.size(), layout.audioEnd - at));
    ok = readFully(original.get(), buffer.data(), n, at) &&
         writeFully(temporary.get(), buffer.data(), n);
    at += static_cast<off_t>(n);
  }
  if (ok && !v1.empty()) ok = writeFully(temporary.get(), v1.data(), v1.size());
  if (ok) ok = ::fsync(temporary.get()) == 0;
  if (!temporary.close()) ok = false;
  if (!ok) return fail("cannot write the new " + shown + ": " + reason());
  original.close();

  if (!staged.commit()) return fail("cannot replace " + shown + ": " + reason());
  return true;
}

}  // namespace s::sound::mp3
