#include "s/thread/ObjLocker.h"

namespace s::thread {

ObjLocker::~ObjLocker() {
  if (!owned_) return;
  if (destructor_)
    destructor_->destroy(owned_);
  else if (releaseFn_)
    releaseFn_(owned_);
}

}  // namespace s::thread
