#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "s/sound/mp3/TagFields.h"

struct id3_file;
struct id3_tag;

namespace s::sound::mp3 {

// One tag text as it stands in the file: the frame's text encoding (0 ISO-8859-1, 1 UTF-16 with
// byte order mark, 2 UTF-16 big-endian, 3 UTF-8) and the text's bytes in that encoding followed
// by its terminator (two zero bytes for UTF-16, one otherwise).
struct RawTagText {
  bool present = false;
  int encoding = 0;
  std::string bytes;
};

// Reads the text tags of an MP3 file through libid3tag (ID3v1 and ID3v2; a v2 tag wins over a
// v1 tag). ISO-8859-1 texts come back as the very bytes of the file, so that a text written in
// some local code page can be decoded again in another one.
class TagReader {
 public:
  TagReader() = default;
  ~TagReader() { close(); }
  TagReader(const TagReader&) = delete;
  TagReader& operator=(const TagReader&) = delete;

  // Opens the file read-only (others may go on reading and writing it) and parses its tags.
  // False when the file cannot be opened; a file without any tag opens fine and has no texts.
  bool open(std::u16string_view path);
  // The same on a descriptor open for reading; the reader owns it from now on (also on failure).
  bool openDescriptor(int fd);
  void close();
  bool isOpen() const { return file_ != nullptr; }
  // The system's reason when open failed ("No such file or directory").
  const std::string& lastError() const { return error_; }

  // The text of one field (TagFields::Field). Genres are given by name, also when the file
  // holds a genre number ("17" or "(17)" read as "Rock").
  RawTagText read(int field) const;

 private:
  id3_file* file_ = nullptr;
  id3_tag* tag_ = nullptr;
  std::string error_;
};

}  // namespace s::sound::mp3
