#include "s/io/LineReader.h"

#include <algorithm>

#include "s/io/IInputStream.h"

namespace s::io {

LineReader::LineReader(IInputStream& in, std::size_t longestLine)
    : in_(in), longestLine_(longestLine), block_(kBlockBytes) {}

bool LineReader::fill() {
  uint32_t got = 0;
  if (ended_ || !in_.read(block_.data(), kBlockBytes, &got) || got == 0) {
    ended_ = true;
    return false;
  }
  at_ = 0;
  end_ = got;
  return true;
}

bool LineReader::next(std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  bool started = false;  // a line has begun: the stream's last line needs no end
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
    const char* stop =
        std::find_if(from, blockEnd, [](char c) { return c == '\n' || c == '\r'; });
    const auto take = static_cast<std::size_t>(stop - from);
    started = started || take > 0 || stop != blockEnd;
    if (!tooLong && line.size() + take > longestLine_) {
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

}  // namespace s::io
