#pragma once
#include <cstddef>
#include <string_view>

namespace res {

// A file carried inside the program. Text resources are followed by one zero byte that `size`
// does not count.
struct Resource {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

// The resource stored under `name` (its path below resources/, e.g. "lang/languages.xml"), or
// a Resource with data == nullptr when there is none.
Resource find(std::string_view name);

}  // namespace res
