#include "s/io/LineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "s/io/MemoryInputStream.h"

namespace {

using s::io::LineReader;
using s::io::MemoryInputStream;

constexpr std::size_t kBlock = LineReader::kBlockBytes;

// The lines of `text`, a line too long for `longest` shown as "<long N>" with its number.
std::vector<std::string> linesOf(const std::string& text, std::size_t longest) {
  MemoryInputStream in(text);
  LineReader reader(in, longest);
  std::vector<std::string> out;
  std::string line;
  bool tooLong = false;
  while (reader.next(line, tooLong))
    out.push_back(tooLong ? "<long " + std::to_string(reader.lineNumber()) + ">" : line);
  return out;
}

TEST(LineReader, EveryLineEndEndsOneLineWhereverTheBlocksBreak) {
  const std::string x(kBlock - 1, 'x');  // with its CR, exactly the first block
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"nothing", "", {}},
      {"one end only", "\n", {""}},
      {"no end after the last line", "a\nb", {"a", "b"}},
      {"LF, CRLF and CR", "a\nb\r\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"CR CR LF is two ends", "a\r\r\nb", {"a", "", "b"}},
      {"blank lines are lines", "\r\n\r\na\n\n", {"", "", "a", ""}},
      {"a CRLF split by the block", x + "\r\nb", {x, "b"}},
      {"a CR ending the block, then a line", x + "\rb", {x, "b"}},
      {"a CR ending the stream", x + "\r", {x}},
      {"an LF ending the block, then a blank line", x + "\n\nb", {x, "", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(linesOf(c.text, 2 * kBlock), c.lines) << c.what;
}

TEST(LineReader, ALineOverTheLimitIsSkippedAndCountedAndTheNextOneReadWhole) {
  const std::string limit(10, 'l');
  EXPECT_EQ(linesOf("a\n" + limit + "\n" + limit + "m\r\nb", 10),
            (std::vector<std::string>{"a", limit, "<long 3>", "b"}));
  // Across several blocks the reader keeps no more than the limit of it.
  const std::string huge(3 * kBlock + 5, 'h');
  EXPECT_EQ(linesOf(huge + "\r\n" + huge + "\nend", kBlock),
            (std::vector<std::string>{"<long 1>", "<long 2>", "end"}));
  const std::string spanning(kBlock + 7, 's');
  EXPECT_EQ(linesOf("a\n" + spanning, 2 * kBlock), (std::vector<std::string>{"a", spanning}));
}

}  // namespace
