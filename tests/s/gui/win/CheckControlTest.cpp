#include <gtest/gtest.h>

#include "s/gui/events/ComponentSwitch.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/RadioButton.h"
#include "tests/s/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using s::gui::win::CheckBox;
using s::gui::win::CheckControl;
using s::gui::win::RadioButton;

class CheckControlTest : public GuiTest {
 protected:
  ~CheckControlTest() override {
    for (int i = root.getComponentCount() - 1; i >= 0; --i) root.remove(root.getComponent(i));
  }
};

TEST_F(CheckControlTest, ClickFlipsACheckBoxAndReportsEachDirection) {
  auto box = s::thread::holdPooled(CheckBox::create());
  box->setText(u"Repeat");
  Heard heard;
  box->addCheckedListener(&heard);
  box->addUncheckedListener(&heard);
  root.add(box.get());
  pump();
  EXPECT_GT(box->getWidth(), box->getHeight());  // the box and the caption
  press(*box, 3, 3);
  releaseAt(*box, 3, 3);
  EXPECT_TRUE(box->isChecked());
  press(*box, 3, 3);
  moveTo(*box, 3, 300);  // out before the release: no change
  releaseAt(*box, 3, 300);
  EXPECT_TRUE(box->isChecked());
  press(*box, 3, 3);
  releaseAt(*box, 3, 3);
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(heard.codes(), (std::vector<int>{CheckControl::kChecked, CheckControl::kUnchecked}));
  box->setCheckedSilently(true);
  box->setChecked(true);  // no change, no event
  EXPECT_EQ(heard.codes().size(), 2u);
}

TEST_F(CheckControlTest, EnablingSwitchesOtherComponentsThroughReadyMadeListeners) {
  auto box = s::thread::holdPooled(CheckBox::create());
  auto other = s::thread::holdPooled(CheckBox::create());
  root.add(box.get());
  root.add(other.get());
  s::gui::events::Enabler enabler(box.get());
  s::gui::events::Disabler disabler(box.get());
  enabler.addComponent(other.get());
  disabler.addComponent(other.get());
  box->addCheckedListener(&enabler);
  box->addUncheckedListener(&disabler);
  Heard heard;
  other->addDisabledListener(&heard);
  other->addEnabledListener(&heard);
  box->setChecked(true);
  box->setChecked(false);
  EXPECT_FALSE(other->isEnabled());
  box->setChecked(true);
  EXPECT_TRUE(other->isEnabled());
  // Enabling an enabled component is no change and raises nothing.
  EXPECT_EQ(heard.codes(), (std::vector<int>{CheckControl::kEnabledChanged, CheckControl::kEnabledChanged}));
  enabler.onEvent(other.get(), 1);  // from another source: ignored
}

TEST_F(CheckControlTest, RadioButtonsOfOneParentAreExclusive) {
  auto a = s::thread::holdPooled(RadioButton::create());
  auto b = s::thread::holdPooled(RadioButton::create());
  a->setText(u"MP3");
  b->setText(u"WAVE");
  root.add(a.get());
  root.add(b.get());
  pump();
  Heard heard;
  a->addUncheckedListener(&heard);
  press(*a, 2, 2);
  releaseAt(*a, 2, 2);
  press(*b, 2, 2);
  releaseAt(*b, 2, 2);
  press(*b, 2, 2);
  releaseAt(*b, 2, 2);  // already on: stays on
  EXPECT_FALSE(a->isChecked());
  EXPECT_TRUE(b->isChecked());
  EXPECT_EQ(heard.codes(), (std::vector<int>{CheckControl::kUnchecked}));
}

}  // namespace
