#include "s/gui/drawer/skin/ThinWindow.h"

#include "s/gui/drawer/button/win/Thin.h"
#include "s/gui/drawer/checkbox/win/Thin.h"
#include "s/gui/drawer/combo/win/Thin.h"
#include "s/gui/drawer/counter/win/Basic.h"
#include "s/gui/drawer/groupbox/win/Thin.h"
#include "s/gui/drawer/listbox/win/Thin.h"
#include "s/gui/drawer/listheader/win/Thin.h"
#include "s/gui/drawer/menu/win/Basic.h"
#include "s/gui/drawer/radiobutton/win/Thin.h"
#include "s/gui/drawer/scrollbar/win/Thin.h"
#include "s/gui/drawer/slider/win/Thin.h"
#include "s/gui/drawer/statusbar/win/Thin.h"
#include "s/gui/drawer/tabbox/win/Thin.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/gui/drawer/window/win/Thin.h"

namespace s::gui::drawer::skin {

namespace {
template <class D>
D* configured(const SkinColors& colors) {
  D* d = D::create();
  d->configure(colors);
  return d;
}
}  // namespace

ThinWindow* ThinWindow::build(std::u16string_view name, const SkinColors& colors) {
  ThinWindow* s = create();
  s->setName(name);
  s->setWindow(configured<window::win::Thin>(colors));
  s->setButton(configured<button::win::Thin>(colors));
  s->setText(configured<text::win::Basic>(colors));
  s->setScrollBar(configured<scrollbar::win::Thin>(colors));
  s->setCheckBox(configured<checkbox::win::Thin>(colors));
  s->setRadioButton(configured<radiobutton::win::Thin>(colors));
  s->setSlider(configured<slider::win::Thin>(colors));
  s->setCounter(configured<counter::win::Basic>(colors));
  s->setListHeader(configured<listheader::win::Thin>(colors));
  s->setListBox(configured<listbox::win::Thin>(colors));
  s->setStatusBar(configured<statusbar::win::Thin>(colors));
  s->setMenu(configured<menu::win::Basic>(colors));
  s->setCombo(configured<combo::win::Thin>(colors));
  s->setGroupBox(configured<groupbox::win::Thin>(colors));
  s->setTabBox(configured<tabbox::win::Thin>(colors));
  return s;
}

ThinWindow::~ThinWindow() { reset(); }

void ThinWindow::reset() {
  name_.clear();
  for (IDrawer*& d : drawers_) {
    if (d) d->release();
    d = nullptr;
  }
}

void ThinWindow::put(Slot slot, IDrawer* drawer) {
  if (drawers_[slot] && drawers_[slot] != drawer) drawers_[slot]->release();
  drawers_[slot] = drawer;
}

SkinColors ThinWindow::getColors() const {
  SkinColors colors;
  for (const IDrawer* d : drawers_)
    if (d) d->readColors(colors);
  return colors;
}

#define SONVIA_SKIN_SLOT(Kind, Interface, Slot)                                        \
  Interface* ThinWindow::get##Kind() const { return static_cast<Interface*>(drawers_[Slot]); } \
  void ThinWindow::set##Kind(Interface* drawer) { put(Slot, drawer); }

SONVIA_SKIN_SLOT(Window, IWindow, kWindow)
SONVIA_SKIN_SLOT(Button, IButton, kButton)
SONVIA_SKIN_SLOT(Text, IText, kText)
SONVIA_SKIN_SLOT(ScrollBar, IScrollBar, kScrollBar)
SONVIA_SKIN_SLOT(CheckBox, ICheckBox, kCheckBox)
SONVIA_SKIN_SLOT(RadioButton, IRadioButton, kRadioButton)
SONVIA_SKIN_SLOT(Slider, ISlider, kSlider)
SONVIA_SKIN_SLOT(Counter, ICounter, kCounter)
SONVIA_SKIN_SLOT(ListHeader, IListHeader, kListHeader)
SONVIA_SKIN_SLOT(ListBox, IListBox, kListBox)
SONVIA_SKIN_SLOT(StatusBar, IStatusBar, kStatusBar)
SONVIA_SKIN_SLOT(Menu, IMenu, kMenu)
SONVIA_SKIN_SLOT(Combo, ICombo, kCombo)
SONVIA_SKIN_SLOT(GroupBox, IGroupBox, kGroupBox)
SONVIA_SKIN_SLOT(TabBox, ITabBox, kTabBox)

#undef SONVIA_SKIN_SLOT

}  // namespace s::gui::drawer::skin
