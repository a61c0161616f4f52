#include "s/sound/gui/dialogs/player/DialogTree.h"

#include <algorithm>

#include "s/gui/counter/CounterData.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/Spacer.h"
#include "s/gui/win/Window.h"

namespace s::sound::gui::dialogs::player {

using namespace s::gui::win;

Box* DialogTree::box(bool horizontal) {
  Box* b = Box::create();
  if (horizontal) b->setHorizontal();
  else b->setVertical();
  made_.push_back(b);
  return b;
}

Button* DialogTree::button(const char16_t* glyph, int side) {
  Button* b = Button::create();
  b->setText(glyph);
  b->setFixedWidth(side);
  b->setFixedHeight(side);
  made_.push_back(b);
  return b;
}

Label* DialogTree::label() {
  Label* l = Label::create();
  l->font().setSizeCode(kLabelSizeCode);
  l->fontChanged();
  made_.push_back(l);
  return l;
}

Slider* DialogTree::slider(int maximum, int value) {
  Slider* s = Slider::create();
  s->setRange(0, maximum);
  s->setValue(value);
  s->setTickFrequency(10);
  s->setHighlight(true);
  s->setFixedHeight(kSliderHeight);
  made_.push_back(s);
  return s;
}

// A spacer of `pixels` along the box's own direction.
void DialogTree::space(Box* into, int pixels) {
  Spacer* s = Spacer::create();
  if (into->getKind() == Box::kHorizontal) {
    s->setHorizontal();
    s->setFixedWidth(pixels);
  } else {
    s->setVertical();
    s->setFixedHeight(pixels);
  }
  made_.push_back(s);
  into->add(s);
}

void DialogTree::add(Box* into, s::gui::IComponent* child) { into->add(child); }

void DialogTree::build(Window& window, int volumeValue) {
  root = box(false);
  root->setFullSize();
  root->alignLeft();
  root->alignMiddle();
  root->setMargins(4);

  controls = box(false);
  controls->setWidthPercent(100, false);
  controls->alignLeft();
  controls->alignTop();
  controls->setAcceptFiles(true);

  buttonRow = box(true);
  buttonRow->setWidthPercent(100, false);
  buttonRow->alignLeft();
  buttonRow->alignBottom();
  previous = button(u"#Left", kButtonSide);
  next = button(u"#Right", kButtonSide);
  stop = button(u"#Stop", kButtonSide);
  play = button(u"#Play", kButtonSide);
  for (Button* b : {previous, next, stop, play}) add(buttonRow, b);
  space(buttonRow, 2);

  display = Counter::create();
  made_.push_back(display);
  display->setWidthPercent(100, false);
  display->setFixedHeight(kDisplayHeight, false);
  display->setStyle(Counter::kHistory);
  display->getFirstSeries()->setCapacity(kGraphCapacity);
  display->getFirstSeries()->setAutomaticMaximum(true);
  displayContent = box(true);
  displayContent->setFullSize();
  displayContent->alignCenter();
  displayContent->alignMiddle();
  title = label();
  title->setTextId(kProductNameText);
  song = label();
  add(displayContent, title);
  add(displayContent, song);
  display->setContent(displayContent);
  add(buttonRow, display);

  space(buttonRow, 2);
  tray = button(u"#.", kButtonSide);
  minimize = button(u"#_", kButtonSide);
  close = button(u"#X", kButtonSide);
  for (Button* b : {tray, minimize, close}) add(buttonRow, b);
  add(controls, buttonRow);
  space(controls, 3);

  sliderRow = box(true);
  sliderRow->setWidthPercent(100, false);
  sliderRow->alignLeft();
  sliderRow->alignMiddle();
  sliderRow->setHGap(3);
  space(sliderRow, 1);
  time = label();
  time->setText(u"0:00");
  add(sliderRow, time);
  space(sliderRow, 1);
  position = slider(kPositionMaximum, 0);
  position->setWidthPercent(100);
  add(sliderRow, position);
  speaker = button(u"#Speaker", kSmallButtonSide);
  add(sliderRow, speaker);
  volume = slider(100, std::clamp(volumeValue, 0, 100));
  volume->setFixedWidth(kVolumeWidth);
  add(sliderRow, volume);
  listToggle = button(u"#Down", kSmallButtonSide);
  add(sliderRow, listToggle);
  add(controls, sliderRow);
  add(root, controls);
  space(root, 1);

  listPanel = box(false);
  listPanel->setFullSize();
  listPanel->alignLeft();
  listPanel->alignTop();
  tabRow = box(true);
  tabRow->setWidthPercent(100, false);
  tabRow->alignCenter();
  tabRow->alignMiddle();
  tabRow->setMargins(2);
  space(tabRow, 35);
  previousList = button(u"#Left", kTabButtonHeight);
  previousList->setWidthPercent(50);
  add(tabRow, previousList);
  space(tabRow, 5);
  listName = label();
  listName->setText(u"Default Play List");
  add(tabRow, listName);
  space(tabRow, 5);
  nextList = button(u"#Right", kTabButtonHeight);
  nextList->setWidthPercent(50);
  add(tabRow, nextList);
  space(tabRow, 35);
  add(listPanel, tabRow);

  list = ListBox2::create();
  made_.push_back(list);
  list->setWidthPercent(100);
  list->setHeightPercent(100);
  add(listPanel, list);
  add(root, listPanel);
  window.add(root);
}

void DialogTree::setSquareButtonDrawer(const s::gui::drawer::IButton* drawer) {
  for (Button* b : {previous, next, stop, play, tray, minimize, close}) b->setDrawer(drawer);
}

void DialogTree::listen(s::gui::events::IEventListener* listener) {
  for (Button* b : {previous, next, stop, play, tray, minimize, close, speaker, listToggle, previousList, nextList})
    b->addClickListener(listener);
  position->addChangeListener(listener);
  volume->addChangeListener(listener);
  controls->addDropListener(listener);
}

void DialogTree::release(Window& window) {
  if (root) window.remove(root);
  // Children before their boxes: a box gives back nothing it holds.
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
    if (s::gui::IContainer* parent = (*it)->getParent()) parent->remove(*it);
    if (auto* poolable = dynamic_cast<thread::IPoolable*>(*it)) poolable->release();
  }
  made_.clear();
  *this = DialogTree();
}

}  // namespace s::sound::gui::dialogs::player
