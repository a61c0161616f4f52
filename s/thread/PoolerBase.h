#pragma once
#include <cstddef>
#include <utility>
#include <vector>

#include "s/base/IObject.h"
#include "s/thread/ObjLocker.h"

namespace s::thread {

// Hands out zero-filled slots of one size carved from blocks of `blockSize` slots, so that many
// objects of one kind cost one allocation per block. Slots given back are reused first; blocks
// are freed when the pooler dies.
class PoolerBase : public base::IObject, public base::IGenerator, public base::IDestructor {
 public:
  static constexpr std::size_t kDefaultBlockSize = 1024;

  explicit PoolerBase(std::size_t slotSize, std::size_t blockSize = kDefaultBlockSize);
  ~PoolerBase() override;
  PoolerBase(const PoolerBase&) = delete;
  PoolerBase& operator=(const PoolerBase&) = delete;

  // A zero-filled slot.
  void* generate() override;
  // Gives a slot back; it must have come from this pooler.
  void destroy(void* slot) override;

  std::size_t slotSize() const { return slotSize_; }
  std::size_t blockSize() const { return blockSize_; }
  std::size_t blockCount();
  std::size_t liveCount();

  const char16_t* typeName() const override { return u"s_thread_PoolerBase"; }
  IObject* newInstance() const override { return new PoolerBase(slotSize_, blockSize_); }

 private:
  ObjLocker locker_;
  std::size_t slotSize_;
  std::size_t blockSize_;
  std::vector<void*> blocks_;
  std::vector<void*> free_;
  std::size_t nextInBlock_;
  std::size_t live_ = 0;
};

// Objects of class T built in the slots of a PoolerBase.
template <class T>
class Factory : public PoolerBase {
 public:
  explicit Factory(std::size_t blockSize = kDefaultBlockSize) : PoolerBase(sizeof(T), blockSize) {}

  template <class... Args>
  T* make(Args&&... args) {
    return new (generate()) T(std::forward<Args>(args)...);
  }
  void dispose(T* object) {
    if (!object) return;
    object->~T();
    destroy(object);
  }
  const char16_t* typeName() const override { return u"s_thread_Factory"; }
};

}  // namespace s::thread
