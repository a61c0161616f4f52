#pragma once
#include <vector>

#include "platform/ui/Geometry.h"

namespace platform::ui {

// A set of pixels kept as non-overlapping rectangles. Window shapes, clip areas and invalid areas
// are all small, so a plain list beats a banded structure here.
class Region {
 public:
  Region() = default;
  explicit Region(const Rect& r);

  // Rectangle with rounded corners; each corner is a quarter of an ellipse of size
  // ellipseWidth x ellipseHeight.
  static Region roundRect(const Rect& r, int ellipseWidth, int ellipseHeight);

  bool empty() const { return rects_.empty(); }
  const std::vector<Rect>& rects() const { return rects_; }
  Rect bounds() const;
  bool contains(Point p) const;
  bool intersects(const Rect& r) const;

  void unite(const Rect& r);
  void unite(const Region& other);
  void subtract(const Rect& r);
  void subtract(const Region& other);
  void intersect(const Rect& r);
  void intersect(const Region& other);
  void offset(int dx, int dy);
  void clear() { rects_.clear(); }

  friend bool operator==(const Region& a, const Region& b);

 private:
  std::vector<Rect> rects_;
};

}  // namespace platform::ui
