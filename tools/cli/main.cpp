#include <cstdio>
#include <cstring>
#include <string>

#include "tools/cli/Command.h"

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    cli::printUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const cli::Command* command = cli::findCommand(argv[1]);
  if (!command) {
    std::fprintf(stderr, "sonvia-cli: unknown command '%s'\n\n", argv[1]);
    cli::printUsage(stderr);
    return 2;
  }
  return command->run(argc - 2, argv + 2);
}
