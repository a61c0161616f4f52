#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::map {

// A key/value store: a tree of named nodes selected by paths, each node holding named, typed
// values. Paths and names are NUL-terminated wide strings; a null pointer counts as empty. The
// empty path is the root, the empty value name a node's own value (a registry key's default
// value, an XML element's text).
//
// Getters never fail: a missing path or value (or, in the registry, a value of the wrong size)
// gives the caller's default. Setters create the path when it is missing and report nothing.
// With automatic flushing on, every change ends with flush().
class IMappedData : public base::IObject, public thread::IPoolable {
 public:
  virtual void flush() = 0;
  // Selects the path, creating every missing node on the way; false when that failed.
  virtual bool openPath(const char16_t* path) = 0;
  // Removes the node at the path with everything below it; a missing path is ignored.
  virtual void removePath(const char16_t* path) = 0;
  // Selects an existing path without creating anything.
  virtual bool selectPath(const char16_t* path) = 0;
  virtual bool hasValue(const char16_t* path, const char16_t* name) = 0;

  virtual std::uint8_t getU08(const char16_t* path, const char16_t* name, std::uint8_t def) = 0;
  virtual std::uint16_t getU16(const char16_t* path, const char16_t* name, std::uint16_t def) = 0;
  virtual std::uint32_t getU32(const char16_t* path, const char16_t* name, std::uint32_t def) = 0;
  virtual std::uint64_t getU64(const char16_t* path, const char16_t* name, std::uint64_t def) = 0;
  virtual std::int8_t getS08(const char16_t* path, const char16_t* name, std::int8_t def) = 0;
  virtual std::int16_t getS16(const char16_t* path, const char16_t* name, std::int16_t def) = 0;
  virtual std::int32_t getS32(const char16_t* path, const char16_t* name, std::int32_t def) = 0;
  virtual std::int64_t getS64(const char16_t* path, const char16_t* name, std::int64_t def) = 0;
  virtual float getF32(const char16_t* path, const char16_t* name, float def) = 0;
  virtual double getF64(const char16_t* path, const char16_t* name, double def) = 0;
  virtual bool getBool(const char16_t* path, const char16_t* name, bool def) = 0;
  // The decoded string, valid until the next string get on this store, or `def`.
  // `outExpandable` (optional) tells whether a registry value was an expandable string;
  // `expand` replaces its %NAME% parts from the environment.
  virtual const char16_t* getString(const char16_t* path, const char16_t* name,
                                    const char16_t* def, bool* outExpandable = nullptr,
                                    bool expand = false) = 0;
  // Not supported by either store: always null.
  virtual str::strarray::StrArray* getStrings(const char16_t* path, const char16_t* name,
                                              str::strarray::StrArray* array) = 0;
  // The bytes into `array`, or into a new pooled array when it is null; a missing value
  // returns `array` unchanged.
  virtual col::_array::ArrayU08* getBytes(const char16_t* path, const char16_t* name,
                                          col::_array::ArrayU08* array) = 0;
  virtual void removeValue(const char16_t* path, const char16_t* name) = 0;

  virtual void setU08(const char16_t* path, const char16_t* name, std::uint8_t value) = 0;
  virtual void setU16(const char16_t* path, const char16_t* name, std::uint16_t value) = 0;
  virtual void setU32(const char16_t* path, const char16_t* name, std::uint32_t value) = 0;
  virtual void setU64(const char16_t* path, const char16_t* name, std::uint64_t value) = 0;
  virtual void setS08(const char16_t* path, const char16_t* name, std::int8_t value) = 0;
  virtual void setS16(const char16_t* path, const char16_t* name, std::int16_t value) = 0;
  virtual void setS32(const char16_t* path, const char16_t* name, std::int32_t value) = 0;
  virtual void setS64(const char16_t* path, const char16_t* name, std::int64_t value) = 0;
  virtual void setF32(const char16_t* path, const char16_t* name, float value) = 0;
  virtual void setF64(const char16_t* path, const char16_t* name, double value) = 0;
  virtual void setBool(const char16_t* path, const char16_t* name, bool value) = 0;
  virtual void setString(const char16_t* path, const char16_t* name, const char16_t* value) = 0;
  virtual void setExpandString(const char16_t* path, const char16_t* name,
                               const char16_t* value) = 0;
  // Not supported by either store: only the automatic flush is done.
  virtual void setStrings(const char16_t* path, const char16_t* name,
                          const str::strarray::StrArray* values) = 0;
  virtual void setBytes(const char16_t* path, const char16_t* name,
                        const col::_array::ArrayU08* bytes) = 0;

  virtual bool isAutoFlush() const = 0;
  // Sets the flag; nothing is flushed by this call.
  virtual void setAutoFlush(bool flag) = 0;
};

}  // namespace s::map
