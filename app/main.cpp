#include <cstdio>

// The player window is not built yet; until it is, say plainly what this build can do.
int main(int argc, char** argv) {
  (void)argv;
  std::fprintf(stderr,
               "Sonvia: the player window and the console player are not part of this build yet.\n"
               "The command-line tool sonvia-cli (build/release/tools/sonvia-cli) lists what it can "
               "do with --help.\n");
  return argc > 1 ? 1 : 0;
}
