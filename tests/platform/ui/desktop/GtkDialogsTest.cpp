#include <gtest/gtest.h>

#include <fstream>

#include "tests/platform/ui/desktop/GtkDesktopFixture.h"
#include "tests/support/TempDir.h"

namespace {

using namespace platform::ui;
using namespace platform::ui::desktop;
using namespace desktoptest;
using GtkDialogsTest = GtkDesktopFixture;

constexpr std::uint32_t kPing = msg::kUser + 60;

// Answers a dialog with xdotool once it is on the screen. Before that it sends to the waiting
// thread's window: the dialog's nested loop must serve the send, or this thread never gets on.
class DialogHand {
 public:
  DialogHand(WindowSystem& ws, Handle owner, std::string title, std::vector<std::string> steps)
      : thread_([&ws, owner, title = std::move(title), steps = std::move(steps), this] {
          served_ = ws.send(owner, kPing) == 0;
          std::string named = " --onlyvisible --name '" + title + "'";
          // Polled rather than "--sync": a window that goes while xdotool walks the tree (the
          // dialog before) makes a search fail.
          found_ = waitFor([&] { return xdotool("search" + named + " >/dev/null 2>&1"); }, 20s);
          // The window manager gives a new dialog the focus; asking for it as well is only a help.
          xdotool("search" + named + " windowactivate --sync %1 >/dev/null 2>&1");
          for (const std::string& s : steps) xdotool(s);
        }) {}
  ~DialogHand() { thread_.join(); }
  bool served() const { return served_; }
  bool found() const { return found_; }

 private:
  std::atomic<bool> served_{false};
  std::atomic<bool> found_{false};
  std::thread thread_;
};

TEST_F(GtkDialogsTest, OpenDialogAnswersWithTheTypedPathOrNothing) {
  testing_support::TempDir dir;
  std::string song = dir.file("chosen song.mp3");
  std::ofstream(song) << "not really audio";
  FileDialog open;
  open.title = "Sonvia open test";
  open.folder = dir.path();
  open.filters = {{"Audio", {"*.mp3", "*.wav", "*.mpl"}}, {"All files", {"*"}}};
  open.multiple = true;
  {
    DialogHand hand(*ws_, top_, open.title, {"key ctrl+l", "type --delay 20 '" + song + "'", "key Return"});
    EXPECT_EQ(desktop().openFiles(*ws_, top_, open), (std::vector<std::string>{song}));
    EXPECT_TRUE(hand.served());
    EXPECT_TRUE(hand.found());
  }
  // A title of its own, so that xdotool cannot find the first dialog while it goes.
  open.title = "Sonvia cancelled open test";
  {
    DialogHand hand(*ws_, top_, open.title, {"key Escape"});
    EXPECT_TRUE(desktop().openFiles(*ws_, top_, open).empty());
    EXPECT_TRUE(hand.found());
  }
}

TEST_F(GtkDialogsTest, SaveDialogAddsTheExtensionAndQuestionTakesYes) {
  testing_support::TempDir dir;
  FileDialog save;
  save.title = "Sonvia save test";
  save.folder = dir.path();
  save.filters = {{"Play list", {"*.mpl"}}};
  save.suggestedName = "New list";
  save.defaultExtension = ".mpl";
  {
    DialogHand hand(*ws_, top_, save.title, {"key Return"});
    EXPECT_EQ(desktop().saveFile(*ws_, top_, save), dir.file("New list.mpl"));
  }
  {
    DialogHand hand(*ws_, top_, "Sonvia question", {"key alt+y"});
    EXPECT_TRUE(desktop().messageBox(*ws_, top_, MessageKind::kQuestion, "Sonvia question", "Clear the list?"));
  }
  {
    DialogHand hand(*ws_, top_, "Sonvia second question", {"key Escape"});
    EXPECT_FALSE(desktop().messageBox(*ws_, top_, MessageKind::kQuestion, "Sonvia second question", "Clear the list?"));
  }
}

// Files dragged out of one of our windows with the real pointer and let go over another: the
// second window receives exactly the bytes of the paths, whatever they are.
TEST_F(GtkDialogsTest, FilesDraggedOutArriveByteForByte) {
  Handle target = window(Rect::fromSize(500, 300, 300, 200), u"Sonvia drop target");
  ws_->acceptFiles(target, true);
  std::vector<std::string> paths = {"/music/a b%.mp3", std::string("/music/latin1-\xe9t\xe9.wav"),
                                    "/music/" + std::string(400, 'x') + ".mpl"};
  onPress_ = [&](Handle w) {
    if (w != top_) return;
    ws_->setCapture(top_);  // as a list view does while a button is held on it
    desktop().beginFileDrag(top_, paths);
  };
  Point from = ws_->clientToScreen(top_, {150, 100});
  Point to = ws_->clientToScreen(target, {150, 100});
  ASSERT_TRUE(xdotool("search --sync --onlyvisible --name 'Sonvia drop target' >/dev/null"));
  std::string moves = "mousemove " + std::to_string(from.x) + " " + std::to_string(from.y) + " mousedown 1";
  ASSERT_TRUE(xdotool(moves));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return !posted(msg::kLButtonDown).empty(); }));
  ws_->processPending();
  for (int step = 1; step <= 10; ++step) {
    int x = from.x + (to.x - from.x) * step / 10;
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(to.y) + " sleep 0.05");
    ws_->processPending();
  }
  ASSERT_TRUE(xdotool("mouseup 1"));
  ASSERT_TRUE(pumpUntil(*ws_, [&] { return !dropped_.empty(); })) << "nothing was dropped on the second window";
  EXPECT_EQ(dropped_, paths);
  // The drag took the button's release; the window that held the capture hears of it all the same.
  EXPECT_TRUE(pumpUntil(*ws_, [&] {
    for (const Message& m : seen_)
      if (m.window == top_ && m.code == msg::kLButtonUp) return true;
    return false;
  }));
}

}  // namespace
