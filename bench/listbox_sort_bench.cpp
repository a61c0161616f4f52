// Budget: sorting a play list view of 100,000 songs by title (one header click) takes at most
// 0.3 s, everything included.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "s/gui/listbox2/Record.h"
#include "s/gui/win/ListBox2.h"
#include "s/sound/gui/dialogs/player/ListColumns.h"

using s::gui::listbox2::Record;
using s::gui::win::ListBox2;
namespace player = s::sound::gui::dialogs::player;

namespace {

constexpr int kSongs = 100000;

// Titles of two to six words of mixed case, many sharing their first words, as real lists do.
std::vector<std::u16string> randomTitles() {
  static const char16_t* const kWords[] = {
      u"Love", u"night", u"The", u"blue", u"Song", u"of", u"a", u"Summer", u"rain", u"Dance",
      u"heart", u"Road", u"home", u"Fire", u"sky", u"Dream", u"moon", u"River", u"light", u"Time"};
  std::mt19937 random(20260101);
  std::uniform_int_distribution<int> word(0, 19), length(2, 6), digit(0, 9);
  std::vector<std::u16string> titles(kSongs);
  for (std::u16string& title : titles) {
    const int words = length(random);
    for (int w = 0; w < words; ++w) {
      if (w) title += u' ';
      title += kWords[word(random)];
    }
    title += u' ';
    title += static_cast<char16_t>(u'0' + digit(random));
  }
  return titles;
}

}  // namespace

static void SortHundredThousandRowsByTitle(benchmark::State& state) {
  const std::vector<std::u16string> titles = randomTitles();
  std::vector<Record*> rows(kSongs);
  for (int i = 0; i < kSongs; ++i) {
    rows[i] = Record::create(player::kSongColumnCount);
    rows[i]->setCellText(player::kSongNumberColumn, std::u16string(1, u'1'));
    rows[i]->setCellText(player::kTitleColumn, titles[i]);
  }
  for (auto _ : state) {
    state.PauseTiming();
    ListBox2* view = ListBox2::create();
    player::addSongColumns(*view, nullptr);
    for (Record* row : rows) view->addRow(row);
    state.ResumeTiming();

    view->clickColumn(player::kTitleColumn);

    state.PauseTiming();
    benchmark::DoNotOptimize(view->getRow(0));
    view->release();
    state.ResumeTiming();
  }
  for (Record* row : rows) row->release();
}
BENCHMARK(SortHundredThousandRowsByTitle)->Unit(benchmark::kMillisecond);

// The same rows clicked again: already sorted one way, sorted the other way.
static void ReverseHundredThousandSortedRows(benchmark::State& state) {
  const std::vector<std::u16string> titles = randomTitles();
  ListBox2* view = ListBox2::create();
  player::addSongColumns(*view, nullptr);
  std::vector<Record*> rows(kSongs);
  for (int i = 0; i < kSongs; ++i) {
    rows[i] = Record::create(player::kSongColumnCount);
    rows[i]->setCellText(player::kTitleColumn, titles[i]);
    view->addRow(rows[i]);
  }
  for (auto _ : state) view->clickColumn(player::kTitleColumn);
  view->release();
  for (Record* row : rows) row->release();
}
BENCHMARK(ReverseHundredThousandSortedRows)->Unit(benchmark::kMillisecond);
