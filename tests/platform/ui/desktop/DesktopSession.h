#pragma once
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/WindowSystem.h"

extern char** environ;

// What the GTK desktop tests need around them on an X display: a window manager (menus and
// dialogs grab and focus through it), a session bus of their own, real input from xdotool.
namespace desktoptest {

using namespace std::chrono_literals;

// A child process, ended (SIGTERM, then waited for) when the object goes.
class Child {
 public:
  Child() = default;
  // argv[0] is looked up in PATH; with `output`, the child's stdout goes to a pipe read from it.
  bool start(std::vector<std::string> argv, int* output = nullptr) {
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int fds[2] = {-1, -1};
    if (output) {
      if (pipe(fds) != 0) return false;
      posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
      posix_spawn_file_actions_addclose(&actions, fds[0]);
    }
    int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) {
      close(fds[1]);
      *output = fds[0];
    }
    if (rc != 0) pid_ = -1;
    return pid_ > 0;
  }
  // Starts the child and returns the first line it writes (empty when it could not start).
  std::string startForLine(std::vector<std::string> argv) {
    int out = -1;
    std::string line;
    if (!start(std::move(argv), &out)) return line;
    char c = 0;
    while (read(out, &c, 1) == 1 && c != '\n') line += c;
    close(out);
    return line;
  }
  // Sends a signal without waiting for the child.
  void signal(int number) {
    if (pid_ > 0) kill(pid_, number);
  }
  // Waits (bounded) for the child to end by itself; its wait status, or none when it still runs.
  std::optional<int> waitForExit(std::chrono::milliseconds bound) {
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + bound;
    while (pid_ > 0) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return status;
      }
      if (std::chrono::steady_clock::now() > deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
  }
  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  ~Child() { stop(); }

 private:
  pid_t pid_ = -1;
};

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedEnv {
 public:
  explicit ScopedEnv(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value;
  }
  ~ScopedEnv() {
    if (saved_) setenv(name_, saved_->c_str(), 1);
    else unsetenv(name_);
  }
  void set(const std::string& value) { setenv(name_, value.c_str(), 1); }
  void unset() { unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

inline bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds bound = 10s) {
  auto deadline = std::chrono::steady_clock::now() + bound;
  while (std::chrono::steady_clock::now() < deadline) {
    if (done()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return done();
}

// Pumps the calling UI thread's messages until `done` holds or the bound passes.
inline bool pumpUntil(platform::ui::WindowSystem& ws, const std::function<bool()>& done,
                      std::chrono::milliseconds bound = 10s) {
  return waitFor([&] {
    ws.processPending();
    return done();
  }, bound);
}

inline bool xdotool(const std::string& args) { return std::system(("xdotool " + args).c_str()) == 0; }

// An X display of the test's own (Xvfb), so that its pointer and keys reach no other test's
// windows when tests run side by side; DISPLAY names it while the object lives. Where Xvfb is
// missing, the display already named by DISPLAY is used (or none).
class PrivateDisplay {
 public:
  PrivateDisplay() {
    std::string number =
        server_.startForLine({"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!number.empty()) display_.set(":" + number);
  }

 private:
  ScopedEnv display_{"DISPLAY"};  // before the server: the server goes first
  Child server_;
};

// Starts openbox when no window manager runs on the display, the way a desktop always has one.
// It keeps a connection to the display meanwhile: an X server resets itself when its last client
// goes, and a window manager started during the reset cannot connect.
class WindowManager {
 public:
  WindowManager() {
    void* x11 = dlopen("libX11.so.6", RTLD_NOW);
    if (!x11) return;
    auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
    close_ = reinterpret_cast<int (*)(void*)>(dlsym(x11, "XCloseDisplay"));
    atom_ = reinterpret_cast<decltype(atom_)>(dlsym(x11, "XInternAtom"));
    root_ = reinterpret_cast<decltype(root_)>(dlsym(x11, "XDefaultRootWindow"));
    property_ = reinterpret_cast<decltype(property_)>(dlsym(x11, "XGetWindowProperty"));
    free_ = reinterpret_cast<decltype(free_)>(dlsym(x11, "XFree"));
    if (!open || !close_ || !atom_ || !root_ || !property_ || !free_) return;
    // A server started a moment ago may not take connections yet.
    waitFor([&] { return (display_ = open(nullptr)) != nullptr; }, 5s);
    if (!display_ || running()) return;
    if (wm_.start({"openbox", "--sm-disable"})) waitFor([&] { return running(); });
  }
  ~WindowManager() {
    wm_.stop();
    if (display_) close_(display_);
  }
  // Whether a window manager announces itself on the root window.
  bool running() const {
    if (!display_) return false;
    unsigned long check = atom_(display_, "_NET_SUPPORTING_WM_CHECK", 1);
    if (!check) return false;
    unsigned long type = 0, items = 0, after = 0;
    int format = 0;
    unsigned char* data = nullptr;
    constexpr unsigned long kAnyType = 0;
    if (property_(display_, root_(display_), check, 0, 1, 0, kAnyType, &type, &format, &items, &after, &data) != 0)
      return false;
    if (data) free_(data);
    return items > 0;
  }

 private:
  void* display_ = nullptr;
  int (*close_)(void*) = nullptr;
  unsigned long (*atom_)(void*, const char*, int) = nullptr;
  unsigned long (*root_)(void*) = nullptr;
  int (*property_)(void*, unsigned long, unsigned long, long, long, int, unsigned long, unsigned long*, int*,
                   unsigned long*, unsigned long*, unsigned char**) = nullptr;
  int (*free_)(void*) = nullptr;
  Child wm_;
};

// A private session bus for the test; DBUS_SESSION_BUS_ADDRESS points at it while it lives.
class SessionBus {
 public:
  SessionBus() {
    address_ = daemon_.startForLine({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (!address_.empty()) announced_.set(address_);
  }
  const std::string& address() const { return address_; }

 private:
  ScopedEnv announced_{"DBUS_SESSION_BUS_ADDRESS"};  // before the daemon: the daemon goes first
  Child daemon_;
  std::string address_;
};

}  // namespace desktoptest
