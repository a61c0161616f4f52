#pragma once
#include "s/base/IComparable.h"

namespace s::base {

// Every class names itself by its namespace path joined with underscores and prefixed "s_"
// (s::col::_array::ArrayP is "s_col__array_ArrayP").
class IObject : public IComparable {
 public:
  virtual const char16_t* typeName() const = 0;
  // A fresh object of the same class, from the class's pool where it has one. The caller owns
  // it (release pooled objects, delete the others).
  virtual IObject* newInstance() const = 0;
};

// The two callbacks through which a pool makes and finally destroys objects.
class IGenerator {
 public:
  virtual ~IGenerator() = default;
  virtual void* generate() = 0;
};

class IDestructor {
 public:
  virtual ~IDestructor() = default;
  virtual void destroy(void* object) = 0;
};

}  // namespace s::base
