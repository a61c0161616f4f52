#pragma once
#include <string>

#include "tests/support/CliRun.h"

namespace enginetest {

// These tests read standard output and standard error as one text.
struct CliResult {
  int status = -1;
  std::string out;
};

// Runs a program as a user would, without a terminal, through the suite's one runner.
inline CliResult runProgram(const std::string& program, const std::string& args, const std::string& env = "") {
  const testing_support::CliResult r = testing_support::runShell(env + " " + program + " " + args);
  return {r.status, r.all()};
}

inline CliResult cli(const std::string& args, const std::string& env = "") {
  return runProgram(SONVIA_CLI_PATH, args, env);
}

inline std::string q(const std::string& path) { return testing_support::quoted(path); }

}  // namespace enginetest
