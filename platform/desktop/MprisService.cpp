#include "platform/desktop/MprisService.h"

#include <gio/gio.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <vector>

#include "platform/ui/tray/StatusNotifierItem.h"

namespace platform::desktop {

namespace {

constexpr const char* kPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRoot = "org.mpris.MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";
constexpr const char* kIntrospection = R"xml(<node>
 <interface name="org.mpris.MediaPlayer2">
  <method name="Raise"/><method name="Quit"/>
  <property name="CanQuit" type="b" access="read"/>
  <property name="CanRaise" type="b" access="read"/>
  <property name="HasTrackList" type="b" access="read"/>
  <property name="Identity" type="s" access="read"/>
  <property name="DesktopEntry" type="s" access="read"/>
  <property name="SupportedUriSchemes" type="as" access="read"/>
  <property name="SupportedMimeTypes" type="as" access="read"/>
 </interface>
 <interface name="org.mpris.MediaPlayer2.Player">
  <method name="Next"/><method name="Previous"/><method name="Pause"/><method name="PlayPause"/>
  <method name="Stop"/><method name="Play"/>
  <method name="Seek"><arg direction="in" name="Offset" type="x"/></method>
  <method name="SetPosition"><arg direction="in" name="TrackId" type="o"/><arg direction="in" name="Position" type="x"/></method>
  <method name="OpenUri"><arg direction="in" name="Uri" type="s"/></method>
  <signal name="Seeked"><arg name="Position" type="x"/></signal>
  <property name="PlaybackStatus" type="s" access="read"/>
  <property name="LoopStatus" type="s" access="readwrite"/>
  <property name="Rate" type="d" access="readwrite"/>
  <property name="Shuffle" type="b" access="readwrite"/>
  <property name="Metadata" type="a{sv}" access="read"/>
  <property name="Volume" type="d" access="readwrite"/>
  <property name="Position" type="x" access="read"/>
  <property name="MinimumRate" type="d" access="read"/>
  <property name="MaximumRate" type="d" access="read"/>
  <property name="CanGoNext" type="b" access="read"/>
  <property name="CanGoPrevious" type="b" access="read"/>
  <property name="CanPlay" type="b" access="read"/>
  <property name="CanPause" type="b" access="read"/>
  <property name="CanSeek" type="b" access="read"/>
  <property name="CanControl" type="b" access="read"/>
 </interface>
</node>)xml";

using Loop = MprisSnapshot::Loop;
using Status = MprisSnapshot::Status;

const char* statusText(Status s) {
  return s == Status::kPlaying ? "Playing" : s == Status::kPaused ? "Paused" : "Stopped";
}
const char* loopText(Loop l) { return l == Loop::kTrack ? "Track" : l == Loop::kPlaylist ? "Playlist" : "None"; }

std::string trackId(const MprisSnapshot& s) {
  return s.hasSong ? "/org/sonvia/song/" + std::to_string(s.songId) : "/org/mpris/MediaPlayer2/TrackList/NoTrack";
}

GVariant* metadata(const MprisSnapshot& s) {
  GVariantBuilder b;
  g_variant_builder_init(&b, G_VARIANT_TYPE("a{sv}"));
  g_variant_builder_add(&b, "{sv}", "mpris:trackid", g_variant_new_object_path(trackId(s).c_str()));
  if (s.hasSong) {
    g_variant_builder_add(&b, "{sv}", "mpris:length", g_variant_new_int64(s.lengthUs));
    g_variant_builder_add(&b, "{sv}", "xesam:title", g_variant_new_string(s.title.c_str()));
    if (!s.artist.empty()) {
      const char* artists[] = {s.artist.c_str(), nullptr};
      g_variant_builder_add(&b, "{sv}", "xesam:artist", g_variant_new_strv(artists, -1));
    }
    if (!s.album.empty()) g_variant_builder_add(&b, "{sv}", "xesam:album", g_variant_new_string(s.album.c_str()));
    if (!s.url.empty()) g_variant_builder_add(&b, "{sv}", "xesam:url", g_variant_new_string(s.url.c_str()));
  }
  return g_variant_builder_end(&b);
}

// A player property as the bus shows it; null for a name it does not have.
GVariant* playerProperty(const std::string& p, const MprisSnapshot& s) {
  if (p == "PlaybackStatus") return g_variant_new_string(statusText(s.status));
  if (p == "LoopStatus") return g_variant_new_string(loopText(s.loop));
  if (p == "Rate" || p == "MinimumRate" || p == "MaximumRate") return g_variant_new_double(1.0);
  if (p == "Shuffle") return g_variant_new_boolean(s.shuffle);
  if (p == "Metadata") return metadata(s);
  if (p == "Volume") return g_variant_new_double(s.volume);
  if (p == "Position") return g_variant_new_int64(s.positionUs);
  if (p == "CanGoNext") return g_variant_new_boolean(s.canGoNext);
  if (p == "CanGoPrevious") return g_variant_new_boolean(s.canGoPrevious);
  if (p == "CanPlay") return g_variant_new_boolean(s.hasSong || s.canGoNext);
  if (p == "CanPause" || p == "CanSeek") return g_variant_new_boolean(s.hasSong);
  if (p == "CanControl") return g_variant_new_boolean(TRUE);
  return nullptr;
}

GVariant* rootProperty(const std::string& p) {
  if (p == "CanQuit" || p == "CanRaise") return g_variant_new_boolean(TRUE);
  if (p == "HasTrackList") return g_variant_new_boolean(FALSE);
  if (p == "Identity") return g_variant_new_string("Pruv Sonvia");
  if (p == "DesktopEntry") return g_variant_new_string("sonvia");
  if (p == "SupportedUriSchemes") {
    const char* schemes[] = {"file", nullptr};
    return g_variant_new_strv(schemes, -1);
  }
  if (p == "SupportedMimeTypes") {
    const char* types[] = {"audio/mpeg", "audio/x-wav", "audio/wav", nullptr};
    return g_variant_new_strv(types, -1);
  }
  return nullptr;
}

}  // namespace

struct MprisService::Bus {
  static void method(GDBusConnection*, const char*, const char*, const char* interface, const char* name,
                     GVariant* args, GDBusMethodInvocation* invocation, gpointer data) {
    MprisPlayer& p = static_cast<MprisService*>(data)->player_;
    const std::string m = name;
    if (std::string(interface) == kRoot && m == "Quit") {
      // Answered first: the program may be gone, and its connection with it, once the window closes.
      g_dbus_method_invocation_return_value(invocation, nullptr);
      p.quit();
      return;
    }
    if (std::string(interface) == kRoot) {
      if (m == "Raise") p.raise();
    } else if (m == "Play") p.play();
    else if (m == "Pause") p.pause();
    else if (m == "PlayPause") p.playPause();
    else if (m == "Stop") p.stop();
    else if (m == "Next") p.next();
    else if (m == "Previous") p.previous();
    else if (m == "Seek") {
      gint64 offset = 0;
      g_variant_get(args, "(x)", &offset);
      const MprisSnapshot now = p.mprisSnapshot();
      // Past the end is the next song, as the protocol has it.
      if (now.hasSong && now.positionUs + offset >= now.lengthUs) p.next();
      else if (now.hasSong) p.seekTo(std::max<int64_t>(0, now.positionUs + offset));
    } else if (m == "SetPosition") {
      const char* track = nullptr;
      gint64 position = 0;
      g_variant_get(args, "(&ox)", &track, &position);
      const MprisSnapshot now = p.mprisSnapshot();
      // A stale track id or a place outside the song is ignored, as the protocol asks.
      if (now.hasSong && trackId(now) == track && position >= 0 && position <= now.lengthUs) p.seekTo(position);
    } else if (m == "OpenUri") {
      const char* uri = nullptr;
      g_variant_get(args, "(&s)", &uri);
      p.openUri(uri);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
  }

  static GVariant* get(GDBusConnection*, const char*, const char*, const char* interface, const char* name,
                       GError** error, gpointer data) {
    auto* self = static_cast<MprisService*>(data);
    GVariant* v = std::string(interface) == kRoot ? rootProperty(name)
                                                  : playerProperty(name, self->player_.mprisSnapshot());
    if (!v) g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "No property %s", name);
    return v;
  }

  static gboolean set(GDBusConnection*, const char*, const char*, const char*, const char* name, GVariant* value,
                      GError** error, gpointer data) {
    MprisPlayer& p = static_cast<MprisService*>(data)->player_;
    const std::string n = name;
    if (n == "LoopStatus") {
      const std::string l = g_variant_get_string(value, nullptr);
      p.setLoop(l == "Track" ? Loop::kTrack : l == "Playlist" ? Loop::kPlaylist : Loop::kNone);
    } else if (n == "Shuffle") {
      p.setShuffle(g_variant_get_boolean(value));
    } else if (n == "Volume") {
      const double v = g_variant_get_double(value);
      p.setVolume(std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0);
    } else if (n != "Rate") {
      g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_PROPERTY_READ_ONLY, "%s cannot be set", name);
      return FALSE;
    }
    return TRUE;
  }
};

MprisService::MprisService(MprisPlayer& player, const std::string& name) : player_(player) {
  const std::string address = ui::tray::StatusNotifierItem::sessionBusAddress();
  if (address.empty()) return;
  context_ = g_main_context_new();
  loop_ = g_main_loop_new(context_, FALSE);
  // The connection is made on the service's thread, so that its calls are answered there.
  std::promise<void> ready;
  thread_ = std::thread([this, address, name, &ready] {
    g_main_context_push_thread_default(context_);
    connection_ = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    if (connection_) serveOn(name);
    ready.set_value();
    if (connection_) g_main_loop_run(loop_);
    g_main_context_pop_thread_default(context_);
  });
  ready.get_future().wait();
}

void MprisService::serveOn(const std::string& name) {
  g_dbus_connection_set_exit_on_close(connection_, FALSE);
  static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
  static const GDBusInterfaceVTable vtable = {Bus::method, Bus::get, Bus::set, {}};
  for (int i = 0; i < 2; ++i)
    registrations_[i] =
        g_dbus_connection_register_object(connection_, kPath, info->interfaces[i], &vtable, this, nullptr, nullptr);
  // A second player of the same user keeps the plain name for the first one.
  for (const std::string& candidate : {std::string(kRoot) + "." + name,
                                       std::string(kRoot) + "." + name + ".instance" + std::to_string(getpid())}) {
    GVariant* reply = g_dbus_connection_call_sync(
        connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", candidate.c_str(), 4u /* do not queue */), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    guint32 answer = 0;
    if (reply) {
      g_variant_get(reply, "(u)", &answer);
      g_variant_unref(reply);
    }
    if (answer == 1 /* primary owner */) {
      busName_ = candidate;
      return;
    }
  }
}

MprisService::~MprisService() {
  if (!context_) return;
  if (thread_.joinable()) {
    g_main_context_invoke(
        context_,
        [](gpointer data) -> gboolean {
          auto* self = static_cast<MprisService*>(data);
          if (self->connection_) {
            for (unsigned id : self->registrations_)
              if (id) g_dbus_connection_unregister_object(self->connection_, id);
            // Closing takes our name off the bus: the desktop's controls drop the player.
            g_dbus_connection_close_sync(self->connection_, nullptr, nullptr);
          }
          g_main_loop_quit(self->loop_);
          return G_SOURCE_REMOVE;
        },
        this);
    thread_.join();
  }
  if (connection_) g_object_unref(connection_);
  g_main_loop_unref(loop_);
  g_main_context_unref(context_);
}

void MprisService::changed(const MprisSnapshot& now) {
  if (!connection_) return;
  MprisSnapshot before;
  {
    std::lock_guard<std::mutex> hold(lastLock_);
    before = last_;
    last_ = now;
  }
  GVariantBuilder props;
  g_variant_builder_init(&props, G_VARIANT_TYPE("a{sv}"));
  bool any = false;
  auto add = [&](const char* name, bool differs) {
    if (!differs) return;
    g_variant_builder_add(&props, "{sv}", name, playerProperty(name, now));
    any = true;
  };
  add("PlaybackStatus", before.status != now.status);
  add("LoopStatus", before.loop != now.loop);
  add("Shuffle", before.shuffle != now.shuffle);
  add("Volume", before.volume != now.volume);
  add("Metadata", before.hasSong != now.hasSong || before.songId != now.songId || before.title != now.title ||
                      before.artist != now.artist || before.album != now.album || before.lengthUs != now.lengthUs ||
                      before.url != now.url);
  add("CanGoNext", before.canGoNext != now.canGoNext);
  add("CanGoPrevious", before.canGoPrevious != now.canGoPrevious);
  add("CanPause", before.hasSong != now.hasSong);
  add("CanSeek", before.hasSong != now.hasSong);
  GVariant* changedProps = g_variant_builder_end(&props);
  if (!any) {
    g_variant_unref(g_variant_ref_sink(changedProps));
    return;
  }
  g_dbus_connection_emit_signal(connection_, nullptr, kPath, "org.freedesktop.DBus.Properties",
                                "PropertiesChanged",
                                g_variant_new("(s@a{sv}@as)", kPlayer, changedProps, g_variant_new_strv(nullptr, 0)),
                                nullptr);
}

void MprisService::seeked(int64_t positionUs) {
  if (connection_)
    g_dbus_connection_emit_signal(connection_, nullptr, kPath, kPlayer, "Seeked", g_variant_new("(x)", positionUs),
                                  nullptr);
}

}  // namespace platform::desktop
