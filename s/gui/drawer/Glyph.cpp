#include "s/gui/drawer/Glyph.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace s::gui::drawer {

namespace {

using platform::ui::Canvas;
using platform::ui::Color;
using platform::ui::Rect;

// The glyph's frame of reference: the inset rectangle and the even square centred in it.
struct Pen {
  Canvas& canvas;
  Color color;
  Rect inset;
  int s = 0;  // square side
  int l = 0;  // square left
  int t = 0;  // square top

  void fill(int x, int y, int w, int h) const {
    if (w > 0 && h > 0) canvas.fillRect(Rect::fromSize(x, y, w, h), color);
  }
  void dot(int x, int y) const { fill(x, y, 2, 2); }
  int iw() const { return inset.width(); }
  int ih() const { return inset.height(); }
  // Width of one chevron: a dot per row, moving 1 pixel per row for half the square.
  int chevronWidth() const { return s / 2 + 1; }
  // Offset of the chevron dot in row k from the chevron's point (0 at the middle row).
  int chevronStep(int k) const { return std::abs(k - (s / 2 - 1)); }

  // A chevron pointing left with its point at x; one dot per row over the square's height.
  void chevronLeft(int x) const {
    for (int k = 0; k <= s - 2; ++k) dot(x + chevronStep(k), t + k);
  }
  void chevronRight(int x) const {
    for (int k = 0; k <= s - 2; ++k) dot(x + (s / 2 - 1) - chevronStep(k), t + k);
  }
  // Arrows sit one pixel towards their point from the centre: they look centred that way.
  int chevronLeftX() const { return l + (s - chevronWidth()) / 2 - 1; }
  int chevronRightX() const { return l + (s - chevronWidth()) / 2 + 1; }
  void chevronDown() const {
    const int y = t + (s - chevronWidth()) / 2 + 1;
    for (int k = 0; k <= s - 2; ++k) dot(l + k, y + (s / 2 - 1) - chevronStep(k));
  }
  void chevronUp() const {
    const int y = t + (s - chevronWidth()) / 2 - 1;
    for (int k = 0; k <= s - 2; ++k) dot(l + k, y + chevronStep(k));
  }

  void play() const {
    for (int i = 0; i < s / 2; ++i) fill(l + 2 * i, t + i, 2, s - 2 * i);
  }
  void treeOpen() const {
    for (int i = 0; i < s / 2; ++i) fill(l + i, t + 2 * i, s - 2 * i, 2);
  }
  // A narrow triangle and a bar, centred; mirrored for "#Prev".
  void skip(bool forward) const {
    const int triangle = s / 2 + 1;
    const int group = triangle + 1 + 2;
    const int x = l + (s - group) / 2;
    for (int i = 0; i < s / 2; ++i) {
      const int column = forward ? x + i : x + group - 2 - i;
      fill(column, t + i, 2, s - 2 * i);
    }
    fill(forward ? x + triangle + 1 : x, t, 2, s);
  }
  void pause() const {
    const int bar = (s - s / 4) / 2;
    fill(l, t, bar, s);
    fill(l + s - bar, t, bar, s);
  }
  int barThickness() const { return std::max((s / 5) & ~1, 1); }
  void minus() const {
    const int th = barThickness();
    fill(l, inset.top + (ih() - th) / 2, s, th);
  }
  void plus() const {
    const int th = barThickness();
    minus();
    fill(l + (s - th) / 2, t, th, s);
  }
  void plusMinus() const {
    const int th = barThickness();
    const int side = std::max(s - th - 2, th);  // the plus above, the minus along the bottom
    const int x = l + (s - side) / 2;
    fill(x, t + (side - th) / 2, side, th);
    fill(x + (side - th) / 2, t, th, side);
    fill(l, t + s - th, s, th);
  }
  // Loudspeaker: a box, two widening columns; 9 x 9 centred (the odd pixel goes right/down).
  void speaker(bool mute) const {
    const int x = inset.left + (iw() - 9 + 1) / 2;
    const int y = inset.top + (ih() - 9 + 1) / 2;
    fill(x, y + 2, 2, 5);
    fill(x + 2, y + 1, 1, 7);
    fill(x + 3, y, 1, 9);
    if (mute) {
      fill(x + 6, y, 2, 9);
      return;
    }
    for (int i = 0; i < 3; ++i) {
      fill(x + 5 + i, y + 2 - i, 1, 1);
      fill(x + 5 + i, y + 6 + i, 1, 1);
    }
    fill(x + 5, y + 4, 3, 1);
  }
  void check() const {
    const int x = inset.left + (iw() - 7) / 2;
    const int y = inset.top + (ih() - 7) / 2;
    for (int i = 0; i < 7; ++i) fill(x + i, y + 2 + (i <= 2 ? i : 4 - i), 1, 3);
  }
  void onTop() const {
    const int stem = l + s / 2 - 1;
    fill(stem, t, 2, s);
    for (int j = 1; j <= 4; ++j) {
      dot(stem - j, t + j);
      dot(stem + j, t + j);
    }
  }
  // Minimize: a short bar resting near the bottom, as window title bars draw it.
  void underscore() const {
    const int th = barThickness();
    const int w = std::max(s - s / 4 * 2, 2);
    fill(l + (s - w) / 2, t + s - th - s / 8, w, th);
  }
  // Into the tray: a square dot near the bottom, as small as a dot can be and still be seen.
  void period() const {
    const int d = std::max(s / 4 & ~1, 2);
    fill(l + (s - d) / 2, t + s - d - s / 8, d, d);
  }
  void cross() const {
    for (int k = 0; k <= s - 2; ++k) {
      dot(l + k, t + k);
      dot(l + s - 2 - k, t + k);
    }
  }
  void thumbLines(bool vertical) const {
    if (vertical) {
      const int x = inset.left + iw() / 2;
      const int len = std::max(ih() / 2, 2);
      const int y = inset.top + (ih() - len) / 2;
      fill(x - 2, y, 1, len);
      fill(x + 1, y, 1, len);
    } else {
      const int y = inset.top + ih() / 2;
      const int len = std::max(iw() / 2, 2);
      const int x = inset.left + (iw() - len) / 2;
      fill(x, y - 2, len, 1);
      fill(x, y + 1, len, 1);
    }
  }
  // A bar along the top, a leg down one side and a hook at the other end.
  void turn(bool right) const {
    fill(l, t, s, 2);
    fill(right ? l + s - 2 : l, t, 2, s / 2 + 2);
    const int hook = right ? l : l + s - 2;
    for (int i = 1; i <= 3; ++i) dot(right ? hook + i : hook - i, t + 2 + i);
  }
  // Two short diagonal arrows in opposite corners, their heads at the corners (outwards) or at
  // their inner ends (inwards).
  void cornerArrows(bool outwards) const {
    const int n = std::max(s / 3, 2);
    for (int k = 0; k < n; ++k) {
      dot(l + k, t + k);
      dot(l + s - 2 - k, t + s - 2 - k);
    }
    const int head = std::max(s / 3, 2);
    if (outwards) {
      fill(l, t, head, 2);
      fill(l, t, 2, head);
      fill(l + s - head, t + s - 2, head, 2);
      fill(l + s - 2, t + s - head, 2, head);
    } else {
      const int px = l + n + 1, py = t + n + 1;  // just past the top-left arrow's last dot
      fill(px - head, py - 2, head, 2);
      fill(px - 2, py - head, 2, head);
      const int qx = l + s - n - 3, qy = t + s - n - 3;
      fill(qx, qy, head, 2);
      fill(qx, qy, 2, head);
    }
  }
  void keepRatio() const {
    canvas.frameRect(Rect::fromSize(l, t, s, s), color);
    canvas.frameRect(Rect::fromSize(l + 3, t + s / 4 + 1, s - 6, s / 2), color);
  }
  void palm() const {
    const int fingers = 4;
    const int w = std::max(s / 7, 1);
    for (int i = 0; i < fingers; ++i) fill(l + 2 + i * (w + 1), t + (i == 0 || i == 3 ? 2 : 0), w, s / 2);
    fill(l + 2, t + s / 2 - 1, fingers * (w + 1) - 1, s / 2 - 1);
    for (int k = 0; k < s / 4; ++k) dot(l + fingers * (w + 1) + 1 + k, t + s / 2 - k);
  }
};

bool hexDigit(char16_t c, int& v) {
  if (c >= u'0' && c <= u'9') v = c - u'0';
  else if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
  else return false;
  return true;
}

}  // namespace

bool Glyph::parseColor(std::u16string_view caption, Color& color) {
  constexpr std::u16string_view prefix = u"#Color-";
  if (caption.substr(0, prefix.size()) != prefix) return false;
  const std::u16string_view digits = caption.substr(prefix.size());
  if (digits.size() != 8) return false;
  std::uint32_t value = 0;
  for (char16_t c : digits) {
    int v = 0;
    if (!hexDigit(c, v)) return false;
    value = value << 4 | static_cast<std::uint32_t>(v);
  }
  color = value & 0x00FFFFFF;  // the first two digits carry nothing
  return true;
}

bool Glyph::paint(std::u16string_view caption, const Rect& buttonRect, Color color, Canvas& canvas) {
  const Rect inset = buttonRect.inset(1);
  if (inset.empty() || !isGlyphCaption(caption)) return false;
  Color swatch = 0;
  if (parseColor(caption, swatch)) {
    canvas.fillRect(inset, platform::ui::rgb(0, 0, 0));
    const Rect inner{inset.left + 1, inset.top + 1, inset.right - 1, inset.bottom - 3};
    if (!inner.empty()) canvas.fillRect(inner, swatch);
    return true;
  }
  Pen pen{canvas, color, inset};
  pen.s = std::min(inset.width(), inset.height()) & ~1;
  pen.l = inset.left + (inset.width() - pen.s) / 2;
  pen.t = inset.top + (inset.height() - pen.s) / 2;
  const std::u16string_view name = caption.substr(1);
  if (name == u"Stop") pen.fill(pen.l, pen.t, pen.s, pen.s);
  else if (name == u"Pause") pen.pause();
  else if (name == u"Play" || name == u"TreeClosed") pen.play();
  else if (name == u"TreeOpen") pen.treeOpen();
  else if (name == u"Left") pen.chevronLeft(pen.chevronLeftX());
  else if (name == u"Right") pen.chevronRight(pen.chevronRightX());
  else if (name == u"LeftLeft") {
    const int x = pen.l + (pen.s - pen.chevronWidth() - 6) / 2 - 1;
    pen.chevronLeft(x);
    pen.chevronLeft(x + 6);
  } else if (name == u"RightRight") {
    const int x = pen.l + (pen.s - pen.chevronWidth() - 6) / 2 + 1;
    pen.chevronRight(x);
    pen.chevronRight(x + 6);
  } else if (name == u"Down") pen.chevronDown();
  else if (name == u"Up") pen.chevronUp();
  else if (name == u"Next") pen.skip(true);
  else if (name == u"Prev") pen.skip(false);
  else if (name == u"Speaker") pen.speaker(false);
  else if (name == u"Mute") pen.speaker(true);
  else if (name == u"Minus") pen.minus();
  else if (name == u"Plus") pen.plus();
  else if (name == u"PlusMinus") pen.plusMinus();
  else if (name == u"Check") pen.check();
  else if (name == u"OnTop") pen.onTop();
  else if (name == u"X") pen.cross();
  else if (name == u"_") pen.underscore();
  else if (name == u".") pen.period();
  else if (name == u"ThumbLineV") pen.thumbLines(true);
  else if (name == u"ThumbLineH") pen.thumbLines(false);
  else if (name == u"TurnRight") pen.turn(true);
  else if (name == u"TurnLeft") pen.turn(false);
  else if (name == u"FitWindow") pen.cornerArrows(true);
  else if (name == u"FitToWindow") pen.cornerArrows(false);
  else if (name == u"KeepRatio") pen.keepRatio();
  else if (name == u"Palm") pen.palm();
  else return false;
  return true;
}

}  // namespace s::gui::drawer
