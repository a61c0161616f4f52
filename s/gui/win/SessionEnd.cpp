#include "s/gui/win/SessionEnd.h"

#include <fcntl.h>
#include <cerrno>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

#include "s/gui/win/Window.h"

namespace s::gui::win {

namespace {

std::mutex& registryMutex() {
  static std::mutex m;
  return m;
}

std::vector<Window*>& registry() {
  static std::vector<Window*> windows;
  return windows;
}

int wakePipe[2] = {-1, -1};

extern "C" void onSessionSignal(int signal) {
  // Only async-signal-safe work here: the signal's number into the pipe, errno kept.
  int saved = errno;
  auto byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] ssize_t n = write(wakePipe[1], &byte, 1);
  errno = saved;
}

void watch() {
  unsigned char byte = 0;
  while (true) {
    ssize_t n = read(wakePipe[0], &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1) return;
    // Asked once, the program closes its windows and ends by itself; asked again, or with no
    // window to close, it ends at once as any program would.
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    if (!SessionEnd::endAll()) std::raise(byte);
  }
}

}  // namespace

void SessionEnd::install() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (pipe2(wakePipe, O_CLOEXEC) != 0) return;
    std::thread(watch).detach();
    struct sigaction action {};
    action.sa_handler = onSessionSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
  });
}

void SessionEnd::add(Window* window) {
  std::lock_guard lock(registryMutex());
  registry().push_back(window);
}

void SessionEnd::remove(Window* window) {
  std::lock_guard lock(registryMutex());
  std::erase(registry(), window);
}

bool SessionEnd::endAll() {
  std::lock_guard lock(registryMutex());
  for (Window* w : registry()) w->endSession();
  return !registry().empty();
}

}  // namespace s::gui::win
