#pragma once
// A headless player window over a list of three generated songs, played through the "null"
// device, with helpers that read the marks of its menus and the values it stored.
#include <gtest/gtest.h>

#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/PopupMenu.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/sound/gui/dialogs/player/PlayerMenus.h"
#include "platform/ui/Message.h"
#include "platform/ui/desktop/HeadlessDesktop.h"
#include "tests/s/sound/gui/dialogs/player/DialogFixture.h"

namespace dialog_menus_test {

using namespace dialog_test;
using s::gui::win::PopupMenu;
using s::sound::gui::dialogs::player::PlayerMenus;
using s::sound::gui::dialogs::player::PlayListFile;
using M = PlayerMenus;

inline constexpr const char16_t* kView = u"MainWindow\\View";
inline constexpr const char16_t* kOrder = u"MainWindow\\PlayOrder";

class DialogMenusTest : public DialogTest {
 protected:
  void SetUp() override {
    keep("SONVIA_AUDIO_DEVICE", "null");
    storeThreeSongs();
    open();
  }
  void TearDown() override {
    // The language table is shared by every test of the run.
    texts()->selectByIndex(0);
  }
  M& menus() { return *dialog->menus(); }
  // The command as the desktop reports a choice: a window message routed by the window.
  void choose(int id) {
    ws.post(dialog->window()->topHandle(), platform::ui::msg::kCommand, static_cast<platform::ui::WParam>(id));
  }
  static s::gui::menuitem::MenuItem* find(PopupMenu* menu, int id) {
    if (auto* it = menu->findItem(id)) return it;
    for (int i = 0; i < menu->getEntryCount(); ++i)
      if (PopupMenu* sub = menu->subMenuAt(i))
        if (auto* it = find(sub, id)) return it;
    return nullptr;
  }
  s::gui::menuitem::MenuItem* item(int id) {
    return find(id >= 8000 && id < 12000 ? menus().trayMenu() : menus().windowMenu(), id);
  }
  bool radio(int id) { return item(id) && item(id)->radioChecked(); }
  bool checked(int id) { return item(id) && item(id)->checked(); }
  bool storedBool(const char16_t* path, const char16_t* key) { return settings->getBool(path, key, false); }
  int storedInt(const char16_t* path, const char16_t* key) { return settings->getS32(path, key, -1000); }
  std::u16string storedText(const char16_t* key) { return settings->getString(kView, key, u""); }
  platform::ui::desktop::HeadlessDesktop& desk() {
    return static_cast<platform::ui::desktop::HeadlessDesktop&>(ws.backend().desktop());
  }
};

}  // namespace dialog_menus_test
