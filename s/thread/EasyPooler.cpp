#include "s/thread/EasyPooler.h"

#include "s/base/Singletons.h"
#include "s/col/_array/ArrayP.h"

namespace s::thread {

EasyPooler::EasyPooler(GenerateFn generate, DestroyFn destroy, ResetFn reset,
                       std::size_t capacity)
    : idle_(new col::_array::ArrayP),
      capacity_(capacity),
      generate_(generate),
      destroy_(destroy),
      reset_(reset) {}

EasyPooler::~EasyPooler() {
  shutDown();
  delete idle_;
}

EasyPooler* EasyPooler::createForProcess(GenerateFn generate, DestroyFn destroy, ResetFn reset,
                                         std::size_t capacity) {
  auto* pool = new EasyPooler(generate, destroy, reset, capacity);
  // The pool object itself outlives the exit teardown on purpose: static objects destroyed after
  // it may still give objects back, and those must be destroyed, not touch freed memory.
  base::Singletons::atExit([](void* p) { static_cast<EasyPooler*>(p)->shutDown(); }, pool);
  return pool;
}

void* EasyPooler::acquire() {
  locker_.lock();
  if (!idle_->isEmpty()) {
    void* object = idle_->get(idle_->size() - 1);
    idle_->setSize(idle_->size() - 1);
    locker_.unlock();
    return object;
  }
  locker_.unlock();
  return generate_();
}

void EasyPooler::release(void* object) {
  if (!object) return;
  bool keep;
  {
    ObjLocker::Guard hold(locker_);
    keep = idle_->size() < capacity_;
  }
  if (keep) {
    // Reset outside the lock: a composite gives its parts back to their pools (or to this one,
    // for trees of one class) while it resets, and no pool lock may be held across that.
    reset_(object);
    ObjLocker::Guard hold(locker_);
    if (idle_->size() < capacity_) {
      idle_->append(object);
      return;
    }
  }
  destroy_(object);
}

void EasyPooler::shutDown() {
  for (;;) {
    void* object;
    {
      ObjLocker::Guard hold(locker_);
      capacity_ = 0;
      if (idle_->isEmpty()) return;
      object = idle_->get(idle_->size() - 1);
      idle_->setSize(idle_->size() - 1);
    }
    destroy_(object);
  }
}

std::size_t EasyPooler::idleCount() {
  ObjLocker::Guard hold(locker_);
  return idle_->size();
}

}  // namespace s::thread
