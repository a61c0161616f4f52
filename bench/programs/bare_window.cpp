// The baseline of the player window's start-up and memory benchmark: one plain top-level window of
// the given size through the same window system and GTK backend, with nothing in it. It runs
// until SIGTERM or SIGINT.
//   bare_window [WIDTH HEIGHT]
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/ui/WindowSystem.h"

namespace {

std::atomic<bool> stopping{false};

void onSignal(int) { stopping = true; }

}  // namespace

int main(int argc, char** argv) {
  int width = argc > 2 ? std::atoi(argv[1]) : 350;
  int height = argc > 2 ? std::atoi(argv[2]) : 280;
  std::signal(SIGTERM, onSignal);
  std::signal(SIGINT, onSignal);

  platform::ui::WindowSystem& ws = platform::ui::WindowSystem::instance();
  if (!ws.startError().empty()) {
    std::fprintf(stderr, "bare_window: no display: %s\n", ws.startError().c_str());
    return 1;
  }
  platform::ui::WindowSetup setup;
  platform::ui::Rect screen = ws.workArea();
  setup.bounds = platform::ui::Rect::fromSize(screen.left + (screen.width() - width) / 2,
                                              screen.top + (screen.height() - height) / 2,
                                              width, height);
  setup.title = u"bare window";
  setup.visible = true;
  platform::ui::Handle window = ws.create(setup);
  if (window == platform::ui::kNoWindow) return 1;
  ws.invalidate(window);
  ws.update(window);
  // A timer keeps the loop waking, so a signal is seen within 50 ms.
  ws.setTimer(window, 1, 50);
  platform::ui::Message m;
  while (!stopping && ws.getMessage(m)) ws.dispatch(m);
  ws.destroy(window);
  return 0;
}
