#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/desktop/MprisPlayer.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace platform::desktop {

// The player on the session bus as the desktop's media controls and media keys expect it:
// org.mpris.MediaPlayer2 and org.mpris.MediaPlayer2.Player at /org/mpris/MediaPlayer2, under the
// name "org.mpris.MediaPlayer2.<name>" (".instance<pid>" added when another process holds it).
//
// The bus is served on a thread of the service's own; the player is called from there only.
// changed() may be called from any thread: it compares with what the bus was last told and
// announces the difference. Without a session bus the service does nothing.
class MprisService {
 public:
  MprisService(MprisPlayer& player, const std::string& name);
  ~MprisService();
  MprisService(const MprisService&) = delete;
  MprisService& operator=(const MprisService&) = delete;

  bool connected() const { return connection_ != nullptr; }
  const std::string& busName() const { return busName_; }

  void changed(const MprisSnapshot& now);
  // The song jumped (a seek): listeners are told the new position.
  void seeked(int64_t positionUs);

 private:
  struct Bus;  // GIO callbacks
  friend struct Bus;
  void serveOn(const std::string& name);

  MprisPlayer& player_;
  GMainContext* context_ = nullptr;
  GMainLoop* loop_ = nullptr;
  GDBusConnection* connection_ = nullptr;
  std::string busName_;
  unsigned registrations_[2] = {0, 0};
  std::mutex lastLock_;
  MprisSnapshot last_;  // under lastLock_
  std::thread thread_;
};

}  // namespace platform::desktop
