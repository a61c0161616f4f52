// Budget: a popup menu of 40 items (a separator every ten, some with check and radio marks) is
// drawn on the screen at most 30 ms after showMenu is called (release build, Xvfb), for a menu
// opened before (the usual case: the same context menu again, with other marks). A menu never
// shown before is measured too, for the record. Needs an X display; without one the benchmark
// reports the skip.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/ui/GtkBackend.h"
#include "platform/ui/WindowSystem.h"
#include "platform/ui/desktop/DesktopServices.h"

namespace {

using namespace platform::ui;
using namespace platform::ui::desktop;
using Clock = std::chrono::steady_clock;

// `variant` changes the marks only; `shape` changes where the separators and sub-menu go.
MenuModel fortyItems(int variant, int shape = 0) {
  MenuModel menu;
  for (int i = 0; i < 40; ++i) {
    if (i == shape % 40) {
      menu.push_back(MenuEntry::subMenu("Sub-menu", {MenuEntry::item("Inside", 999)}));
      continue;
    }
    if (i % 10 == 9) menu.push_back(MenuEntry::separator());
    else if (i % 10 == 3) menu.push_back(MenuEntry::radioItem("Radio item " + std::to_string(i), 1000 + i, i / 10 == variant % 4));
    else menu.push_back(MenuEntry::item("Menu item number " + std::to_string(i), 1000 + i, i % 7 == 0));
  }
  return menu;
}

// GTK runs once per process; the window system lives for the whole run.
WindowSystem* gtkWindowSystem(std::string& error) {
  static std::unique_ptr<WindowSystem> ws = [&]() -> std::unique_ptr<WindowSystem> {
    auto backend = GtkBackend::create(error);
    return backend ? std::make_unique<WindowSystem>(std::move(backend)) : nullptr;
  }();
  return ws.get();
}

bool waitUntil(WindowSystem& ws, const std::function<bool()>& done) {
  auto deadline = Clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    ws.processPending();
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  return true;
}

void showMenus(benchmark::State& state, bool newShapes) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    state.SkipWithError("needs an X display");
    return;
  }
  std::string error;
  WindowSystem* ws = gtkWindowSystem(error);
  if (!ws) {
    state.SkipWithError(error.c_str());
    return;
  }
  WindowSpec spec;
  spec.bounds = Rect::fromSize(100, 100, 350, 280);
  spec.visible = true;
  int closed = 0;
  bool active = false;
  spec.proc = [&](const Message& m) -> LResult {
    if (m.code == msg::kMenuClosed) ++closed;
    if (m.code == msg::kActivate) active = m.wParam != 0;
    return ws->defaultProc(m);
  };
  Handle top = ws->create(spec);
  ws->activate(top);
  waitUntil(*ws, [&] { return active; });  // the window is up (or 5 s passed)
  DesktopServices& desktop = ws->backend().desktop();
  int round = 0;
  for (auto _ : state) {
    ++round;
    MenuModel menu = fortyItems(round, newShapes ? round : 0);
    auto start = Clock::now();
    if (!desktop.showMenu(*ws, top, menu, {150, 150}, MenuEdge::kTop) ||
        !waitUntil(*ws, [&] { return desktop.menuOpen(); })) {
      state.SkipWithError("the menu did not show");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    int before = closed;
    std::system("xdotool key Escape");
    waitUntil(*ws, [&] { return closed > before; });
  }
  ws->destroy(top);
}

void BM_PopupMenuOfFortyItemsShown(benchmark::State& state) { showMenus(state, false); }
void BM_NewPopupMenuOfFortyItemsShown(benchmark::State& state) { showMenus(state, true); }

BENCHMARK(BM_PopupMenuOfFortyItemsShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_NewPopupMenuOfFortyItemsShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
