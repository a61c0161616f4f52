#include "s/gui/drawer/counter/win/Basic.h"

#include <algorithm>
#include <cstdint>

#include "s/gui/counter/CounterData.h"

namespace s::gui::drawer::counter::win {

using platform::ui::Rect;
using Series = ::s::gui::counter::CounterData;

namespace {

// Length of a sample on a scale of `span` pixels; 0 when the range is empty.
int lengthOf(std::int64_t v, std::int64_t minimum, std::int64_t maximum, int span) {
  if (maximum <= minimum) return 0;
  const long double scaled =
      static_cast<long double>(v - minimum) * span / static_cast<long double>(maximum - minimum);
  return static_cast<int>(std::clamp<long double>(scaled, -1, span));
}

std::int64_t drawnMaximum(const Series::Snapshot& s, int n) {
  if (!s.automaticMaximum) return s.fixedMaximum;
  std::int64_t m = s.maximum;
  for (int i = 0; i < n; ++i) m = std::max(m, s.newestFirst[i]);
  return m;
}

}  // namespace

void Basic::configure(const SkinColors& colors) {
  first_ = colors[Role::kCounter01];
  second_ = colors[Role::kCounter02];
}

void Basic::readColors(SkinColors& colors) const {
  colors[Role::kCounter01] = first_;
  colors[Role::kCounter02] = second_;
}

void Basic::paint(const CounterState& state, const Rect& graph, platform::ui::Canvas& canvas) const {
  if (graph.empty()) return;
  if (!transparent_) canvas.fillRect(graph, background_);
  const int w = graph.width(), h = graph.height();
  const Series* series[2] = {state.first, state.second};
  Series::Snapshot snap;
  for (int i = 0; i < 2; ++i) {
    if (!series[i] || state.style == 0) continue;
    const bool firstColour = (i == 0) != state.swapColors;
    if (state.style == 1) {
      series[i]->snapshot(snap, 1);
      if (snap.newestFirst.empty()) continue;
      const auto color = snap.hasColor ? snap.color : firstColour ? first_ : second_;
      const int len = lengthOf(snap.newestFirst[0], snap.minimum, drawnMaximum(snap, 1), w);
      if (len > 0) canvas.fillRect(Rect::fromSize(graph.left, graph.top, len, h), color);
      continue;
    }
    // One sample more than the columns, so that a full graph still leaves out the oldest
    // sample as a short one does.
    series[i]->snapshot(snap, w + 1);
    const int n = std::min<int>(w, static_cast<int>(snap.newestFirst.size()) - 1);
    if (n <= 0) continue;
    const auto color = snap.hasColor ? snap.color : firstColour ? first_ : second_;
    const std::int64_t maximum = drawnMaximum(snap, n);
    for (int k = 0; k < n; ++k) {
      const int len = lengthOf(snap.newestFirst[k], snap.minimum, maximum, h);
      if (len <= 0) continue;
      const int x = graph.right - 1 - k;
      const int y = graph.top + (h - len) / 2;
      if (snap.peakCaps) {
        canvas.fillRect(Rect::fromSize(x, y, 1, std::min(5, len)), color);
        canvas.fillRect(Rect::fromSize(x, y + len - std::min(5, len), 1, std::min(5, len)), color);
      } else {
        canvas.fillRect(Rect::fromSize(x, y, 1, len), color);
      }
    }
  }
}

}  // namespace s::gui::drawer::counter::win
