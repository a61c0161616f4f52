#include "s/gui/layout/FlowH.h"

#include <algorithm>
#include <vector>

#include "s/gui/IContainer.h"

namespace s::gui::layout {

namespace {

struct Row {
  std::vector<IComponent*> kids;
  int used = 0;  // width of the children and the gaps between them
  int height = 0;
  int maxHeight = 0;
};

bool countsForGaps(const IComponent* c) { return c->isShown() && c->getWidth() >= 1; }

// The gap before `c` in a row whose last counting child is `last`.
int gapBefore(const IComponent* last, const IComponent* c, int gap) {
  return last && countsForGaps(c) ? gap : 0;
}

std::vector<Row> intoRows(const std::vector<IComponent*>& kids, int width, int gap) {
  std::vector<Row> rows(1);
  const IComponent* last = nullptr;
  for (IComponent* c : kids) {
    int g = gapBefore(last, c, gap);
    if (!rows.back().kids.empty() && width - rows.back().used - g - c->getWidth() < 0) {
      rows.emplace_back();
      last = nullptr;
      g = 0;
    }
    Row& row = rows.back();
    row.kids.push_back(c);
    row.used += g + c->getWidth();
    if (countsForGaps(c)) last = c;
  }
  return rows;
}

void measure(Row& row) {
  row.height = row.maxHeight = 0;
  for (IComponent* c : row.kids) {
    row.height = std::max(row.height, c->getHeight());
    row.maxHeight = std::max(row.maxHeight, std::max(c->getHeight(), c->getMaxHeight()));
  }
}

}  // namespace

FlowH* FlowH::shared() {
  static FlowH instance;
  return &instance;
}

void FlowH::layout(IContainer* container) {
  if (container) arrange(*container, {});
}

ContentSizes FlowH::arrange(IContainer& container, const Arrangement& how) {
  FrozenChildren frozen(container);
  std::vector<IComponent*> kids;
  for (int i = 0; i < container.getComponentCount(); ++i) kids.push_back(container.getComponent(i));
  ContentSizes out;
  for (IComponent* c : kids) out.minWidth = std::max(out.minWidth, c->getMinWidth());
  const int width = std::max(container.getInnerWidth(), out.minWidth);
  for (IComponent* c : kids) c->setSizeClamped(width, 0);

  std::vector<Row> rows = intoRows(kids, width, how.hGap);
  auto total = [&](bool maxima) {
    int sum = 0;
    for (size_t i = 0; i < rows.size(); ++i) sum += (i > 0 ? how.vGap : 0) + (maxima ? rows[i].maxHeight : rows[i].height);
    return sum;
  };
  for (Row& row : rows) measure(row);
  out.minHeight = total(false);
  out.maxHeight = total(true);

  const int inner = container.getInnerHeight();
  if (inner > out.minHeight && out.minHeight < out.maxHeight) {
    const float share = static_cast<float>(inner - out.minHeight) /
                        static_cast<float>(out.maxHeight - out.minHeight);
    for (IComponent* c : kids) {
      int h = c->getHeight();
      if (h < c->getMaxHeight())
        c->setSizeClamped(width, h + static_cast<int>(share * static_cast<float>(c->getMaxHeight() - h)));
    }
    for (Row& row : rows) measure(row);
  }

  const int extra = std::max(0, inner - total(false));
  int y = how.vAlign == 1 ? extra / 2 : how.vAlign == 2 ? extra : 0;
  for (const Row& row : rows) {
    const int rest = std::max(0, width - row.used);
    int x = how.hAlign == 1 ? rest / 2 : how.hAlign == 2 ? rest : 0;
    const IComponent* last = nullptr;
    for (IComponent* c : row.kids) {
      x += gapBefore(last, c, how.hGap);
      c->setLocation(x, y);
      x += c->getWidth();
      if (countsForGaps(c)) last = c;
    }
    y += row.height + how.vGap;
  }

  bool first = true;
  for (IComponent* c : kids) {
    if (c->isShown() && c->getMinWidth() >= 1) {
      if (!first) out.maxWidth += how.hGap;
      first = false;
    }
    out.maxWidth += std::max(c->getMaxWidth(), c->getMinWidth());
  }
  return out;
}

}  // namespace s::gui::layout
