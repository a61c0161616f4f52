#pragma once
#include <string>

namespace s::sound::mp3::win {
class Info;
}

namespace s::sound::mp3 {

// The tags of a record as a JSON object for the command-line tools: for each tag read from the
// file (or restored from a play list), its text, the frame's text encoding (0-3; null for a
// restored tag), the code page the text was decoded with, and the kept bytes in hex. Tags the
// record does not have are left out.
//   {"title": {"text": "日本語", "encoding": 0,
//              "codePage": {"number": 932, "name": "Japanese (Shift_JIS)"},
//              "bytes": "93fa967b8cea00"}, ...}
class TagJson {
 public:
  static std::string of(win::Info& info);
  // `text` as a JSON string, quotes included.
  static std::string quote(const std::string& utf8);
};

}  // namespace s::sound::mp3
