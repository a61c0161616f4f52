#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace s::io {

class IInputStream;

// The lines of a text stream, each without its end (LF, CRLF or CR), read through one fixed
// block: however long the stream and its lines, it holds one block and at most `longestLine`
// bytes of a line.
class LineReader {
 public:
  static constexpr uint32_t kBlockBytes = 64 * 1024;

  LineReader(IInputStream& in, std::size_t longestLine);

  // The next line into `line`; false after the last. A line longer than `longestLine` comes
  // back empty with `tooLong` set: its bytes are skipped, not kept.
  bool next(std::string& line, bool& tooLong);
  // The number (from 1) of the line next() gave last.
  int64_t lineNumber() const { return number_; }

 private:
  bool fill();

  IInputStream& in_;
  const std::size_t longestLine_;
  std::vector<char> block_;
  std::size_t at_ = 0, end_ = 0;
  bool afterCr_ = false;  // the LF of a CRLF ends no line of its own, in this block or the next
  bool ended_ = false;
  int64_t number_ = 0;
};

}  // namespace s::io
