#pragma once
#include <algorithm>
#include <cstdint>

namespace platform::ui {

// Colours are 0x00BBGGRR, the form the skins store them in.
using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Half-open rectangle: left and top are inside, right and bottom are not.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr Rect fromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  constexpr bool contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
  // Inset by a different amount on each side; never turned inside out.
  constexpr Rect shrink(int l, int t, int r, int b) const {
    Rect s{left + l, top + t, right - r, bottom - b};
    if (s.right < s.left) s.right = s.left;
    if (s.bottom < s.top) s.bottom = s.top;
    return s;
  }
  constexpr Size size() const { return {width(), height()}; }
  constexpr Point topLeft() const { return {left, top}; }
  // A rectangle of the given size centred in this one (halves rounded down).
  constexpr Rect centred(Size s) const {
    return fromSize(left + (width() - s.width) / 2, top + (height() - s.height) / 2, s.width, s.height);
  }
  // The strip of `n` pixels along one edge (at most the whole rectangle).
  constexpr Rect takeLeft(int n) const { return {left, top, left + std::clamp(n, 0, std::max(0, width())), bottom}; }
  constexpr Rect takeRight(int n) const { return {right - std::clamp(n, 0, std::max(0, width())), top, right, bottom}; }
  constexpr Rect takeTop(int n) const { return {left, top, right, top + std::clamp(n, 0, std::max(0, height()))}; }
  constexpr Rect takeBottom(int n) const { return {left, bottom - std::clamp(n, 0, std::max(0, height())), right, bottom}; }
  constexpr Rect intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    return r.empty() ? Rect{} : r;
  }
  constexpr Rect unite(const Rect& o) const {
    if (empty()) return o;
    if (o.empty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace platform::ui
