#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_support {

// A fresh folder below the system's temporary folder, removed with everything in it at the end
// of the test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sonvia-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? made : "";
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace testing_support
