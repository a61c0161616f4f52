#pragma once
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "s/app/IPlayerWindow.h"

// Until the player window exists, the running instance plays with the console player (the same
// one as `sonvia-cli play`). Files that later starts hand over are announced at once and queued:
// they play, in the order they came, after the files being played now. A start without files
// only brings a window to the front, and there is none yet, so it changes nothing here.
class ConsolePlayerWindow final : public s::app::IPlayerWindow {
 public:
  ConsolePlayerWindow() = default;
  // `notice`: one line written to standard error when the player starts to run.
  explicit ConsolePlayerWindow(std::string notice) : notice_(std::move(notice)) {}

  std::vector<std::u16string> valueSwitches() const override;
  int run(const s::process::commandline::win::CommandLine& commandLine) override;
  void bringToFront(const std::string&) override {}
  bool takeHandedOver(const std::vector<std::string>& files) override;

 private:
  // The queued files, or an empty list with closing set when there are none left to play.
  std::vector<std::string> nextBatch();
  void closeWithLeftovers();

  std::string notice_;
  std::mutex mutex_;
  std::vector<std::string> queue_;  // guarded by mutex_
  bool closing_ = false;            // guarded by mutex_; no file is taken once it is set
};
