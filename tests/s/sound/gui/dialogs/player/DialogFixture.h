#pragma once
// A player window on a headless window system of its own, with settings in a registry hive of
// the test's own and the music folder (the default play list's home) in the test's folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/TestInjector.h"
#include "platform/ui/WindowSystem.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"
#include "s/reg/MappedData.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayListFile.h"
#include "s/thread/Pooled.h"
#include "tests/s/sound/gui/dialogs/player/PlayListFixtures.h"
#include "tests/support/ScopedEnv.h"

namespace dialog_test {

using namespace playlist_test;
using s::sound::gui::dialogs::player::Dialog;

inline s::lang::Localizer* texts() {
  static std::unique_ptr<s::lang::Localizer> table = s::lang::Localizer::createFromResource();
  return table.get();
}

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() {
    keep("XDG_CONFIG_HOME", dir.file("config"));
    keep("XDG_MUSIC_DIR", dir.file("music"));
    keep("XDG_DESKTOP_DIR", dir.file("desktop"));
    settings = s::reg::openRegistryStore(u"Software\\Pruv\\Pruv Sonvia\\SaveData");
    skinner = s::gui::drawer::Skinner::createSkinner();
    EXPECT_TRUE(s::gui::drawer::BuiltInSkins::load(*skinner));
  }
  ~DialogTest() override {
    dialog.reset();
    skinner->release();
    settings->release();
  }
  void keep(const std::string& name, const std::string& value) { env.set(name, value); }

  // Opens the window (shown) with the settings as they are now.
  Dialog& open(const std::u16string& startPath = u"") {
    Dialog::Services services;
    services.windowSystem = &ws;
    services.settings = settings;
    services.texts = texts();
    services.skinner = skinner;
    dialog = std::make_unique<Dialog>(services);
    EXPECT_TRUE(dialog->open(startPath));
    return *dialog;
  }
  // Three songs long enough to be caught playing, "first", "second" and "third", in the one list
  // the window restores.
  void storeThreeSongs() {
    const std::string list = dir.file("Songs.mpl");
    PooledList songs;
    for (const char* name : {"first.wav", "second.wav", "third.wav"}) {
      ASSERT_TRUE(makeSong(dir.file(name), 20.0));
      songs->addFile(nullptr, wide(dir.file(name)), nullptr, nullptr, nullptr, nullptr, -1);
    }
    ASSERT_TRUE(s::sound::gui::dialogs::player::PlayListFile::saveList(texts(), songs.list, wide(list), nullptr));
    settings->setString(u"PlayLists", u"_0", wide(list).c_str());
    settings->setS32(u"PlayLists", u"NumOfPlayLists", 1);
  }
  // Where a component of the tree lies in the window's client area.
  platform::ui::Rect placeOf(const s::gui::win::Component* c) {
    platform::ui::Rect r;
    onWindow([&] {
      const platform::ui::Handle top = dialog->window()->topHandle();
      const platform::ui::Point p = ws.clientToScreen(c->nativeHandle(), {0, 0});
      const platform::ui::Point origin = ws.clientToScreen(top, {0, 0});
      r = platform::ui::Rect::fromSize(p.x - origin.x, p.y - origin.y, c->getWidth(), c->getHeight());
    });
    return r;
  }
  // The window's bounds on the screen.
  platform::ui::Rect bounds() { return ws.boundsOf(dialog->window()->topHandle()); }
  // A left press at (dx, dy) of a component, a move to (mx, my) of it, and (optionally) the release.
  platform::ui::Point at(const s::gui::win::Component* c, int dx, int dy) {
    const platform::ui::Rect r = placeOf(c);
    return {r.left + dx, r.top + dy};
  }
  void click(const s::gui::win::Component* c) {
    const platform::ui::Rect r = placeOf(c);
    input.click(dialog->window()->topHandle(), {r.left + r.width() / 2, r.top + r.height() / 2});
  }
  // Runs `work` on the window's thread.
  void onWindow(const std::function<void()>& work) { ASSERT_TRUE(dialog->window()->run(work)); }
  // Closes the window as the user does and waits until it is closed and given back.
  void closeWindow() {
    dialog->window()->close();
    dialog->waitUntilClosed();
    dialog->finish();
  }
  // Waits (generously bounded) until `done` holds, read on the window's thread.
  bool eventually(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
      bool ok = false;
      dialog->window()->run([&] { ok = done(); });
      if (ok) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  testing_support::TempDir dir;
  testing_support::ScopedEnv env;
  platform::ui::WindowSystem ws{std::make_unique<platform::ui::HeadlessBackend>()};
  platform::ui::TestInjector input{ws};
  s::reg::MappedData* settings = nullptr;
  s::gui::drawer::Skinner* skinner = nullptr;
  std::unique_ptr<Dialog> dialog;
};

}  // namespace dialog_test
