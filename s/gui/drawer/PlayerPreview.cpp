#include "s/gui/drawer/PlayerPreview.h"

#include <algorithm>
#include <cmath>

#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/IStatusBar.h"
#include "s/gui/drawer/IText.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/Skinner.h"

namespace s::gui::drawer {

using platform::ui::Canvas;
using platform::ui::Rect;

namespace {

FontStyle smallFont() {
  FontStyle f;
  f.font.pointSize = 8;
  return f;
}

}  // namespace

void PlayerPreview::paint(const ISkin& skin, const counter::CounterData& graph, Canvas& canvas) {
  const FontStyle font = smallFont();
  skin.getWindow()->paint({2, 2}, {0, 0, kWidth, kHeight}, canvas);
  // display: graph behind the title and time labels
  const Rect display{6, 6, kWidth - 6, 24};
  CounterState counter;
  counter.style = 2;
  counter.first = &graph;
  skin.getCounter()->paint(counter, display, canvas);
  const IText& text = *skin.getText();
  text.paint({u"Pruv Sonvia", font, Look::kNormal, 0}, {10, 6, 200, 24}, canvas);
  text.paint({u"Harbour Lights", font, Look::kNormal, platform::ui::text::kRight}, {200, 6, 300, 24}, canvas);
  text.paint({u"1:23", font, Look::kNormal, platform::ui::text::kRight}, {300, 6, kWidth - 10, 24}, canvas);
  // position slider
  skin.getSlider()->paint({0, 1000, 420, true, 0}, {6, 28, kWidth - 6, 40}, canvas);
  // transport row
  static constexpr std::u16string_view kCaptions[] = {u"#Prev", u"#Play", u"#Pause", u"#Stop", u"#Next",
                                                      u"#LeftLeft", u"#RightRight", u"#OnTop", u"#Minus",
                                                      u"#Plus", u"#Speaker", u"#X"};
  const IButton& button = *skin.getButton();
  for (int i = 0; i < 12; ++i) {
    ButtonState b;
    b.caption = kCaptions[i];
    b.checked = i == 7;
    b.hover = i == 1 ? 1 : 0;
    b.look = b.checked ? Look::kEmphasised : Look::kNormal;
    button.paint(b, Rect::fromSize(6 + i * 23, 44, 22, 16), canvas);
  }
  skin.getSlider()->paint({0, 100, 70, true, 0}, {kWidth - 62, 46, kWidth - 6, 58}, canvas);
  // list: header, rows, scroll bar
  const int listTop = 64, listBottom = kHeight - 22, scroll = 12;
  const int right = kWidth - 6 - scroll, split = right - 50;
  const IListHeader& header = *skin.getListHeader();
  const int headerHeight = header.height(font);
  header.paintItem({u"Title", font, 0, 0, 1}, {6, listTop, split, listTop + headerHeight}, canvas);
  header.paintItem({u"Time", font, platform::ui::text::kRight}, {split, listTop, right, listTop + headerHeight}, canvas);
  const IListBox& list = *skin.getListBox();
  const int rowHeight = list.rowHeight(font);
  static constexpr std::u16string_view kTitles[] = {u"Morning Light", u"Rain on the Roof", u"Harbour Lights",
                                                    u"Night Train", u"Paper Boats", u"Old Town Waltz",
                                                    u"Blue Hour", u"Small Hours", u"Tidewater", u"Last Call"};
  int y = listTop + headerHeight;
  for (int row = 0; row < 10 && y + rowHeight <= listBottom; ++row, y += rowHeight) {
    ListCellState cell;
    cell.font = font;
    cell.alternate = row % 2 == 1;
    cell.selected = row == 2;
    cell.mark = row == 2 ? 1 : 0;
    cell.text = kTitles[row];
    list.paintCell(cell, {6, y, split, y + rowHeight}, canvas);
    cell.text = u"3:41";
    cell.align = platform::ui::text::kRight;
    list.paintCell(cell, {split, y, right, y + rowHeight}, canvas);
  }
  list.paintBackground({6, y, right, listBottom}, canvas);
  ScrollBarState bar;
  bar.maximum = 99;
  bar.page = 30;
  bar.position = 20;
  skin.getScrollBar()->paint(bar, {right, listTop, right + scroll, listBottom}, canvas);
  skin.getStatusBar()->paint({u"10 songs  42:17", font, true}, {1, kHeight - 20, kWidth - 1, kHeight - 1}, canvas);
}

platform::ui::Image PlayerPreview::contactSheet(const Skinner& skinner, int columns) {
  constexpr int kTileW = kWidth / 2, kTileH = kHeight / 2, kLabel = 16, kGap = 6;
  columns = std::max(columns, 1);
  const int count = skinner.getSkinCount();
  const int rows = (count + columns - 1) / columns;
  platform::ui::Image sheet(columns * (kTileW + kGap) + kGap, rows * (kTileH + kLabel + kGap) + kGap);
  sheet.fill(platform::ui::rgb(128, 128, 128));
  Canvas out(sheet);
  auto graph = counter::CounterData::create();
  for (int i = 0; i < 400; ++i) graph->addSample(static_cast<int>(60 + 40 * std::sin(i / 7.0) * std::cos(i / 23.0)));
  graph->setAutomaticMaximum(true);
  platform::ui::Image tile(kWidth, kHeight);
  for (int i = 0; i < count; ++i) {
    const ISkin* skin = skinner.getSkin(i);
    tile.fill(0);
    Canvas canvas(tile);
    paint(*skin, *graph, canvas);
    const int x = kGap + (i % columns) * (kTileW + kGap), y = kGap + (i / columns) * (kTileH + kLabel + kGap);
    out.drawImageScaled(tile, tile.bounds(), Rect::fromSize(x, y, kTileW, kTileH));
    FontStyle f = smallFont();
    const std::u16string name = skinner.getSkinName(i);
    out.drawText(name, Rect::fromSize(x, y + kTileH, kTileW, kLabel), f.font, platform::ui::rgb(255, 255, 255),
                 platform::ui::text::kCenter | platform::ui::text::kVCenter | platform::ui::text::kEndEllipsis);
  }
  graph->release();
  return sheet;
}

}  // namespace s::gui::drawer
