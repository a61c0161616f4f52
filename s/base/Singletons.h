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

template <class T>
struct SingletonSlot {
  static inline std::once_flag once;
  static inline T* instance = nullptr;
};

// The one instance of T, created on first use by `make()` and destroyed at exit with `delete`.
// Keyed on T alone, so every call site shares the instance whatever `make` it passes.
template <class T, class Make>
T& lazySingleton(Make make) {
  std::call_once(SingletonSlot<T>::once, [&] {
    T* created = make();
    Singletons::atExit([](void* p) { delete static_cast<T*>(p); }, created);
    SingletonSlot<T>::instance = created;
  });
  return *SingletonSlot<T>::instance;
}

}  // namespace s::base
