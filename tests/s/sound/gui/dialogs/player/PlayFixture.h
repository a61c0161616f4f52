#pragma once
// The play process at work: a real engine on the "null" (real-time) or "file-fast" device, a
// real list view and play list collection in the test's own folders, and a window played by a
// thread of its own that runs the process's requests and the transport one at a time.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "s/gui/win/ListBox2.h"
#include "s/sound/IInfo.h"
#include "s/sound/gui/dialogs/player/AllPlayLists.h"
#include "s/sound/gui/dialogs/player/IPlayDisplay.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"
#include "s/sound/gui/dialogs/player/PlayList.h"
#include "s/sound/gui/dialogs/player/PlayState.h"
#include "s/sound/gui/dialogs/player/Transport.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"
#include "tests/support/Signals.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace playtest {

using s::gui::win::ListBox2;
using s::sound::gui::dialogs::player::AllPlayLists;
using s::sound::gui::dialogs::player::IPlayDisplay;
using s::sound::gui::dialogs::player::PlayList;
using s::sound::gui::dialogs::player::PlayState;
using s::sound::gui::dialogs::player::Transport;

inline bool waitUntil(const std::function<bool()>& condition, int ms = 20000) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// The window: one thread that runs what it is handed, in order. While it closes it refuses new
// work and drops what waits, as the real window does, so the play thread can end.
class TestWindow final : public IPlayDisplay {
 public:
  TestWindow() : thread_([this] { loop(); }) {}
  ~TestWindow() override {
    {
      std::lock_guard<std::mutex> hold(lock_);
      quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  // Runs `work` on the window's thread and waits for it (the test's own actions).
  void run(const std::function<void()>& work) { EXPECT_TRUE(onWindowThread(work)); }
  // From here on, work is refused; call on the window's thread.
  void beginClosing() {
    std::lock_guard<std::mutex> hold(lock_);
    closing_ = true;
    for (auto& item : queue_) item->dropped = true;
    queue_.clear();
    changed_.notify_all();
  }

  bool onWindowThread(const std::function<void()>& work) override {
    auto item = std::make_shared<Item>();
    item->work = work;
    std::unique_lock<std::mutex> hold(lock_);
    if (closing_) return false;
    queue_.push_back(item);
    changed_.notify_all();
    changed_.wait(hold, [&] { return item->done || item->dropped; });
    return item->done;
  }

  // What the window was asked to show, read under lock() from the test's thread.
  std::mutex& lock() { return records_; }
  std::vector<std::u16string> errors;
  int idles = 0;
  int progress = 0;
  bool pauseGlyph = false;
  bool pausedShown = false;
  std::vector<int32_t> columns;
  // Called on the window's thread whenever the playing-row mark changed.
  std::function<void()> onRowMark;

  void showProgress() override { note([&] { ++progress; }); }
  void showIdle() override { note([&] { ++idles; }); }
  void showPlayButton(bool pause) override { note([&] { pauseGlyph = pause; }); }
  void showPaused(bool paused) override { note([&] { pausedShown = paused; }); }
  void showPlayError(const std::u16string& text) override { note([&] { errors.push_back(text); }); }
  void playingRowChanged() override {
    if (onRowMark) onRowMark();
  }
  void addGraphColumn(int32_t value, bool) override { note([&] { columns.push_back(value); }); }

 private:
  struct Item {
    std::function<void()> work;
    bool done = false;
    bool dropped = false;
  };
  void note(const std::function<void()>& change) {
    std::lock_guard<std::mutex> hold(records_);
    change();
  }
  void loop() {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
      changed_.wait(hold, [&] { return quit_ || !queue_.empty(); });
      if (queue_.empty()) return;
      auto item = queue_.front();
      queue_.pop_front();
      hold.unlock();
      item->work();
      hold.lock();
      item->done = true;
      changed_.notify_all();
    }
  }

  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<std::shared_ptr<Item>> queue_;
  bool closing_ = false;
  bool quit_ = false;
  std::mutex records_;
  std::thread thread_;
};

// Songs in a list shown in the view, and the transport over them. Songs are mono WAVE files
// (8 kHz unless said): on "file-fast" they play at once, on "null" they last as long as they say.
// The engine counts a song's position by what it queued, which at 8 kHz runs 6 s ahead.
class PlayFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    keep("XDG_CONFIG_HOME", dir_.file("config"));
    keep("XDG_MUSIC_DIR", dir_.file("music"));
    view_ = ListBox2::create();
    s::sound::gui::dialogs::player::addSongColumns(*view_, nullptr);
    lists_ = AllPlayLists::create();
    lists_->openFile(playlist_test::wide(dir_.file("first.mpl")));
    window_ = std::make_unique<TestWindow>();
    window_->onRowMark = [this] {
      // On the window's thread: the entry is the window's to read.
      if (state_.currentEntry && view_->getCurrentRow() >= 0) {
        std::lock_guard<std::mutex> hold(window_->lock());
        played_.push_back(nameOf(state_.currentEntry->getPath()));
      }
    };
    transport_ = std::make_unique<Transport>(state_, *lists_, *view_, *window_);
    fastDevice();
  }
  void TearDown() override {
    window_->run([&] {
      window_->beginClosing();
      EXPECT_TRUE(transport_->shutdown());
    });
    transport_.reset();
    window_.reset();
    lists_->clear(view_);
    lists_->release();
    view_->release();
    env_.restore();
  }
  void keep(const std::string& name, const std::string& value) { env_.set(name, value); }

  void fastDevice() { transport_->setOutputDevice("file-fast:" + dir_.file("out.wav")); }
  void realTimeDevice() { transport_->setOutputDevice("null"); }

  // A song file named `name`.wav of `seconds`, added to the selected list and the view.
  std::string addSong(const std::string& name, double seconds = 0.1, uint32_t rate = 8000) {
    const std::string path = dir_.file("songs/" + name + ".wav");
    std::filesystem::create_directories(dir_.file("songs"));
    EXPECT_TRUE(testing_support::writeWave16(path, testing_support::sine16(440, seconds, rate, 1), rate, 1));
    EXPECT_NE(lists_->addToSelected(playlist_test::wide(path), view_, nullptr, nullptr, nullptr), nullptr);
    return path;
  }
  void addSongs(const std::vector<std::string>& names, double seconds = 0.1, uint32_t rate = 8000) {
    for (const auto& name : names) addSong(name, seconds, rate);
  }
  static std::string nameOf(std::u16string_view path) {
    return std::filesystem::path(playlist_test::narrow(path)).stem().string();
  }
  // The selected list's songs in its own array order (the shuffled order).
  std::vector<std::string> arrayOrder() {
    std::vector<std::string> names;
    PlayList* list = lists_->selectedList();
    for (int i = 0; i < list->getSongCount(); ++i) names.push_back(nameOf(list->getSong(i)->getPath()));
    return names;
  }

  std::vector<std::string> played() {
    std::lock_guard<std::mutex> hold(window_->lock());
    return played_;
  }
  std::size_t playedCount() { return played().size(); }
  int idles() {
    std::lock_guard<std::mutex> hold(window_->lock());
    return window_->idles;
  }
  std::vector<std::u16string> errors() {
    std::lock_guard<std::mutex> hold(window_->lock());
    return window_->errors;
  }
  // The process ran and went back to idle.
  bool ended() {
    return waitUntil([&] { return idles() > 0 && !state_.playThreadStarted && !state_.playing; });
  }
  // The song named `name` is the one playing now.
  bool nowPlaying(const std::string& name) {
    return waitUntil([&] {
      bool match = false;
      window_->run([&] {
        match = state_.playing && state_.currentEntry && nameOf(state_.currentEntry->getPath()) == name;
      });
      return match;
    });
  }
  void onWindow(const std::function<void()>& work) { window_->run(work); }

  testing_support::TempDir dir_;
  testing_support::ScopedEnv env_;
  ListBox2* view_ = nullptr;
  AllPlayLists* lists_ = nullptr;
  PlayState state_;
  std::unique_ptr<TestWindow> window_;
  std::unique_ptr<Transport> transport_;
  std::vector<std::string> played_;  // under window_->lock()
};

}  // namespace playtest
