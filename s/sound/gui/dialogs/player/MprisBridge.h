#pragma once
#include <memory>

#include "platform/desktop/MprisPlayer.h"

namespace platform::desktop {
class MprisService;
}

namespace s::sound::gui::dialogs::player {

class Dialog;

// The player window behind the desktop's media controls and media keys. The bus's calls arrive
// on the service's thread and are carried out on the window's thread, through the window's
// cross-thread request, the way the window's own buttons would; changed() is called on the
// window's thread whenever what the controls show may have moved on.
class MprisBridge final : public platform::desktop::MprisPlayer {
 public:
  explicit MprisBridge(Dialog& dialog);
  ~MprisBridge() override;
  MprisBridge(const MprisBridge&) = delete;
  MprisBridge& operator=(const MprisBridge&) = delete;

  // Window's thread.
  void changed();

  platform::desktop::MprisSnapshot mprisSnapshot() override;
  void raise() override;
  void quit() override;
  void play() override;
  void pause() override;
  void playPause() override;
  void stop() override;
  void next() override;
  void previous() override;
  void seekTo(int64_t positionUs) override;
  void openUri(const std::string& uri) override;
  void setLoop(platform::desktop::MprisSnapshot::Loop loop) override;
  void setShuffle(bool on) override;
  void setVolume(double volume) override;

 private:
  // The snapshot, read on the window's thread.
  platform::desktop::MprisSnapshot snapshotHere();

  Dialog& dialog_;
  std::unique_ptr<platform::desktop::MprisService> service_;
};

}  // namespace s::sound::gui::dialogs::player
