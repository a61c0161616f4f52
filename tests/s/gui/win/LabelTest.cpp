#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "s/gui/win/Label.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::win::Label;
using namespace std::chrono_literals;

class LabelTest : public GuiTest {
 protected:
  LabelTest() {
    label->setText(u"00:00");
    root.add(label.get());
    pump();
  }
  ~LabelTest() override { root.remove(label.get()); }
  s::thread::Pooled<Label> label{Label::create()};
};

TEST_F(LabelTest, SizesItselfToItsTextAndNeverBelowOneLine) {
  int width = label->getWidth();
  EXPECT_GT(width, 10);
  label->setText(u"00:00:00");
  EXPECT_GT(label->getWidth(), width);
  int line = label->getHeight();
  label->setText(u"");
  EXPECT_EQ(label->getHeight(), line);
  label->font().setSizeCode(10);  // 20 points
  label->fontChanged();
  EXPECT_GT(label->getHeight(), line);
}

TEST_F(LabelTest, ShowTextForBringsTheOldTextBack) {
  input.useManualClock();
  label->showTextFor(u"Volume 80%", true, 1500);
  label->showTextFor(u"Volume 85%", true, 1500);  // the first text stays remembered
  EXPECT_EQ(label->getText(), u"Volume 85%");
  input.advanceClock(1499ms);
  pump();
  EXPECT_EQ(label->getText(), u"Volume 85%");
  input.advanceClock(1ms);
  pump();
  EXPECT_EQ(label->getText(), u"00:00");
}

TEST_F(LabelTest, SetTextFromAnotherThreadRunsOnTheOwner) {
  std::thread other([&] { label->setText(u"12:34"); });
  // The other thread waits for the owner: serve it until it is done.
  while (label->getText() != u"12:34") pump();
  other.join();
  EXPECT_EQ(label->getText(), u"12:34");
}

TEST_F(LabelTest, OnlyALinkTakesTheMouseAndClicks) {
  Heard heard;
  label->addClickListener(&heard);
  press(*label, 2, 2);
  releaseAt(*label, 2, 2);
  EXPECT_TRUE(heard.events.empty());
  label->setLink(true);
  moveTo(*label, 2, 2);
  EXPECT_EQ(label->hoverState(), 1);
  press(*label, 2, 2);
  EXPECT_EQ(label->hoverState(), 2);
  releaseAt(*label, 2, 2);
  press(*label, 2, 2);
  releaseAt(*label, 2, 200);  // released outside
  EXPECT_EQ(heard.codes(), (std::vector<int>{Label::kClicked}));
}

}  // namespace
