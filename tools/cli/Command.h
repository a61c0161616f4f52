#pragma once
#include <cstdio>

namespace cli {

// One sonvia-cli command. Each command's file defines a static Registration, so adding a
// command touches no other file.
struct Command {
  const char* name;
  // One line per form, each starting with the command's name; lines that start with a space
  // explain the forms above them.
  const char* usage;
  int (*run)(int argc, char** argv);  // arguments after the command name; returns the exit status
};

struct Registration {
  explicit Registration(const Command& command);
};

const Command* findCommand(const char* name);
void printUsage(std::FILE* to);

// Exit status for wrong arguments: print this command's usage and return 2.
int usageError(const Command& command, const char* message);

}  // namespace cli
