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

namespace {

// Prints a command's usage lines; `prefix` goes before each form but not before explanations.
void printLines(std::FILE* to, const char* text, const char* prefix) {
  while (*text) {
    const char* end = std::strchr(text, '\n');
    size_t n = end ? static_cast<size_t>(end - text) : std::strlen(text);
    std::fprintf(to, "  %s%.*s\n", *text == ' ' ? "" : prefix, static_cast<int>(n), text);
    text += n + (end ? 1 : 0);
  }
}

}  // namespace

void printUsage(std::FILE* to) {
  std::fprintf(to, "usage: sonvia-cli COMMAND [ARGS...]\n\ncommands:\n");
  for (const Command* c : commands()) printLines(to, c->usage, "");
}

int usageError(const Command& command, const char* message) {
  if (message && *message) std::fprintf(stderr, "sonvia-cli %s: %s\n", command.name, message);
  std::fprintf(stderr, "usage:\n");
  printLines(stderr, command.usage, "sonvia-cli ");
  return 2;
}

}  // namespace cli
