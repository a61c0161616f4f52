#include "platform/ui/Region.h"

#include <cmath>

namespace platform::ui {

namespace {

// Appends the parts of a that lie outside b.
void appendDifference(const Rect& a, const Rect& b, std::vector<Rect>& out) {
  Rect cut = a.intersect(b);
  if (cut.empty()) {
    out.push_back(a);
    return;
  }
  if (a.top < cut.top) out.push_back({a.left, a.top, a.right, cut.top});
  if (cut.bottom < a.bottom) out.push_back({a.left, cut.bottom, a.right, a.bottom});
  if (a.left < cut.left) out.push_back({a.left, cut.top, cut.left, cut.bottom});
  if (cut.right < a.right) out.push_back({cut.right, cut.top, a.right, cut.bottom});
}

}  // namespace

Region::Region(const Rect& r) {
  if (!r.empty()) rects_.push_back(r);
}

Region Region::roundRect(const Rect& r, int ellipseWidth, int ellipseHeight) {
  Region region;
  if (r.empty()) return region;
  double a = std::min(ellipseWidth, r.width()) / 2.0;
  double b = std::min(ellipseHeight, r.height()) / 2.0;
  if (a < 1 || b < 1) return Region(r);
  int rows = static_cast<int>(std::ceil(b));
  for (int i = 0; i < rows; ++i) {
    // Distance of the row's centre line from the ellipse centre, as a fraction of the radius.
    double dy = (b - (i + 0.5)) / b;
    int in = static_cast<int>(std::lround(a - a * std::sqrt(std::max(0.0, 1 - dy * dy))));
    Rect top{r.left + in, r.top + i, r.right - in, r.top + i + 1};
    Rect bottom{r.left + in, r.bottom - i - 1, r.right - in, r.bottom - i};
    region.unite(top);
    region.unite(bottom);
  }
  region.unite(Rect{r.left, r.top + rows, r.right, r.bottom - rows});
  return region;
}

Rect Region::bounds() const {
  Rect b;
  for (const Rect& r : rects_) b = b.unite(r);
  return b;
}

bool Region::contains(Point p) const {
  for (const Rect& r : rects_)
    if (r.contains(p)) return true;
  return false;
}

bool Region::intersects(const Rect& rect) const {
  for (const Rect& r : rects_)
    if (!r.intersect(rect).empty()) return true;
  return false;
}

void Region::unite(const Rect& r) {
  if (r.empty()) return;
  std::vector<Rect> pieces{r};
  for (const Rect& existing : rects_) {
    std::vector<Rect> rest;
    for (const Rect& p : pieces) appendDifference(p, existing, rest);
    pieces.swap(rest);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::unite(const Region& other) {
  for (const Rect& r : other.rects_) unite(r);
}

void Region::subtract(const Rect& r) {
  if (r.empty()) return;
  std::vector<Rect> out;
  for (const Rect& existing : rects_) appendDifference(existing, r, out);
  rects_.swap(out);
}

void Region::subtract(const Region& other) {
  for (const Rect& r : other.rects_) subtract(r);
}

void Region::intersect(const Rect& r) {
  std::vector<Rect> out;
  for (const Rect& existing : rects_) {
    Rect cut = existing.intersect(r);
    if (!cut.empty()) out.push_back(cut);
  }
  rects_.swap(out);
}

void Region::intersect(const Region& other) {
  std::vector<Rect> out;
  for (const Rect& mine : rects_)
    for (const Rect& theirs : other.rects_) {
      Rect cut = mine.intersect(theirs);
      if (!cut.empty()) out.push_back(cut);
    }
  rects_.swap(out);
}

void Region::offset(int dx, int dy) {
  for (Rect& r : rects_) r = r.offset(dx, dy);
}

bool operator==(const Region& a, const Region& b) {
  Region onlyA = a;
  onlyA.subtract(b);
  Region onlyB = b;
  onlyB.subtract(a);
  return onlyA.empty() && onlyB.empty();
}

}  // namespace platform::ui
