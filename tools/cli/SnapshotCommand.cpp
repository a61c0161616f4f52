// sonvia-cli snapshot: the real player window, built headless and written as a PNG.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/text/Utf.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/WindowSystem.h"
#include "s/app/console/NumberArgument.h"
#include "s/file/win/PathWin.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/SkinPreview.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/win/Window.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/ViewSettings.h"
#include "s/thread/Pooled.h"
#include "s/xml/MappedData.h"
#include "tools/cli/Command.h"
#include "tools/cli/SnapshotPlaying.h"

namespace {

int run(int argc, char** argv);

const cli::Command kCommand{
    "snapshot",
    "snapshot OUT.png [--skin NAME] [--lang NAME] [--list FILE.mpl] [--large] [--playing FILE] [--scale N]\n"
    "    the player window as it appears at start: the strip of controls, or with --large the\n"
    "    window with the list shown (FILE.mpl, else the default play list); --playing shows\n"
    "    FILE a few seconds in; --lang takes a language's English name or tag (sonvia-cli lang\n"
    "    lists them); --scale N draws every pixel N times as large. Your settings are not read.",
    run};
const cli::Registration kRegistration(kCommand);

using s::sound::gui::dialogs::player::Dialog;
using s::sound::gui::dialogs::player::ViewSettings;

constexpr int kPlayingMs = 5000;

int fail(const std::string& message) {
  std::fprintf(stderr, "sonvia-cli snapshot: %s\n", message.c_str());
  return 1;
}

struct Options {
  std::string out, skin, language, list, playing;
  bool large = false;
  int scale = 1;
};

// Empty when the arguments are whole; else what is wrong with them.
std::string parse(int argc, char** argv, Options& o) {
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (a == "--large") o.large = true;
    else if (a == "--skin" || a == "--lang" || a == "--list" || a == "--playing" || a == "--scale") {
      std::string v;
      if (!value(v)) return a + " needs a value";
      if (a == "--skin") o.skin = v;
      else if (a == "--lang") o.language = v;
      else if (a == "--list") o.list = v;
      else if (a == "--playing") o.playing = v;
      else if (int64_t n = 0; s::app::console::NumberArgument::integer(v.c_str(), 1, 16, &n)) o.scale = static_cast<int>(n);
      else return "--scale needs a whole number from 1 to 16";
    } else if (a.starts_with("--")) {
      return "unknown option " + a;
    } else if (o.out.empty()) {
      o.out = a;
    } else {
      return "unexpected argument " + a;
    }
  }
  return o.out.empty() ? "needs OUT.png" : "";
}

// Settings held in memory only: what the window writes while it is built stays there.
void prepareSettings(s::xml::MappedData& store, const Options& o) {
  store.open(u"", u"SaveData", false);
  store.setAutoFlush(false);
  store.setBool(ViewSettings::kListShown, u"", o.large);
  if (!o.list.empty()) {
    store.setS32(u"PlayLists", u"NumOfPlayLists", 1);
    store.setS32(u"PlayLists", u"SelectedPlayList", 0);
    store.setString(u"PlayLists", u"_0", platform::text::fileNameToUtf16(o.list).c_str());
  }
}

int run(int argc, char** argv) {
  Options o;
  if (const std::string problem = parse(argc, argv, o); !problem.empty())
    return cli::usageError(kCommand, problem.c_str());
  if (!o.list.empty() && !s::file::win::PathWin::isFile(platform::text::fileNameToUtf16(o.list)))
    return fail("no play list file at " + o.list);

  auto skinner = s::thread::holdPooled(s::gui::drawer::Skinner::createSkinner());
  if (!s::gui::drawer::BuiltInSkins::load(*skinner)) return fail("the built-in skin set cannot be read");
  if (!o.skin.empty()) {
    const std::u16string name = platform::text::utf8ToUtf16(o.skin);
    if (skinner->findSkin(name) < 0) return fail("no skin named \"" + o.skin + "\" (sonvia-cli skins lists them)");
    skinner->selectSkin(name);
  }
  std::unique_ptr<s::lang::Localizer> texts = s::lang::Localizer::createFromResource();
  if (!o.language.empty()) {
    const std::u16string name = platform::text::utf8ToUtf16(o.language);
    s::lang::LangPack* pack = texts->findByEngName(name);
    if (!pack) pack = texts->findByTag(name);
    if (!pack) return fail("no language named \"" + o.language + "\" (sonvia-cli lang lists them)");
    texts->selectByName(pack->engName());
  } else {
    texts->selectByName(u"English");
  }

  s::xml::MappedData store;
  prepareSettings(store, o);
  platform::ui::WindowSystem ws(std::make_unique<platform::ui::HeadlessBackend>());
  Dialog::Services services;
  services.windowSystem = &ws;
  services.settings = &store;
  services.texts = texts.get();
  services.skinner = skinner.get();
  Dialog dialog(services);
  if (!dialog.open(u"", true)) return fail("the window could not be made");
  std::string error;
  if (!o.playing.empty() && !cli::showPlaying(dialog, o.playing, kPlayingMs, error)) return fail(error);

  platform::ui::Image image;
  dialog.window()->run([&] {
    const platform::ui::Handle top = dialog.window()->topHandle();
    ws.update(top);
    image = ws.snapshot(top);
  });
  dialog.finish();
  if (!image.valid()) return fail("the window painted nothing");
  if (!s::gui::drawer::SkinPreview::enlarge(image, o.scale).savePng(o.out)) return fail("cannot write " + o.out);
  return 0;
}

}  // namespace
