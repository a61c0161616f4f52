#pragma once
#include <string>

namespace platform::ui {

// A font choice as the toolkit describes it; the canvas turns it into a Pango font.
struct Font {
  std::string family = "Noto Sans";
  double pointSize = 9;  // points at 96 dots per inch, as on the desktop the skins were made for
  int weight = 400;      // 400 regular, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  friend bool operator==(const Font&, const Font&) = default;
};

// How drawText lays a text out in its rectangle. Left, top and one line are the defaults.
namespace text {
constexpr unsigned kLeft = 0;
constexpr unsigned kCenter = 1;
constexpr unsigned kRight = 2;
constexpr unsigned kTop = 0;
constexpr unsigned kVCenter = 4;
constexpr unsigned kBottom = 8;
constexpr unsigned kWordWrap = 16;    // break at word boundaries to fit the width
constexpr unsigned kEndEllipsis = 32; // one line, ending in "…" when it does not fit
constexpr unsigned kNoClip = 64;      // may draw outside the rectangle
}  // namespace text

}  // namespace platform::ui
