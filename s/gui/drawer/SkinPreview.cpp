#include "s/gui/drawer/SkinPreview.h"

#include <algorithm>
#include <array>

#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/ISkin.h"

namespace s::gui::drawer {

using platform::ui::Canvas;
using platform::ui::Image;
using platform::ui::Rect;
using platform::ui::Size;

namespace {

constexpr std::array<std::u16string_view, 30> kGlyphs = {
    u"#Play",       u"#Pause",      u"#Stop",       u"#Left",     u"#Right",    u"#Down",
    u"#Speaker",    u"#Mute",       u"#Prev",       u"#Next",     u"#LeftLeft", u"#RightRight",
    u"#Minus",      u"#Plus",       u"#PlusMinus",  u"#Check",    u"#OnTop",    u"#X",
    u"#ThumbLineV", u"#ThumbLineH", u"#TreeOpen",   u"#TreeClosed", u"#TurnRight", u"#TurnLeft",
    u"#Color-00FF8000", u"#Up", u"#FitWindow", u"#FitToWindow", u"#KeepRatio", u"#Palm"};

Image background(const ISkin& skin, Size size) {
  Image image(std::max(size.width, 1), std::max(size.height, 1));
  image.fill(skin.getWindow()->background());
  return image;
}

}  // namespace

Image SkinPreview::button(const ISkin& skin, const ButtonState& state, Size size) {
  Image image = background(skin, size);
  Canvas canvas(image);
  skin.getButton()->paint(state, image.bounds(), canvas);
  return image;
}

Image SkinPreview::check(const ISkin& skin, bool radio, const CheckState& state, Size size) {
  Image image = background(skin, size);
  Canvas canvas(image);
  if (radio) skin.getRadioButton()->paint(state, image.bounds(), canvas);
  else skin.getCheckBox()->paint(state, image.bounds(), canvas);
  return image;
}

Image SkinPreview::slider(const ISkin& skin, const SliderState& state, Size size) {
  Image image = background(skin, size);
  Canvas canvas(image);
  skin.getSlider()->paint(state, image.bounds(), canvas);
  return image;
}

Image SkinPreview::counter(const ISkin& skin, int style, const counter::CounterData& series, Size size) {
  Image image = background(skin, size);
  Canvas canvas(image);
  CounterState state;
  state.style = style;
  state.first = &series;
  skin.getCounter()->paint(state, image.bounds(), canvas);
  return image;
}

Image SkinPreview::list(const ISkin& skin, Size size) {
  Image image = background(skin, size);
  Canvas canvas(image);
  const FontStyle font;
  const IListHeader& header = *skin.getListHeader();
  const IListBox& rows = *skin.getListBox();
  const int headerHeight = header.height(font);
  const int rowHeight = rows.rowHeight(font);
  const int w = size.width;
  const int split = w * 2 / 3;
  header.paintItem({u"Title", font, 0, 0, 1}, {0, 0, split, headerHeight}, canvas);
  header.paintItem({u"Time", font, platform::ui::text::kRight, 0, 0}, {split, 0, w, headerHeight}, canvas);
  static constexpr std::u16string_view kTitles[] = {u"Morning Light", u"A Long Way Home Across the Hills",
                                                    u"Rain", u"Harbour Lights", u"Night Train"};
  static constexpr std::u16string_view kTimes[] = {u"3:41", u"12:07", u"2:55", u"4:18", u"5:02"};
  int y = headerHeight;
  for (int row = 0; row < 5 && y < size.height; ++row, y += rowHeight) {
    ListCellState cell;
    cell.font = font;
    cell.alternate = row % 2 == 1;
    cell.selected = row == 1;
    cell.mark = row == 3 ? 2 : 0;
    cell.text = kTitles[row];
    rows.paintCell(cell, {0, y, split, y + rowHeight}, canvas);
    cell.text = kTimes[row];
    cell.align = platform::ui::text::kRight;
    rows.paintCell(cell, {split, y, w, y + rowHeight}, canvas);
  }
  if (y < size.height) rows.paintBackground({0, y, w, size.height}, canvas);
  return image;
}

Image SkinPreview::window(const ISkin& skin, const WindowState& state, Size size) {
  Image image(std::max(size.width, 1), std::max(size.height, 1));
  Canvas canvas(image);
  skin.getWindow()->paint(state, image.bounds(), canvas);
  // What the window region leaves out is not part of the window: show it as transparent.
  platform::ui::Region outside(image.bounds());
  outside.subtract(skin.getWindow()->region(state, size));
  for (const Rect& r : outside.rects()) image.clear(r);
  return image;
}

Image SkinPreview::glyphs(const ISkin& skin, Size buttonSize) {
  constexpr int kPerRow = 10;
  const int rows = static_cast<int>((kGlyphs.size() + kPerRow - 1) / kPerRow);
  const int gap = 2;
  Image image = background(skin, {kPerRow * (buttonSize.width + gap) + gap,
                                  2 * rows * (buttonSize.height + gap) + gap});
  Canvas canvas(image);
  for (int checked = 0; checked < 2; ++checked)
    for (std::size_t i = 0; i < kGlyphs.size(); ++i) {
      const int col = static_cast<int>(i) % kPerRow;
      const int row = static_cast<int>(i) / kPerRow + checked * rows;
      ButtonState state;
      state.caption = kGlyphs[i];
      state.checked = checked == 1;
      state.look = state.checked ? Look::kEmphasised : Look::kNormal;
      skin.getButton()->paint(state,
                              Rect::fromSize(gap + col * (buttonSize.width + gap),
                                             gap + row * (buttonSize.height + gap), buttonSize.width,
                                             buttonSize.height),
                              canvas);
    }
  return image;
}

Image SkinPreview::enlarge(const Image& image, int scale) {
  scale = std::clamp(scale, 1, 64);
  if (scale == 1) return image;
  Image big(image.width() * scale, image.height() * scale);
  big.clear(big.bounds());
  Canvas canvas(big);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.alpha(x, y) > 0)
        canvas.fillRect(Rect::fromSize(x * scale, y * scale, scale, scale), image.pixel(x, y));
  return big;
}

}  // namespace s::gui::drawer
