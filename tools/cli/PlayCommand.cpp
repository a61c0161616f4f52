// sonvia-cli play: the console player.
#include <string>

#include "tools/cli/Command.h"
#include "tools/cli/ConsolePlayer.h"

namespace {

int run(int argc, char** argv);

const std::string kUsageText = cli::ConsolePlayer::usage();
const cli::Command kPlay = {"play", kUsageText.c_str(), &run};
const cli::Registration kRegistration(kPlay);

int run(int argc, char** argv) {
  cli::ConsolePlayer player;
  std::string error;
  if (!player.parse(argc, argv, error)) return cli::usageError(kPlay, error.c_str());
  return player.run("sonvia-cli play");
}

}  // namespace
