// A top-level window on the GTK backend whose close is seen from outside: it prints "up" once the
// window is on the screen, writes "closed" (and whether the session was ending) to the file named
// by its argument when its close listeners run, and ends when the window has closed. The display
// tests end its X server under it.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/events/IEventListener.h"
#include "s/gui/win/Window.h"

namespace {

struct CloseRecorder : s::gui::events::IEventListener {
  std::string path;
  s::gui::win::Window* window = nullptr;
  void onEvent(s::base::IObject*, int) override {
    if (FILE* f = std::fopen(path.c_str(), "w")) {
      std::fprintf(f, "closed%s\n", window->isSessionEnding() ? " at session end" : "");
      std::fclose(f);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_close_probe FILE\n");
    return 2;
  }
  std::string error;
  auto backend = platform::ui::createBackend("gtk", error);
  if (!backend) {
    std::fprintf(stderr, "window_close_probe: %s\n", error.c_str());
    return 1;
  }
  platform::ui::WindowSystem ws(std::move(backend));
  auto window = std::make_unique<s::gui::win::Window>(ws);
  if (!window->started()) return 1;
  CloseRecorder recorder;
  recorder.path = argv[1];
  recorder.window = window.get();
  window->addWindowListener(s::gui::IWindow::kCloseRequested, &recorder);
  window->setTitle(u"Close probe");
  window->setVisible(true);
  std::printf("up\n");
  std::fflush(stdout);
  window->waitUntilClosed();
  window.reset();
  return 0;
}
