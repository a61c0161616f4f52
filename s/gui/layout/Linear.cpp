#include "s/gui/layout/Linear.h"

#include <algorithm>
#include <vector>

#include "s/gui/IContainer.h"

namespace s::gui::layout {

namespace {

// The component seen along the layout's axis ("main") and across it ("cross").
struct Along {
  bool vertical;

  int main(const IComponent* c) const { return vertical ? c->getHeight() : c->getWidth(); }
  int cross(const IComponent* c) const { return vertical ? c->getWidth() : c->getHeight(); }
  int minMain(const IComponent* c) const { return vertical ? c->getMinHeight() : c->getMinWidth(); }
  int maxMain(const IComponent* c) const { return vertical ? c->getMaxHeight() : c->getMaxWidth(); }
  int minCross(const IComponent* c) const { return vertical ? c->getMinWidth() : c->getMinHeight(); }
  int maxCross(const IComponent* c) const { return vertical ? c->getMaxWidth() : c->getMaxHeight(); }
  int innerMain(const IContainer& c) const { return vertical ? c.getInnerHeight() : c.getInnerWidth(); }
  int innerCross(const IContainer& c) const { return vertical ? c.getInnerWidth() : c.getInnerHeight(); }
  void size(IComponent* c, int crossSize, int mainSize) const {
    if (vertical)
      c->setSizeClamped(crossSize, mainSize);
    else
      c->setSizeClamped(mainSize, crossSize);
  }
  void place(IComponent* c, int crossPos, int mainPos) const {
    if (vertical)
      c->setLocation(crossPos, mainPos);
    else
      c->setLocation(mainPos, crossPos);
  }
};

int aligned(int align, int room) {
  if (room < 1) return 0;
  return align == 1 ? room / 2 : align == 2 ? room : 0;
}

// Sum of the children's lengths with a gap after every child at least 1 long; a gap before an
// empty last child is a trailing gap and does not count. `length` gives each child's length.
template <class F>
int sumWithGaps(const std::vector<IComponent*>& kids, int gap, F length) {
  int total = 0;
  int previous = 0;
  bool gapBeforeLast = false;
  for (size_t i = 0; i < kids.size(); ++i) {
    gapBeforeLast = i > 0 && previous >= 1;
    if (gapBeforeLast) total += gap;
    previous = length(kids[i]);
    total += previous;
  }
  if (gapBeforeLast && previous < 1) total -= gap;
  return total;
}

}  // namespace

ContentSizes Linear::arrange(IContainer& container, const Arrangement& how, Axis axis) {
  const Along a{axis == Axis::kVertical};
  const int gap = a.vertical ? how.vGap : how.hGap;
  const int mainAlign = a.vertical ? how.vAlign : how.hAlign;
  const int crossAlign = a.vertical ? how.hAlign : how.vAlign;
  FrozenChildren frozen(container);
  std::vector<IComponent*> kids;
  for (int i = 0; i < container.getComponentCount(); ++i) kids.push_back(container.getComponent(i));

  int minCross = 0;
  int maxCross = 0;
  for (IComponent* c : kids) {
    minCross = std::max(minCross, a.minCross(c));
    maxCross = std::max(maxCross, std::max(a.minCross(c), a.maxCross(c)));
  }
  const int span = std::max(a.innerCross(container), minCross);
  for (IComponent* c : kids) a.size(c, span, 0);
  auto longest = [&](IComponent* c) { return std::max(a.maxMain(c), a.main(c)); };
  const int minMain = sumWithGaps(kids, gap, [&](IComponent* c) { return a.main(c); });
  const int maxMain = sumWithGaps(kids, gap, longest);

  const int room = std::max(a.innerMain(container), minMain);
  int extra = room - minMain;
  if (extra >= 1 && minMain < maxMain) {
    if (room < maxMain) {
      const float share = static_cast<float>(extra) / static_cast<float>(maxMain - minMain);
      for (IComponent* c : kids) {
        int before = a.main(c);
        int most = longest(c);
        if (before >= most) continue;
        a.size(c, span, before + static_cast<int>(static_cast<float>(most - before) * share));
        extra -= a.main(c) - before;
      }
      // What truncation left, to the first children that can still grow; one pass, so a child
      // that refuses to grow cannot keep us here.
      for (IComponent* c : kids) {
        if (extra <= 0) break;
        int before = a.main(c);
        if (before >= longest(c)) continue;
        a.size(c, span, std::min(longest(c), before + extra));
        extra -= a.main(c) - before;
      }
    } else {
      for (IComponent* c : kids) a.size(c, span, a.maxMain(c));
      extra = room - maxMain;
    }
  }

  int position = aligned(mainAlign, extra);
  int previous = 0;
  for (size_t i = 0; i < kids.size(); ++i) {
    IComponent* c = kids[i];
    if (i > 0 && previous >= 1) position += gap;
    int crossPos = a.cross(c) < span ? aligned(crossAlign, span - a.cross(c)) : 0;
    a.place(c, crossPos, position);
    previous = a.main(c);
    position += previous;
  }
  if (a.vertical) return {minCross, minMain, maxCross, maxMain};
  return {minMain, minCross, maxMain, maxCross};
}

}  // namespace s::gui::layout
