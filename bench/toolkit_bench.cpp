// Budget: for a tree of the player window's size (about 40 components in 350 x 280: rows of
// glyph buttons, labels, two sliders, the graph panel and boxes), one layout pass of the whole
// tree takes at most 0.1 ms and repainting the whole window at most 2 ms, release build.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/Host.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/Slider.h"
#include "s/gui/counter/CounterData.h"
#include "s/thread/Pooled.h"

namespace {

using namespace platform::ui;
using namespace s::gui::win;
using s::thread::holdPooled;
using s::thread::Pooled;

struct PlayerLikeTree {
  WindowSystem ws{std::make_unique<HeadlessBackend>()};
  Host host{ws};
  Handle top = kNoWindow;
  Box root;
  std::vector<std::unique_ptr<Box>> boxes;
  std::vector<Pooled<Button>> buttons;
  std::vector<Pooled<Label>> labels;
  std::vector<Pooled<Slider>> sliders;
  Pooled<Counter> graph{Counter::create()};

  Box* box(Box& parent, bool horizontal) {
    boxes.push_back(std::make_unique<Box>());
    Box* b = boxes.back().get();
    if (horizontal) b->setHorizontal();
    b->setHGap(2);
    b->setVGap(2);
    parent.add(b);
    return b;
  }

  PlayerLikeTree() {
    WindowSetup setup;
    setup.bounds = Rect::fromSize(100, 100, 350, 280);
    setup.visible = true;
    top = ws.create(setup);
    root.setBounds(0, 0, 350, 280);
    root.setBackgroundColor(240, 240, 240, false);
    root.setMargins(4);
    root.setVGap(3);
    root.hostIn(host, top);
    static const char16_t* glyphs[] = {u"#Prev", u"#Play", u"#Pause", u"#Stop", u"#Next", u"#Speaker"};
    for (int r = 0; r < 4; ++r) {
      Box* row = box(root, true);
      for (int i = 0; i < 6; ++i) {
        buttons.push_back(holdPooled(Button::create()));
        buttons.back()->setText(r == 0 ? glyphs[i] : u"Button");
        row->add(buttons.back().get());
      }
      labels.push_back(holdPooled(Label::create()));
      labels.back()->setText(u"00:00 / 03:45");
      row->add(labels.back().get());
    }
    for (int i = 0; i < 2; ++i) {
      sliders.push_back(holdPooled(Slider::create()));
      sliders.back()->setFixedHeight(12);
      sliders.back()->setValue(30 + 20 * i);
      root.add(sliders.back().get());
    }
    graph->setFixedHeight(60, false);
    graph->setStyle(Counter::kHistory);
    for (int i = 0; i < 400; ++i) graph->getFirstSeries()->addSample((i * 37) % 100);
    root.add(graph.get());
    ws.update(top);
  }

  int componentCount() const {
    return static_cast<int>(boxes.size() + buttons.size() + labels.size() + sliders.size()) + 2;
  }
};

void BM_LayoutPlayerSizedTree(benchmark::State& state) {
  PlayerLikeTree tree;
  for (auto _ : state) tree.root.doLayout();
  state.counters["components"] = tree.componentCount();
}
BENCHMARK(BM_LayoutPlayerSizedTree)->Unit(benchmark::kMicrosecond);

void BM_PaintPlayerSizedTree(benchmark::State& state) {
  PlayerLikeTree tree;
  for (auto _ : state) {
    tree.ws.invalidateTree(tree.top);
    tree.ws.update(tree.top);
  }
  state.counters["components"] = tree.componentCount();
}
BENCHMARK(BM_PaintPlayerSizedTree)->Unit(benchmark::kMicrosecond);

}  // namespace
