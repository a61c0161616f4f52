// Tag reading from arbitrary file contents: libid3tag's v1/v2 parsing as the MP3 record uses it,
// the raw-byte reconstruction, decoding in several code pages, re-decoding and previews.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "s/sound/mp3/TagFields.h"
#include "s/sound/mp3/TagJson.h"
#include "s/sound/mp3/win/Info.h"
#include "s/system/codepage/CodePageList.h"

namespace {

using s::sound::mp3::TagFields;
using s::sound::mp3::win::Info;
using s::system::codepage::CodePageList;

void append(std::vector<uint8_t>& out, const std::string& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::string frame(const char* id, const std::string& body) {
  std::string f(id, 4);
  uint32_t n = static_cast<uint32_t>(body.size());
  f += {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
        static_cast<char>(n), 0, 0};
  return f + body;
}

// An ID3v2.3 tag with text frames in all four encodings, then a little audio and an ID3v1 tag.
std::vector<uint8_t> taggedFile(bool withV1) {
  std::string frames = frame("TIT2", std::string("\0\x93\xfa\x96\x7b", 5)) +
                       frame("TPE1", std::string("\x01\xff\xfe" "A\0\x42\x30", 7)) +
                       frame("TALB", std::string("\x02\x30\x42\0A", 5)) +
                       frame("TCON", std::string("\0(17)", 5)) +
                       frame("TYER", std::string("\0" "1999", 5)) +
                       frame("TRCK", std::string("\x03" "3/12", 5)) +
                       frame("COMM", std::string("\0eng\0note", 9));
  std::vector<uint8_t> file = {'I', 'D', '3', 3, 0, 0};
  uint32_t n = static_cast<uint32_t>(frames.size());
  file.insert(file.end(), {static_cast<uint8_t>((n >> 21) & 0x7F), static_cast<uint8_t>((n >> 14) & 0x7F),
                           static_cast<uint8_t>((n >> 7) & 0x7F), static_cast<uint8_t>(n & 0x7F)});
  append(file, frames);
  append(file, std::string("\xff\xfb\x90\x00", 4) + std::string(60, '\x55'));
  if (withV1) {
    std::string v1 = "TAG" + std::string("Title", 5) + std::string(25, '\0') + "Artist" +
                     std::string(24, '\0') + std::string(30, '\0') + "2001" + std::string(28, '\0') +
                     std::string("\0\x05", 2) + "\x08";
    append(file, v1);
  }
  return file;
}

// A little audio with an ID3v2.4 tag appended at the end, found by its footer.
std::vector<uint8_t> appendedTag() {
  std::string frames = frame("TIT2", std::string("\x03" "Appended", 9)) +
                       frame("COMM", std::string("\0eng\0note", 9));
  const uint32_t n = static_cast<uint32_t>(frames.size());
  std::string size;
  for (int shift : {21, 14, 7, 0}) size += static_cast<char>((n >> shift) & 0x7F);
  std::vector<uint8_t> file;
  append(file, std::string("\xff\xfb\x90\x00", 4) + std::string(60, '\x55'));
  append(file, std::string("ID3\x04\0\x10", 6) + size + frames);
  append(file, std::string("3DI\x04\0\x10", 6) + size);
  return file;
}

}  // namespace

// The seed hooks' signature is the smoke driver's; only C++ ever calls them.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif

extern "C" size_t SonviaFuzzSeedCount() { return 3; }

extern "C" std::vector<uint8_t> SonviaFuzzSeed(size_t index) {
  return index == 2 ? appendedTag() : taggedFile(index == 1);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int fd = memfd_create("tag_fuzz", MFD_CLOEXEC);
  if (fd < 0) return 0;
  if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) {
    close(fd);
    return 0;
  }
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  std::u16string widePath(path, path + std::char_traits<char>::length(path));

  Info info;
  if (info.load(widePath)) {
    (void)s::sound::mp3::TagJson::of(info);
    for (uint32_t number : {932u, 50220u, 1200u, 1201u, 65001u, 1252u}) {
      info.setCodePage(CodePageList::byNumber(number), true);
      for (int field = 0; field < TagFields::kCount; ++field) {
        info.setTagCodePage(field, CodePageList::byNumber(number), (number & 1) != 0);
        if (auto* preview = info.previewTag(field, CodePageList::byNumber(number), 10))
          preview->release();
      }
    }
  }
  close(fd);
  return 0;
}
