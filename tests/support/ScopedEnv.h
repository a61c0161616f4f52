#pragma once
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

namespace testing_support {

// Environment variables set for one test and put back as they were (or unset) at its end.
class ScopedEnv {
 public:
  ScopedEnv() = default;
  ~ScopedEnv() { restore(); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  void set(const std::string& name, const std::string& value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = {old ? old : "", old != nullptr};
    }
    setenv(name.c_str(), value.c_str(), 1);
  }
  void restore() {
    for (auto& [name, value] : saved_)
      value.second ? setenv(name.c_str(), value.first.c_str(), 1) : unsetenv(name.c_str());
    saved_.clear();
  }

 private:
  std::map<std::string, std::pair<std::string, bool>> saved_;  // the old value, and whether set
};

}  // namespace testing_support
