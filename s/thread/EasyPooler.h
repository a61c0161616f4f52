#pragma once
#include <cstddef>

#include "s/base/IObject.h"
#include "s/thread/ObjLocker.h"

namespace s::col::_array {
class ArrayP;
}

namespace s::thread {

// One pool per pooled class: keeps up to `capacity` idle objects for reuse, resetting each as it
// comes back, and destroys the surplus. The generator and destroyer run outside the lock, so a
// slow constructor never holds up other threads.
class EasyPooler : public base::IObject, public base::IGenerator, public base::IDestructor {
 public:
  using GenerateFn = void* (*)();
  using DestroyFn = void (*)(void*);
  using ResetFn = void (*)(void*);

  static constexpr std::size_t kDefaultCapacity = 1000;
  static constexpr std::size_t kRawRecordCapacity = 10000;
  // Windows, fonts, buttons and memory device contexts own native resources; never keep them.
  static constexpr std::size_t kNeverKeep = 0;

  EasyPooler(GenerateFn generate, DestroyFn destroy, ResetFn reset, std::size_t capacity);
  ~EasyPooler() override;
  EasyPooler(const EasyPooler&) = delete;
  EasyPooler& operator=(const EasyPooler&) = delete;

  // A pool that lives for the whole process: its idle objects are destroyed at exit (in reverse
  // order of pool creation), after which releases destroy objects directly.
  static EasyPooler* createForProcess(GenerateFn generate, DestroyFn destroy, ResetFn reset,
                                      std::size_t capacity);

  void* acquire();
  void release(void* object);
  // Destroys every idle object and keeps none from now on.
  void shutDown();

  std::size_t capacity() const { return capacity_; }
  std::size_t idleCount();

  void* generate() override { return generate_(); }
  void destroy(void* object) override { destroy_(object); }
  const char16_t* typeName() const override { return u"s_thread_EasyPooler"; }
  IObject* newInstance() const override {
    return new EasyPooler(generate_, destroy_, reset_, capacity_);
  }

 private:
  ObjLocker locker_;
  col::_array::ArrayP* idle_;
  std::size_t capacity_;
  GenerateFn generate_;
  DestroyFn destroy_;
  ResetFn reset_;
};

// The process-wide pool of class T. T needs a default constructor, a public destructor and
// reset().
template <class T, std::size_t Capacity = EasyPooler::kDefaultCapacity>
class PoolOf {
 public:
  static EasyPooler& pool() {
    static EasyPooler* instance =
        EasyPooler::createForProcess(&make, &destroy, &reset, Capacity);
    return *instance;
  }
  static T* acquire() { return static_cast<T*>(pool().acquire()); }
  static void release(T* object) { pool().release(object); }

 private:
  static void* make() { return new T(); }
  static void destroy(void* object) { delete static_cast<T*>(object); }
  static void reset(void* object) { static_cast<T*>(object)->reset(); }
};

}  // namespace s::thread
