#include <gtest/gtest.h>

#include "s/gui/win/Label.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::IBox;
using s::gui::win::Box;

class BoxEvents : public GuiTest {
 protected:
  BoxEvents() {
    panel.setFixedWidth(120, false);
    panel.setFixedHeight(60, false);
    panel.add(&leaf);
    root.add(&panel);
    pump();
  }
  ~BoxEvents() override {
    panel.remove(&leaf);
    root.remove(&panel);
  }
  Box panel;
  Block leaf{30, 20};
  Heard heard;
};

TEST_F(BoxEvents, AWheelTurnTheLeafDoesNotTakeReachesTheBoxWithListeners) {
  panel.addWheelListener(&heard);
  input.wheel(top, at(leaf, 5, 5), -120);
  pump();
  input.wheel(top, at(panel, 100, 50), 240);
  pump();
  ASSERT_EQ(heard.codes(), (std::vector<int>{IBox::kWheelTurned, IBox::kWheelTurned}));
  EXPECT_EQ(panel.getWheelLines(), 3);
}

TEST_F(BoxEvents, DroppedFilesReachTheNearestBoxThatTakesThem) {
  panel.setAcceptFiles(true);
  panel.addDropListener(&heard);
  input.drop(top, at(leaf, 5, 5), {"/music/a.mp3", "/music/b.wav"});
  pump();
  EXPECT_EQ(heard.codes(), (std::vector<int>{IBox::kFilesDropped}));
  EXPECT_EQ(panel.getDroppedFiles(), (std::vector<std::string>{"/music/a.mp3", "/music/b.wav"}));
}

TEST_F(BoxEvents, ClicksMovesAndLayoutsAreReported) {
  panel.addClickListener(&heard);
  panel.addMovedListener(&heard);
  panel.addLayoutListener(&heard);
  press(panel, 100, 50);
  releaseAt(panel, 100, 50);
  EXPECT_EQ(heard.codes(), (std::vector<int>{IBox::kClicked}));
  heard.events.clear();
  panel.setLocation(5, 5);
  panel.doLayout();
  EXPECT_EQ(heard.codes(), (std::vector<int>{IBox::kMoved, IBox::kLayoutDone}));
}

TEST_F(BoxEvents, HidingParksTheWindowAndShowingLaysOutAgain) {
  leaf.setVisible(false);
  pump();
  EXPECT_EQ(ws.boundsOf(leaf.nativeHandle()).topLeft(), (Point{-10000, 10000}));
  EXPECT_FALSE(leaf.isVisible());
  leaf.setVisible(true);
  pump();
  EXPECT_EQ(ws.boundsOf(leaf.nativeHandle()).topLeft(), (Point{0, 0}));
  EXPECT_TRUE(ws.isVisible(leaf.nativeHandle()));
}

TEST_F(BoxEvents, AComponentAddedBeforeItsBoxIsRealisedGetsItsWindowWithTheBox) {
  Box late;
  Block inner(10, 10);
  late.setMargins(2);
  late.add(&inner);
  EXPECT_EQ(inner.nativeHandle(), kNoWindow);
  root.add(&late);
  EXPECT_NE(inner.nativeHandle(), kNoWindow);
  pump();
  EXPECT_EQ(ws.boundsOf(inner.nativeHandle()).topLeft(), (Point{2, 2}));
  late.remove(&inner);
  root.remove(&late);
  EXPECT_EQ(late.nativeHandle(), kNoWindow);
}

}  // namespace
