#include "app/ConsolePlayerWindow.h"

#include <cstdio>

#include "platform/text/Utf.h"
#include "s/app/console/ConsolePlayer.h"
#include "s/app/console/Terminal.h"
#include "s/process/commandline/win/CommandLine.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The console player's own switches with their values, as it expects them ("--device NAME").
std::vector<std::string> playerSwitches(const s::process::commandline::win::CommandLine& line) {
  std::vector<std::string> args;
  for (std::int32_t i = 0; i < line.count(); ++i) {
    const std::string text = platform::text::fileNameFromUtf16(line.get(i)->view());
    if (line.isSwitch(i)) args.push_back("-" + text);
    else if (line.isSwitchValue(i)) args.push_back(text);
  }
  return args;
}

int playOnce(const std::vector<std::string>& switches, const std::vector<std::string>& files) {
  std::vector<std::string> args = switches;
  args.insert(args.end(), files.begin(), files.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  s::app::console::ConsolePlayer player;
  std::string error;
  if (!player.parse(static_cast<int>(argv.size()), argv.data(), error)) {
    std::fprintf(stderr, "sonvia: %s\n", error.c_str());
    return 2;
  }
  return player.run("sonvia");
}

}  // namespace

std::vector<std::u16string> ConsolePlayerWindow::valueSwitches() const {
  return {u"device", u"effect", u"pitch", u"volume"};
}

bool ConsolePlayerWindow::takeHandedOver(const std::vector<std::string>& files) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (closing_) return false;
  queue_.insert(queue_.end(), files.begin(), files.end());
  for (const std::string& f : files) {
    // Clears the player's status line first when it is updated in place.
    std::printf("%sQueued %s\n", s::app::console::Terminal::stdoutIsTerminal() ? "\r\x1b[K" : "",
                baseName(f).c_str());
  }
  std::fflush(stdout);
  return true;
}

std::vector<std::string> ConsolePlayerWindow::nextBatch() {
  std::lock_guard<std::mutex> hold(mutex_);
  std::vector<std::string> batch;
  batch.swap(queue_);
  if (batch.empty()) closing_ = true;
  return batch;
}

void ConsolePlayerWindow::closeWithLeftovers() {
  std::lock_guard<std::mutex> hold(mutex_);
  closing_ = true;
  for (const std::string& f : queue_) std::printf("Not played: %s\n", f.c_str());
  queue_.clear();
  std::fflush(stdout);
}

int ConsolePlayerWindow::run(const s::process::commandline::win::CommandLine& commandLine) {
  if (!notice_.empty()) std::fprintf(stderr, "%s\n", notice_.c_str());
  const std::vector<std::string> switches = playerSwitches(commandLine);
  std::vector<std::string> batch = commandLine.files();
  if (batch.empty()) batch = nextBatch();
  if (batch.empty()) {
    std::fprintf(stderr,
                 "Sonvia: the player window is not part of this build yet.\n"
                 "Usage: sonvia FILE... [--device NAME] [--effect NAME] [--pitch N] [--volume V]\n"
                 "plays the files in the console (keys: space pause/resume, left/right seek 5 %%,\n"
                 "up/down volume, n next, q quit); files opened while it plays are queued.\n"
                 "sonvia -associate mp3 wav mpl makes it the player for those files; "
                 "-deassociate undoes it.\n"
                 "sonvia-cli --help lists the other tools.\n");
    return 2;
  }
  int status = 0;
  for (; !batch.empty(); batch = nextBatch()) {
    const int played = playOnce(switches, batch);
    if (played == 130 || s::app::console::Terminal::interrupted()) {
      closeWithLeftovers();
      return 130;
    }
    if (played != 0) status = played;
  }
  return status;
}
