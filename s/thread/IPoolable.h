#pragma once

namespace s::thread {

class IPoolable {
 public:
  virtual ~IPoolable() = default;
  // Gives the object back to its class's pool; the caller must not touch it afterwards.
  virtual void release() = 0;
  // Returns the object to its freshly built state; the pool calls it before keeping an object.
  virtual void reset() = 0;
};

}  // namespace s::thread
