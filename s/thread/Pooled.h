#pragma once
#include <memory>

namespace s::thread {

// Gives a pooled object back to its pool when the holder goes out of scope, so that no exit path
// of a function needs its own release() call. Works for anything with a release() member
// (IPoolable and the interfaces that carry release()).
struct ReleaseToPool {
  template <class T>
  void operator()(T* object) const {
    if (object) object->release();
  }
};

template <class T>
using Pooled = std::unique_ptr<T, ReleaseToPool>;

// Holds `object`, which the caller has just taken from its pool (or was given to own).
template <class T>
Pooled<T> holdPooled(T* object) {
  return Pooled<T>(object);
}

// Shared ownership of a pooled object: the last owner gives it back to its pool. For objects that
// a thread may still use after their first owner is done with them.
template <class T>
std::shared_ptr<T> sharePooled(T* object) {
  return std::shared_ptr<T>(object, ReleaseToPool{});
}

}  // namespace s::thread
