// sonvia-cli play: the console player.
#include <string>

#include "s/app/console/ConsolePlayer.h"
#include "tools/cli/Command.h"

namespace {

int run(int argc, char** argv);

const std::string kUsageText = s::app::console::ConsolePlayer::usage();
const cli::Command kPlay = {"play", kUsageText.c_str(), &run};
const cli::Registration kRegistration(kPlay);

int run(int argc, char** argv) {
  s::app::console::ConsolePlayer player;
  std::string error;
  if (!player.parse(argc, argv, error)) return cli::usageError(kPlay, error.c_str());
  return player.run("sonvia-cli play");
}

}  // namespace
