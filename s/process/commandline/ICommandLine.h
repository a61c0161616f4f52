#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::process::commandline {

// The parameters after the program's path, in order. A switch is held as "-" and its name.
class ICommandLine : public base::IObject, public thread::IPoolable {
 public:
  virtual std::int32_t count() const = 0;
  // The parameter at `index` (from 0), or null past the end.
  virtual const str::strbuffer::StrBuffer* get(std::int32_t index) const = 0;
};

}  // namespace s::process::commandline
