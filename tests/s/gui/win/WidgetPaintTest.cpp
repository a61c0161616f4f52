#include <gtest/gtest.h>

#include <string>

#include "s/gui/counter/CounterData.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ProgressBar.h"
#include "s/gui/win/RadioButton.h"
#include "s/gui/win/ScrollBar.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/TextField.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using namespace s::gui::win;
using s::thread::holdPooled;

class WidgetPaint : public GuiTest {
 protected:
  WidgetPaint() : GuiTest({240, 250}) {}
};

// A small window of every widget, painted headless; the picture is kept beside the test build
// for a look (widget-tree.png).
TEST_F(WidgetPaint, ASmallTreePaintsEveryWidgetInItsPlace) {
  root.setMargins(6);
  root.setVGap(4);
  Box row;
  row.setHorizontal();
  row.setHGap(4);
  auto play = holdPooled(Button::create());
  auto stop = holdPooled(Button::create());
  auto title = holdPooled(Label::create());
  play->setText(u"Play");
  stop->setText(u"Stop");
  stop->setToggle(true, true, false);
  stop->setChecked(true);
  title->setText(u"Pruv Sonvia");
  row.add(play.get());
  row.add(stop.get());
  row.add(title.get());
  auto volume = holdPooled(Slider::create());
  volume->setFixedHeight(12);
  volume->setValue(70);
  volume->setHighlight(true);
  auto graph = holdPooled(Counter::create());
  graph->setFixedHeight(40, false);
  graph->setStyle(Counter::kHistory);
  graph->setBackgroundColor(255, 255, 255, false);
  for (int i = 0; i < 300; ++i) graph->getFirstSeries()->addSample(i % 100);
  auto time = holdPooled(Label::create());
  time->setText(u"01:23");
  graph->setContent(time.get());
  auto group = holdPooled(GroupBox::create());
  group->setText(u"Order");
  auto repeat = holdPooled(CheckBox::create());
  repeat->setText(u"Repeat");
  repeat->setChecked(true);
  group->add(repeat.get());
  auto radio = holdPooled(RadioButton::create());
  radio->setText(u"Shuffle");
  auto progress = holdPooled(ProgressBar::create());
  progress->setFixedHeight(8);
  progress->setPosition(40);
  auto field = holdPooled(TextField::create());
  field->setText(u"My list");
  auto bar = holdPooled(ScrollBar::create());
  bar->setOrientation(ScrollBar::kHorizontal, 14);
  bar->setRange(0, 99, 20);
  bar->setPosition(30);
  for (s::gui::IComponent* c : std::initializer_list<s::gui::IComponent*>{
           &row, volume.get(), graph.get(), group.get(), radio.get(), progress.get(), field.get(), bar.get()})
    root.add(c);
  pump();

  Image shot = ws.snapshot(top);
  ASSERT_TRUE(shot.valid());
  EXPECT_TRUE(shot.savePng("widget-tree.png"));
  // The checked toggle is filled; the graph's newest sample is its rightmost column; the
  // progress bar is filled to 40% of its width and no further.
  Point stopAt = at(*stop, stop->getWidth() / 2, 2);
  EXPECT_NE(shot.pixel(stopAt.x, stopAt.y), rgb(240, 240, 240));
  Point graphRight = at(*graph, graph->getWidth() - 1, graph->getHeight() / 2);
  EXPECT_NE(shot.pixel(graphRight.x, graphRight.y), rgb(255, 255, 255));
  Point filled = at(*progress, progress->getWidth() * 40 / 100 - 2, 4);
  Point empty = at(*progress, progress->getWidth() * 40 / 100 + 2, 4);
  EXPECT_NE(shot.pixel(filled.x, filled.y), shot.pixel(empty.x, empty.y));
  // The label over the graph lets the graph show through around its text.
  EXPECT_GT(graph->getWidth(), time->getWidth());

  group->remove(repeat.get());
  graph->setContent(nullptr);
  for (int i = root.getComponentCount() - 1; i >= 0; --i) root.remove(root.getComponent(i));
  for (int i = row.getComponentCount() - 1; i >= 0; --i) row.remove(row.getComponent(i));
}

}  // namespace
