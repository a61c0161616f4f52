#include "resources/Resource.h"

namespace res {

extern const Resource kResources[];

Resource find(std::string_view name) {
  for (const Resource* r = kResources; r->name; ++r)
    if (name == r->name) return *r;
  return {nullptr, nullptr, 0};
}

}  // namespace res
