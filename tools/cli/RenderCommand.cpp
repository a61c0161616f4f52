// sonvia-cli render: plays a song through a fresh playback engine into a WAVE file, written as
// fast as the engine feeds it, so the file holds exactly what a sound card would have received.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "s/app/console/EngineOptions.h"
#include "s/app/console/NumberArgument.h"
#include "s/file/StagedOutput.h"
#include "s/sound/IEncodedAudio.h"
#include "s/system/audio/win/Device.h"
#include "s/system/audio/win/Player.h"
#include "s/thread/Pooled.h"
#include "tools/cli/Command.h"

namespace {

int run(int argc, char** argv);

std::string usageText() {
  std::string text =
      "render IN OUT.wav [--effect NAME] [--pitch N] [--volume V] [--seek PERCENT]\n"
      "    plays IN through the playback engine into OUT.wav, as a sound card would receive it\n";
  for (const char* line : s::app::console::EngineOptions::kUsageLines) text += std::string("   ") + line + "\n";
  return text + "     --seek PERCENT: start at PERCENT (0..100) of the song";
}

const std::string kUsageText = usageText();
const cli::Command kRender = {"render", kUsageText.c_str(), &run};
const cli::Registration kRegistration(kRender);

int run(int argc, char** argv) {
  s::app::console::EngineOptions options;
  std::vector<std::string> files;
  float seekPercent = -1;
  for (int i = 0; i < argc; ++i) {
    std::string error;
    if (options.take(argc, argv, i, error)) {
      if (!error.empty()) return cli::usageError(kRender, error.c_str());
      continue;
    }
    const std::string arg = argv[i];
    if (arg == "--seek") {
      double v = 0;
      if (i + 1 >= argc || !s::app::console::NumberArgument::real(argv[i + 1], 0, 100, &v))
        return cli::usageError(kRender, "--seek takes a percentage from 0 to 100");
      seekPercent = static_cast<float>(v);
      ++i;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return cli::usageError(kRender, ("unknown option " + arg).c_str());
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return cli::usageError(kRender, "expected IN and OUT.wav");

  std::string reason;
  std::shared_ptr<s::sound::IEncodedAudio> source = s::thread::sharePooled(s::app::console::openSong(files[0], reason));
  if (!source) {
    std::fprintf(stderr, "sonvia-cli render: %s: %s\n", files[0].c_str(), reason.c_str());
    return 1;
  }
  // The start position is taken before the engine starts, so no chunk from before it is heard.
  if (seekPercent >= 0) {
    int64_t position = 0;
    source->seekPercent(seekPercent, &position);
  }

  s::file::StagedOutput output(files[1]);
  s::system::audio::win::Device device(-1, "file-fast:" + output.writePath(), "render");
  s::system::audio::win::Player* player = s::system::audio::win::Player::create();
  player->setDevice(&device);
  options.applyTo(*player);
  player->play(source, nullptr, nullptr);
  // A render runs faster than real time, so a coarse look would add a noticeable share of its
  // length; looking every 2 ms costs nothing next to the decoding.
  while (player->isActive()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  const std::string error = player->lastError();
  player->release();
  if (!error.empty()) output.discard();
  if (!error.empty() || !output.commit()) {
    std::fprintf(stderr, "sonvia-cli render: cannot write '%s'%s%s\n", files[1].c_str(),
                 error.empty() ? "" : ": ", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
