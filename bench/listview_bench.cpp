// Budget: one wheel step over a list of 100,000 songs, repaint included, takes at most 2 ms on
// the development machine (release build), and no longer than over a list of 100.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/TestInjector.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/listbox2/DataType.h"
#include "s/gui/listbox2/Record.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Host.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/ListRows.h"
#include "s/gui/win/ListViewport.h"

namespace {

using namespace platform::ui;
using s::gui::listbox2::Record;
using s::gui::win::ListBox2;

std::u16string text(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// The player's list: eight columns, a window of 480 x 320.
struct SongList {
  WindowSystem ws{std::make_unique<HeadlessBackend>()};
  TestInjector input{ws};
  s::gui::win::Host host{ws};
  s::gui::win::Box root;
  ListBox2* list = ListBox2::create();
  std::vector<Record*> rows;
  Handle top = kNoWindow;

  explicit SongList(int count) {
    WindowSetup setup;
    setup.bounds = Rect::fromSize(100, 100, 480, 320);
    setup.visible = true;
    top = ws.create(setup);
    root.setBounds(0, 0, 480, 320);
    root.hostIn(host, top);
    const char16_t* titles[] = {u"#", u"Title", u"Duration", u"Artist", u"Album", u"Genre", u"File Name", u"File Path"};
    const int widths[] = {30, 150, 45, 75, 90, 70, 150, 700};
    for (int c = 0; c < 8; ++c) list->addColumn(titles[c], -1, nullptr, c == 2 ? 1 : 0, widths[c]);
    for (int i = 0; i < count; ++i) {
      Record* row = Record::create(8);
      const std::string n = std::to_string(i + 1);
      row->setCellText(0, text(n));
      row->setCellText(1, text("A song called number " + n));
      row->setCellText(2, u"3:07");
      row->setCellText(3, text("Artist " + std::to_string(i % 97)));
      row->setCellText(4, text("Album " + std::to_string(i % 13)));
      row->setCellText(5, u"Pop");
      row->setCellText(6, text(n + ".mp3"));
      row->setCellText(7, text("/home/user/Music/" + n + ".mp3"));
      rows.push_back(row);
      list->addRow(row);
    }
    list->setMinSize(480, 320);
    list->setMaxSize(480, 320);
    list->setFullRowSelect(true);
    list->setAlternateRows(true);
    root.add(list);
    ws.processPending();
  }
  ~SongList() {
    root.remove(list);
    list->release();
    for (Record* row : rows) row->release();
  }
};

void WheelStep(benchmark::State& state) {
  SongList songs(static_cast<int>(state.range(0)));
  const Point inRows = {200, 100};
  int direction = -120;
  for (auto _ : state) {
    // Down to the end and back up, so that every step scrolls and repaints.
    const int first = songs.list->viewport().scroll().firstRow();
    if (first == songs.list->viewport().scroll().lastFirstRow()) direction = 120;
    if (first == 0) direction = -120;
    songs.input.wheel(songs.top, inRows, direction);
    songs.ws.processPending();
  }
}

}  // namespace

BENCHMARK(WheelStep)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
