#pragma once
#include <string>

namespace platform::process {

// The full path of this program's file, as the kernel knows it (no length limit). A program file
// replaced while it runs (a rebuild) keeps its path, without the kernel's " (deleted)" mark, so
// that the old and the new build still count as the same program.
class ExecutablePath {
 public:
  static std::string current();
  // `linkText` is what /proc/self/exe reads as.
  static std::string withoutDeletedMark(std::string linkText);
};

}  // namespace platform::process
