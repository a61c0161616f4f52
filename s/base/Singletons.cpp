#include "s/base/Singletons.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace s::base {

namespace {

struct Registry {
  std::mutex mutex;
  std::vector<std::pair<Singletons::Teardown, void*>> entries;
};

// Never destroyed: teardowns may run from the exit handler after static destructors began.
Registry& registry() {
  static Registry* r = [] {
    auto* made = new Registry;
    std::atexit(&Singletons::runAll);
    return made;
  }();
  return *r;
}

}  // namespace

void Singletons::atExit(Teardown teardown, void* object) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.mutex);
  r.entries.emplace_back(teardown, object);
}

void Singletons::runAll() {
  Registry& r = registry();
  for (;;) {
    std::pair<Teardown, void*> last;
    {
      std::lock_guard<std::mutex> hold(r.mutex);
      if (r.entries.empty()) return;
      last = r.entries.back();
      r.entries.pop_back();
    }
    // Outside the lock: a teardown may release objects into pools that register nothing new,
    // but it must never deadlock against a registration.
    last.first(last.second);
  }
}

}  // namespace s::base
