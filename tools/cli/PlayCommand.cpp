// sonvia-cli play: the console player.
#include <string>

#include "tools/cli/Command.h"
#include "tools/cli/ConsolePlayer.h"

namespace {

int run(int argc, char** argv);

const cli::Command kPlay = {"play", cli::ConsolePlayer::kUsage, &run};
const cli::Registration kRegistration(kPlay);

int run(int argc, char** argv) {
  cli::ConsolePlayer player;
  std::string error;
  if (!player.parse(argc, argv, error)) return cli::usageError(kPlay, error.c_str());
  return player.run("sonvia-cli play");
}

}  // namespace
