// Budget: repainting the player-sized window (350 x 280) with 40 child windows, each a framed
// face with a caption, takes at most 2 ms on the development machine (release build).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/ui/Canvas.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/WindowSystem.h"

namespace {

using namespace platform::ui;

struct PlayerLikeWindow {
  WindowSystem ws{std::make_unique<HeadlessBackend>()};
  Handle top = kNoWindow;
  int paints = 0;

  PlayerLikeWindow() {
    WindowSetup setup;
    setup.bounds = Rect::fromSize(100, 100, 350, 280);
    setup.visible = true;
    setup.proc = [this](const Message& m) -> LResult {
      if (m.code == msg::kPaint) {
        Canvas& c = reinterpret_cast<PaintEvent*>(m.lParam)->canvas;
        c.fillRect({0, 0, 350, 280}, rgb(58, 58, 58));
        c.frameRect({0, 0, 350, 280}, rgb(200, 200, 200));
        ++paints;
        return 0;
      }
      return ws.defaultProc(m);
    };
    top = ws.create(setup);
    // Eight columns of five: buttons, labels and counters of the player's window.
    for (int i = 0; i < 40; ++i) {
      WindowSetup child;
      child.parent = top;
      child.bounds = Rect::fromSize(6 + (i % 8) * 42, 6 + (i / 8) * 54, 40, 50);
      child.visible = true;
      std::string caption = "Btn " + std::to_string(i);
      child.proc = [this, caption](const Message& m) -> LResult {
        if (m.code == msg::kEraseBackground) return 1;
        if (m.code == msg::kPaint) {
          Canvas& c = reinterpret_cast<PaintEvent*>(m.lParam)->canvas;
          c.fillRect({0, 0, 40, 50}, rgb(80, 80, 96));
          c.frameRect({0, 0, 40, 50}, rgb(220, 220, 220));
          c.drawLine({14, 8}, {20, 14}, rgb(255, 255, 255), 2);
          c.drawLine({20, 15}, {14, 21}, rgb(255, 255, 255), 2);
          c.drawText(std::string_view(caption), {2, 26, 38, 48}, Font{}, rgb(255, 255, 255),
                     text::kCenter | text::kVCenter | text::kEndEllipsis);
          ++paints;
          return 0;
        }
        return ws.defaultProc(m);
      };
      ws.create(child);
    }
    ws.update(top);
  }
};

void BM_RepaintWindowWith40Children(benchmark::State& state) {
  PlayerLikeWindow w;
  for (auto _ : state) {
    w.ws.invalidateTree(w.top);
    w.ws.update(w.top);
  }
  state.counters["paints/iter"] = static_cast<double>(w.paints) / static_cast<double>(state.iterations() + 1);
}
BENCHMARK(BM_RepaintWindowWith40Children)->Unit(benchmark::kMicrosecond);

}  // namespace
