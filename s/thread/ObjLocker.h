#pragma once
#include <mutex>

#include "s/base/IObject.h"

namespace s::thread {

// A recursive lock, optionally owning one object that it disposes of when it dies, either through
// a release function or through an IDestructor. Every container or pool reachable from more than
// one thread holds one.
class ObjLocker : public base::IObject {
 public:
  using ReleaseFn = void (*)(void*);

  ObjLocker() = default;
  ObjLocker(void* owned, ReleaseFn releaseFn) : owned_(owned), releaseFn_(releaseFn) {}
  ObjLocker(void* owned, base::IDestructor* destructor) : owned_(owned), destructor_(destructor) {}
  ~ObjLocker() override;
  ObjLocker(const ObjLocker&) = delete;
  ObjLocker& operator=(const ObjLocker&) = delete;

  void lock() { mutex_.lock(); }
  void unlock() { mutex_.unlock(); }
  bool tryLock() { return mutex_.try_lock(); }
  void* owned() const { return owned_; }

  const char16_t* typeName() const override { return u"s_thread_ObjLocker"; }
  IObject* newInstance() const override { return new ObjLocker; }

  // Holds the lock for one scope.
  class Guard {
   public:
    explicit Guard(ObjLocker& locker) : locker_(locker) { locker_.lock(); }
    ~Guard() { locker_.unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    ObjLocker& locker_;
  };

 private:
  std::recursive_mutex mutex_;
  void* owned_ = nullptr;
  ReleaseFn releaseFn_ = nullptr;
  base::IDestructor* destructor_ = nullptr;
};

}  // namespace s::thread
