#include "s/sound/mp3/TagPrecheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace s::sound::mp3 {

namespace {

uint32_t bigEndian(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

uint32_t syncsafe(const uint8_t* p) {
  return uint32_t{p[0] & 0x7Fu} << 21 | uint32_t{p[1] & 0x7Fu} << 14 | uint32_t{p[2] & 0x7Fu} << 7 |
         (p[3] & 0x7Fu);
}

bool readAt(int fd, void* buffer, std::size_t size, off_t at) {
  auto* p = static_cast<uint8_t*>(buffer);
  while (size > 0) {
    ssize_t got = ::pread(fd, p, size, at);
    if (got <= 0) return false;
    p += got;
    at += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

bool checkTagAt(int fd, off_t at, off_t fileSize, std::string* why) {
  uint8_t header[10];
  if (at < 0 || at + 10 > fileSize || !readAt(fd, header, sizeof header, at)) return true;
  if (std::memcmp(header, "ID3", 3) != 0) return true;
  std::size_t size = 10 + syncsafe(header + 6) + ((header[5] & 0x10) ? 10 : 0);
  if (at + static_cast<off_t>(size) > fileSize) return true;  // libid3tag skips a cut-off tag
  std::vector<uint8_t> tag(size);
  if (!readAt(fd, tag.data(), size, at)) return true;
  return TagPrecheck::tagIsSafe(tag.data(), size, why);
}

}  // namespace

bool TagPrecheck::tagIsSafe(const uint8_t* tag, std::size_t size, std::string* why) {
  if (size < 10 || std::memcmp(tag, "ID3", 3) != 0) return true;
  int version = tag[3];
  if (version != 3 && version != 4) return true;  // version 2 frames cannot be compressed
  std::vector<uint8_t> body(tag + 10, tag + size);
  // A version 3 tag is unsynchronised as a whole; its frames are found only after undoing that.
  if (version == 3 && (tag[5] & 0x80)) {
    std::vector<uint8_t> plain;
    for (std::size_t i = 0; i < body.size(); ++i) {
      plain.push_back(body[i]);
      if (body[i] == 0xFF && i + 1 < body.size() && body[i + 1] == 0) ++i;
    }
    body.swap(plain);
  }
  std::size_t pos = 0;
  if (tag[5] & 0x40) {  // extended header
    if (body.size() < 4) return true;
    pos = version == 3 ? 4 + bigEndian(body.data()) : syncsafe(body.data());
  }
  while (pos + 10 <= body.size() && body[pos] != 0) {
    const uint8_t* frame = body.data() + pos;
    uint32_t frameSize = version == 3 ? bigEndian(frame + 4) : syncsafe(frame + 4);
    if (std::memcmp(frame, "SEEK", 4) == 0) {
      *why = "the tag points to further tags elsewhere in the file";
      return false;
    }
    // Where libid3tag finds the inflated size: first in the data of a version 3 frame; in a
    // version 4 frame after the group and encryption bytes the flags announce.
    uint32_t inflated = 0;
    if (version == 3 && (frame[9] & 0x80) && pos + 14 <= body.size()) {
      inflated = bigEndian(frame + 10);
    } else if (version == 4 && (frame[9] & 0x08) && (frame[9] & 0x01)) {
      std::size_t at = pos + 10 + ((frame[9] & 0x40) ? 1 : 0) + ((frame[9] & 0x04) ? 1 : 0);
      if (at + 4 <= body.size()) inflated = syncsafe(body.data() + at);
    }
    if (inflated > kMaxInflatedFrame) {
      *why = "the tag declares a compressed frame of " + std::to_string(inflated) + " bytes";
      return false;
    }
    if (frameSize > body.size() - pos - 10) break;
    pos += 10 + frameSize;
  }
  return true;
}

bool TagPrecheck::fileIsSafe(int fd, std::string* why) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return true;
  off_t size = st.st_size;
  if (!checkTagAt(fd, 0, size, why)) return false;
  off_t end = size;
  char v1[3];
  if (size >= 128 && readAt(fd, v1, 3, size - 128) && std::memcmp(v1, "TAG", 3) == 0) end -= 128;
  // An appended tag is found by its footer; its size counts neither the footer nor the header,
  // so the header lies that many bytes and two headers' lengths before the end.
  uint8_t footer[10];
  if (end >= 10 && readAt(fd, footer, sizeof footer, end - 10) &&
      std::memcmp(footer, "3DI", 3) == 0)
    return checkTagAt(fd, end - 20 - static_cast<off_t>(syncsafe(footer + 6)), size, why);
  return true;
}

}  // namespace s::sound::mp3
