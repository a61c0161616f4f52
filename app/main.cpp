#include <cstdio>
#include <string>

#include "tools/cli/ConsolePlayer.h"

// Until the player window exists, `sonvia FILE...` plays the files with the console player, the
// same one as `sonvia-cli play`.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "Sonvia: the player window is not part of this build yet.\n"
                 "Usage: sonvia FILE... [--device NAME] [--effect NAME] [--pitch N] [--volume V]\n"
                 "plays the files in the console (keys: space pause/resume, left/right seek 5 %%,\n"
                 "up/down volume, n next, q quit). sonvia-cli --help lists the other tools.\n");
    return 2;
  }
  cli::ConsolePlayer player;
  std::string error;
  if (!player.parse(argc - 1, argv + 1, error)) {
    std::fprintf(stderr, "sonvia: %s\n", error.c_str());
    return 2;
  }
  return player.run("sonvia");
}
