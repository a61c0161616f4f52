// Budget: switching the current skin and repainting a player-sized area (350 x 280) with about
// forty widgets' drawers takes at most 5 ms (release build).
#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/ui/Canvas.h"
#include "platform/ui/Image.h"
#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/PlayerPreview.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/Pooled.h"

namespace {

using s::gui::drawer::PlayerPreview;
using s::gui::drawer::Skinner;

// Repaints on every skin change, as the player window does.
struct Repainter : s::gui::events::IEventListener {
  Repainter(Skinner& skinner, const s::gui::counter::CounterData& graph) : skinner(skinner), graph(graph) {}
  void onEvent(s::base::IObject*, int) override {
    platform::ui::Canvas canvas(image);
    PlayerPreview::paint(*skinner.getCurrentSkin(), graph, canvas);
  }
  Skinner& skinner;
  const s::gui::counter::CounterData& graph;
  platform::ui::Image image{PlayerPreview::kWidth, PlayerPreview::kHeight};
};

void BM_SwitchSkinAndRepaintPlayer(benchmark::State& state) {
  auto skinner = s::thread::holdPooled(Skinner::createSkinner());
  s::gui::drawer::BuiltInSkins::load(*skinner);
  auto graph = s::thread::holdPooled(s::gui::counter::CounterData::create());
  graph->setAutomaticMaximum(true);
  for (int i = 0; i < 400; ++i) graph->addSample(static_cast<int>(50 + 45 * std::sin(i / 5.0)));
  Repainter repainter(*skinner, *graph);
  skinner->addSkinListener(&repainter);
  int next = 0;
  for (auto _ : state) {
    next = (next + 1) % skinner->getSkinCount();
    skinner->selectSkin(skinner->getSkinName(next));
    benchmark::DoNotOptimize(repainter.image.pixel(175, 140));
  }
}
BENCHMARK(BM_SwitchSkinAndRepaintPlayer)->Unit(benchmark::kMillisecond);

}  // namespace
