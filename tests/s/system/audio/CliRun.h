#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace enginetest {

struct CliResult {
  int status = -1;
  std::string out;  // standard output and standard error together
};

// Runs a program as a user would, without a terminal.
inline CliResult runProgram(const std::string& program, const std::string& args, const std::string& env = "") {
  CliResult r;
  FILE* pipe = popen((env + " " + program + " " + args + " 2>&1 </dev/null").c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

inline CliResult cli(const std::string& args, const std::string& env = "") {
  return runProgram(SONVIA_CLI_PATH, args, env);
}

inline std::string q(const std::string& path) { return "'" + path + "'"; }

}  // namespace enginetest
