#include "tools/cli/Command.h"

#include <cstring>
#include <vector>

namespace cli {

static std::vector<const Command*>& commands() {
  static std::vector<const Command*> all;
  return all;
}

Registration::Registration(const Command& command) { commands().push_back(&command); }

const Command* findCommand(const char* name) {
  for (const Command* c : commands())
    if (std::strcmp(c->name, name) == 0) return c;
  return nullptr;
}

void printUsage(std::FILE* to) {
  std::fprintf(to, "usage: sonvia-cli COMMAND [ARGS...]\n\ncommands:\n");
  for (const Command* c : commands()) {
    const char* line = c->usage;
    while (*line) {
      const char* end = std::strchr(line, '\n');
      size_t n = end ? static_cast<size_t>(end - line) : std::strlen(line);
      std::fprintf(to, "  %.*s\n", static_cast<int>(n), line);
      line += n + (end ? 1 : 0);
    }
  }
}

int usageError(const Command& command, const char* message) {
  if (message && *message) std::fprintf(stderr, "sonvia-cli %s: %s\n", command.name, message);
  std::fprintf(stderr, "usage:\n");
  const char* line = command.usage;
  while (*line) {
    const char* end = std::strchr(line, '\n');
    size_t n = end ? static_cast<size_t>(end - line) : std::strlen(line);
    std::fprintf(stderr, "  sonvia-cli %.*s\n", static_cast<int>(n), line);
    line += n + (end ? 1 : 0);
  }
  return 2;
}

}  // namespace cli
