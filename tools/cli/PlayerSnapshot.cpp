#include "tools/cli/PlayerSnapshot.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/text/Utf.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/WindowSystem.h"
#include "s/file/win/PathWin.h"
#include "s/gui/drawer/BuiltInSkins.h"
#include "s/gui/drawer/Skinner.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/sound/gui/dialogs/player/ViewSettings.h"
#include "s/thread/Pooled.h"
#include "s/xml/MappedData.h"
#include "s/gui/win/Window.h"
#include "s/sound/IEncodedAudio.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/PlayRequests.h"
#include "s/sound/gui/dialogs/player/Transport.h"

namespace cli {

using s::sound::gui::dialogs::player::Dialog;
using s::sound::gui::dialogs::player::PlayRequests;
using s::sound::gui::dialogs::player::ViewSettings;

namespace {

constexpr uint32_t kChunkBytes = 8192;

// Reads the source up to `untilMs` in chunks, as the engine hands them on, and gives the window
// a graph column each time a column's worth of bytes has gone by: the largest signed sample
// since the last column (the volume is full, so nothing is divided out).
void feedGraph(Dialog& dialog, s::sound::IEncodedAudio& source, int64_t untilMs) {
  const int64_t bytesPerSecond = static_cast<int64_t>(source.outputSampleRate()) *
                                 (source.outputStereo() ? 2 : 1) * source.outputBitsPerSample() / 8;
  const uint32_t columnBytes = static_cast<uint32_t>(source.outputSampleRate()) * 4 >> 5;
  int64_t left = bytesPerSecond * untilMs / 1000;
  std::vector<unsigned char> chunk(kChunkBytes);
  uint32_t bytes = 0;
  int32_t peak = 0;
  while (left > 0 && columnBytes > 0) {
    uint32_t got = 0;
    const uint32_t want = static_cast<uint32_t>(std::min<int64_t>(left, kChunkBytes));
    if (!source.read(chunk.data(), want, &got) || got == 0) break;
    left -= got;
    for (uint32_t i = 0; i + 1 < got; i += 2) {
      int16_t sample = 0;
      std::memcpy(&sample, chunk.data() + i, 2);
      peak = std::max<int32_t>(peak, sample);
    }
    bytes += got;
    if (bytes >= columnBytes) {
      dialog.addGraphColumn(peak, false);
      bytes = 0;
      peak = 0;
    }
  }
}

// Puts the window into the state it shows `milliseconds` into a song (at most half of it): the
// song added to the selected list and marked as playing, its title, time and position, and the
// graph columns of its first part, computed from its own samples as the play process would.
bool showPlaying(Dialog& dialog, const std::string& file, int milliseconds, std::string& error) {
  const std::u16string path = platform::text::fileNameToUtf16(file);
  s::sound::IEncodedAudio* source = nullptr;
  PlayRequests& requests = dialog.transport()->requests();
  // The window's side of the first steps of the play process, as the play thread asks for them.
  dialog.window()->run([&] {
    requests.started();
    source = requests.openSong(path);
    if (source) requests.markPlayingRow();
    dialog.showPlayButton(true);
  });
  if (!source) {
    error = "cannot open " + file + " as a song (.mp3 or .wav)";
    return false;
  }
  const int64_t duration = source->getDurationMs();
  const int64_t at = std::clamp<int64_t>(milliseconds, 0, duration / 2);
  feedGraph(dialog, *source, at);
  source->release();
  auto& state = dialog.state();
  state.durationMs = duration;
  state.positionPercent = duration > 0 ? static_cast<float>(at * 100.0 / duration) : 0.0f;
  const int64_t shown = state.showTimeRemaining ? std::max<int64_t>(0, (duration - at) / 1000) : at / 1000;
  state.shownSeconds = static_cast<int32_t>(shown);
  dialog.window()->run([&] { requests.progress(); });
  return true;
}

}  // namespace

platform::ui::Image PlayerSnapshot::render(std::string& error) const {
  if (!list.empty() && !s::file::win::PathWin::isFile(platform::text::fileNameToUtf16(list))) {
    error = "no play list file at " + list;
    return {};
  }
  auto skinner = s::thread::holdPooled(s::gui::drawer::Skinner::createSkinner());
  if (!s::gui::drawer::BuiltInSkins::load(*skinner)) {
    error = "the built-in skin set cannot be read";
    return {};
  }
  const std::u16string skinName = platform::text::utf8ToUtf16(skin.empty() ? "Classic LG" : skin);
  if (skinner->findSkin(skinName) < 0) {
    error = "no skin named \"" + skin + "\" (sonvia-cli skins lists them)";
    return {};
  }
  skinner->selectSkin(skinName);
  std::unique_ptr<s::lang::Localizer> texts = s::lang::Localizer::createFromResource();
  const std::u16string languageName = platform::text::utf8ToUtf16(language.empty() ? "English" : language);
  s::lang::LangPack* pack = texts->findByEngName(languageName);
  if (!pack) pack = texts->findByTag(languageName);
  if (!pack) {
    error = "no language named \"" + language + "\" (sonvia-cli lang list shows them)";
    return {};
  }
  texts->selectByName(pack->engName());

  // Settings in memory only: what the window writes while it is built stays there.
  s::xml::MappedData store;
  store.open(u"", u"SaveData", false);
  store.setAutoFlush(false);
  store.setBool(ViewSettings::kListShown, u"", large);
  if (!list.empty()) {
    store.setS32(u"PlayLists", u"NumOfPlayLists", 1);
    store.setS32(u"PlayLists", u"SelectedPlayList", 0);
    store.setString(u"PlayLists", u"_0", platform::text::fileNameToUtf16(list).c_str());
  }
  platform::ui::WindowSystem ws(std::make_unique<platform::ui::HeadlessBackend>());
  Dialog::Services services;
  services.windowSystem = &ws;
  services.settings = &store;
  services.texts = texts.get();
  services.skinner = skinner.get();
  Dialog dialog(services);
  if (!dialog.open(u"", true)) {
    error = "the window could not be made";
    return {};
  }
  if (!playing.empty() && !showPlaying(dialog, playing, kPlayingMs, error)) return {};
  platform::ui::Image image;
  dialog.window()->run([&] {
    const platform::ui::Handle top = dialog.window()->topHandle();
    ws.update(top);
    image = ws.snapshot(top);
  });
  dialog.finish();
  if (!image.valid()) error = "the window painted nothing";
  return image;
}

}  // namespace cli
