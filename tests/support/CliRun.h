#pragma once
// Runs the programs as a user would: through the shell, without a terminal (standard input is
// /dev/null), with standard output and standard error captured apart. A program that does not
// end within its time limit is killed with everything it started and reported as hung, so a
// test of something that used to block fails instead of stopping the suite.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace testing_support {

struct CliResult {
  int status = -1;     // the exit status, -1 when the program was killed or did not start
  int signal = 0;      // the signal that ended it, if one did
  bool hung = false;   // still running at the time limit
  std::string out, err;
  std::string all() const { return out + err; }
};

inline CliResult runShell(const std::string& command,
                          std::chrono::milliseconds limit = std::chrono::seconds(120),
                          int sendSignalAfterMs = -1, int signalToSend = SIGTERM) {
  CliResult result;
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0) return result;
  if (pipe2(errPipe, O_CLOEXEC) != 0) {
    close(outPipe[0]);
    close(outPipe[1]);
    return result;
  }
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);  // its own group, so a hung program is killed with its children
    const int none = open("/dev/null", O_RDONLY);
    dup2(none, STDIN_FILENO);
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  if (child < 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    return result;
  }
  setpgid(child, child);
  const auto start = std::chrono::steady_clock::now();
  const auto deadline = start + limit;
  bool signalled = sendSignalAfterMs < 0;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* into[2] = {&result.out, &result.err};
  int open = 2;
  while (open > 0) {
    const auto now = std::chrono::steady_clock::now();
    if (!signalled && now >= start + std::chrono::milliseconds(sendSignalAfterMs)) {
      kill(child, signalToSend);
      signalled = true;
    }
    if (now >= deadline) {
      result.hung = true;
      kill(-child, SIGKILL);
      break;
    }
    const int wait = signalled ? 100 : 10;
    if (poll(fds, 2, wait) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (pollfd& fd : fds)
    if (fd.fd >= 0) close(fd.fd);
  int status = 0;
  // The program may have closed its outputs and still run: the deadline holds for the wait too.
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      result.hung = true;
      kill(-child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    usleep(5000);
  }
  if (WIFEXITED(status) && !result.hung) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

#ifdef SONVIA_CLI_PATH
// sonvia-cli with `args` (shell words, quoted by the caller); `env` is put before it.
inline CliResult runCli(const std::string& args, const std::string& env = "",
                        std::chrono::milliseconds limit = std::chrono::seconds(120)) {
  return runShell(env + " " + SONVIA_CLI_PATH + " " + args, limit);
}
#endif

// A path as one shell word.
inline std::string quoted(const std::string& path) {
  std::string out = "'";
  for (char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace testing_support
