#pragma once
#include <mutex>

namespace s::base {

// Process-wide objects (pools, the settings store, the language table, the skin set) are built
// by the first call that needs them and torn down at exit in reverse order of creation, so that
// a later singleton may still use an earlier one while it dies.
class Singletons {
 public:
  using Teardown = void (*)(void*);
  // Registers `teardown(object)` to run at exit, after everything registered later.
  static void atExit(Teardown teardown, void* object);
  // Runs every registered teardown now, newest first (the exit handler calls this).
  static void runAll();
};

// The one instance of T, created on first use by `make()` and destroyed at exit with `delete`.
template <class T, class Make>
T& lazySingleton(Make make) {
  static T* instance = [&] {
    T* created = make();
    Singletons::atExit([](void* p) { delete static_cast<T*>(p); }, created);
    return created;
  }();
  return *instance;
}

}  // namespace s::base
