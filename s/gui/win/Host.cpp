#include "s/gui/win/Host.h"

#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/IText.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/win/Component.h"
#include "s/gui/win/PlainDrawers.h"

namespace s::gui::win {

Host::Host(platform::ui::WindowSystem& ws) : ws_(ws), plain_(std::make_unique<PlainDrawers>()) {}

Host::~Host() = default;

// The skin's drawer of a kind when the skin has one, else ours.
#define SONVIA_DRAWER_OF(Kind, getter, plainGetter)                  \
  const drawer::Kind& Host::plainGetter() const {                   \
    if (skin_)                                                       \
      if (const drawer::Kind* d = skin_->getter()) return *d;        \
    return plain_->plainGetter();                                    \
  }
SONVIA_DRAWER_OF(IButton, getButton, button)
SONVIA_DRAWER_OF(IText, getText, text)
SONVIA_DRAWER_OF(ICheckBox, getCheckBox, checkBox)
SONVIA_DRAWER_OF(IRadioButton, getRadioButton, radioButton)
SONVIA_DRAWER_OF(ISlider, getSlider, slider)
SONVIA_DRAWER_OF(IScrollBar, getScrollBar, scrollBar)
SONVIA_DRAWER_OF(IGroupBox, getGroupBox, groupBox)
SONVIA_DRAWER_OF(ICounter, getCounter, counter)
SONVIA_DRAWER_OF(IListBox, getListBox, listBox)
SONVIA_DRAWER_OF(IListHeader, getListHeader, listHeader)
#undef SONVIA_DRAWER_OF

platform::ui::Color Host::background() const {
  if (skin_)
    if (const drawer::IWindow* w = skin_->getWindow()) return w->background();
  return Component::kButtonFace;
}

}  // namespace s::gui::win
