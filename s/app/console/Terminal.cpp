#include "s/app/console/Terminal.h"

#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace s::app::console {

namespace {

std::atomic<bool> gInterrupted{false};
// Written before the handlers are installed, read by them; a plain copy is all a handler may use.
struct termios gSaved;
std::atomic<bool> gRestoreNeeded{false};

void restoreTerminal() {
  if (gRestoreNeeded.exchange(false)) tcsetattr(STDIN_FILENO, TCSANOW, &gSaved);
}

// The player gets three seconds to stop by itself after a signal; a thread stuck in a read or a
// device call must not keep the process alive against the user's word. A normal stop ends in
// about half a second (what is already queued on the device still plays), but a slow machine
// or a sanitizer build can take longer, and a process cut off loses its "Not played" report.
constexpr unsigned kGraceSeconds = 3;

void onGraceOver(int) {
  restoreTerminal();
  _exit(130);
}

// tcsetattr, alarm and _exit are async-signal-safe, so the terminal is back to normal and the
// process ends even if the player never notices the flag.
void onSignal(int) {
  if (!gInterrupted.exchange(true)) alarm(kGraceSeconds);
  restoreTerminal();
}

}  // namespace

Terminal::Terminal() {
  struct sigaction action = {};
  action.sa_handler = &onSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  struct sigaction grace = {};
  grace.sa_handler = &onGraceOver;
  sigemptyset(&grace.sa_mask);
  sigaction(SIGALRM, &grace, nullptr);
  if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &gSaved) == 0) {
    struct termios raw = gSaved;
    // Keys one by one and unechoed; ISIG stays, so Ctrl-C still arrives as a signal.
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    gRestoreNeeded.store(true);
    static bool registered = false;
    if (!registered) std::atexit(&restoreTerminal);
    registered = true;
    raw_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    if (!raw_) gRestoreNeeded.store(false);
  }
}

Terminal::~Terminal() {
  restoreTerminal();
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

bool Terminal::stdoutIsTerminal() { return isatty(STDOUT_FILENO); }

bool Terminal::interrupted() { return gInterrupted.load(); }

Terminal::Key Terminal::nextKey(int ms) {
  if (!raw_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return kNone;
  }
  struct pollfd in = {STDIN_FILENO, POLLIN, 0};
  if (pending_.empty() && poll(&in, 1, ms) <= 0) return kNone;
  char bytes[16];
  const ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
  if (n > 0) pending_.append(bytes, static_cast<std::size_t>(n));
  while (!pending_.empty()) {
    const char c = pending_[0];
    if (c == '\x1b') {
      if (pending_.size() < 3) {
        // The rest of an arrow key follows at once; a lone Escape is dropped.
        if (n <= 0) pending_.clear();
        return kNone;
      }
      const char code = pending_[2];
      pending_.erase(0, 3);
      if (code == 'A') return kVolumeUp;
      if (code == 'B') return kVolumeDown;
      if (code == 'C') return kSeekForward;
      if (code == 'D') return kSeekBack;
      continue;
    }
    pending_.erase(0, 1);
    if (c == ' ') return kPauseResume;
    if (c == 'n' || c == 'N') return kNext;
    if (c == 'q' || c == 'Q') return kQuit;
  }
  return kNone;
}

}  // namespace s::app::console
