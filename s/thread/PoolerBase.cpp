#include "s/thread/PoolerBase.h"

#include <cstdlib>
#include <cstring>

namespace s::thread {

namespace {
constexpr std::size_t kAlign = alignof(std::max_align_t);
}

PoolerBase::PoolerBase(std::size_t slotSize, std::size_t blockSize)
    : slotSize_((slotSize ? slotSize : 1) + kAlign - 1 - ((slotSize ? slotSize : 1) + kAlign - 1) % kAlign),
      blockSize_(blockSize ? blockSize : kDefaultBlockSize),
      nextInBlock_(blockSize_) {}

PoolerBase::~PoolerBase() {
  for (void* block : blocks_) std::free(block);
}

void* PoolerBase::generate() {
  void* slot = nullptr;
  {
    ObjLocker::Guard hold(locker_);
    if (!free_.empty()) {
      slot = free_.back();
      free_.pop_back();
    } else {
      if (nextInBlock_ == blockSize_) {
        void* block = std::malloc(slotSize_ * blockSize_);
        if (!block) return nullptr;
        blocks_.push_back(block);
        nextInBlock_ = 0;
      }
      slot = static_cast<char*>(blocks_.back()) + slotSize_ * nextInBlock_++;
    }
    ++live_;
  }
  std::memset(slot, 0, slotSize_);
  return slot;
}

void PoolerBase::destroy(void* slot) {
  if (!slot) return;
  ObjLocker::Guard hold(locker_);
  free_.push_back(slot);
  --live_;
}

std::size_t PoolerBase::blockCount() {
  ObjLocker::Guard hold(locker_);
  return blocks_.size();
}

std::size_t PoolerBase::liveCount() {
  ObjLocker::Guard hold(locker_);
  return live_;
}

}  // namespace s::thread
