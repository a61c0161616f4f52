#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::file {
class FileInputStream;
class FileOutputStream;
}

namespace s::xml {

class Attributes;

// One element of a document in the program's XML dialect: a name, an ordered attribute list
// (text content included, as attributes with the empty name) and ordered children. Values are
// kept in their escaped form; only getAttrDecoded decodes. Names are wide strings; a length or
// count of -1 means up to the terminating NUL.
class IXml : public base::IObject, public thread::IPoolable {
 public:
  virtual std::int32_t childCount() const = 0;
  // Frees the name and empties the attributes and children (the pool calls it on release).
  virtual void clear() = 0;
  // A diagnostic walk over the subtree, one line per element and attribute, each level one TAB
  // deeper than `indent`. The lines go to `out` when given; otherwise nothing is produced.
  virtual void dumpTree(std::int32_t indent, str::strbuffer::StrBuffer* out = nullptr) const = 0;
  // Reads one element starting at `text` (NUL-terminated) into this node; returns the position
  // just after it. Never reads past the terminating NUL.
  virtual const char16_t* parse(const char16_t* text) = 0;
  // Converts UTF-8 bytes to wide text and parses it.
  virtual void parseBytes(const col::_array::ArrayU08* bytes) = 0;
  virtual const char16_t* getName() const = 0;
  virtual void setName(const char16_t* text, std::int32_t length = -1) = 0;
  // count -1: the whole name ignoring case; otherwise the name must be exactly the first
  // `count` characters of `text`, case included. False when the name is unset.
  virtual bool nameEquals(const char16_t* text, std::int32_t count = -1) const = 0;
  virtual bool isComment() const = 0;
  virtual IXml* childAt(std::int32_t index) const = 0;
  // Takes a node from the pool, names it, appends it and returns it.
  virtual IXml* addChild(const char16_t* name, std::int32_t length = -1) = 0;
  // Appends an existing node (made by this library); this node owns it from now on.
  virtual IXml* appendChild(IXml* node) = 0;
  // Removes the child at `index` and gives it back to the pool.
  virtual void removeChild(std::int32_t index) = 0;
  virtual bool findChild(const char16_t* name, std::int32_t* outIndex,
                         std::int32_t count = -1) const = 0;
  virtual IXml* getChild(const char16_t* name, std::int32_t count = -1) const = 0;

  virtual void addAttrU64(const char16_t* name, std::uint64_t value) = 0;
  virtual void addAttrU32(const char16_t* name, std::uint32_t value) = 0;
  virtual void addAttrU16(const char16_t* name, std::uint16_t value) = 0;
  virtual void addAttrU08(const char16_t* name, std::uint8_t value) = 0;
  virtual void addAttrS64(const char16_t* name, std::int64_t value) = 0;
  virtual void addAttrS32(const char16_t* name, std::int32_t value) = 0;
  virtual void addAttrS16(const char16_t* name, std::int16_t value) = 0;
  virtual void addAttrS08(const char16_t* name, std::int8_t value) = 0;
  virtual void addAttrF32(const char16_t* name, float value) = 0;
  virtual void addAttrF64(const char16_t* name, double value) = 0;
  // Appends `text` escaped for its context (element text when `name` is empty).
  virtual void addAttrText(const char16_t* name, const char16_t* text) = 0;
  virtual void addAttrHexS64(const char16_t* name, const std::int64_t* values, std::int32_t count) = 0;
  virtual void addAttrHexS32(const char16_t* name, const std::int32_t* values, std::int32_t count) = 0;
  virtual void addAttrHexS16(const char16_t* name, const std::int16_t* values, std::int32_t count) = 0;
  virtual void addAttrHexS08(const char16_t* name, const std::int8_t* values, std::int32_t count) = 0;
  virtual void addAttrHexU64(const char16_t* name, const std::uint64_t* values, std::int32_t count) = 0;
  virtual void addAttrHexU32(const char16_t* name, const std::uint32_t* values, std::int32_t count) = 0;
  virtual void addAttrHexU16(const char16_t* name, const std::uint16_t* values, std::int32_t count) = 0;
  virtual void addAttrHexU08(const char16_t* name, const std::uint8_t* values, std::int32_t count) = 0;
  virtual void addAttrHexF32(const char16_t* name, const float* values, std::int32_t count) = 0;
  virtual void addAttrHexF64(const char16_t* name, const double* values, std::int32_t count) = 0;

  // The stored (escaped) value of the first attribute of that name, or `def`.
  virtual const char16_t* getAttrText(const char16_t* name, const char16_t* def) const = 0;
  // True for a value beginning with "1" or "true" (case-sensitive).
  virtual bool getAttrBool(const char16_t* name, bool def) const = 0;
  virtual std::int8_t getAttrS08(const char16_t* name, std::int8_t def) const = 0;
  virtual std::int16_t getAttrS16(const char16_t* name, std::int16_t def) const = 0;
  virtual std::int32_t getAttrS32(const char16_t* name, std::int32_t def) const = 0;
  virtual std::int64_t getAttrS64(const char16_t* name, std::int64_t def) const = 0;
  virtual std::uint8_t getAttrU08(const char16_t* name, std::uint8_t def) const = 0;
  virtual std::uint16_t getAttrU16(const char16_t* name, std::uint16_t def) const = 0;
  virtual std::uint32_t getAttrU32(const char16_t* name, std::uint32_t def) const = 0;
  virtual std::uint64_t getAttrU64(const char16_t* name, std::uint64_t def) const = 0;
  // The decoded value (or `def`) into `buffer`, a new pooled one when null; appended when
  // `append`, otherwise replacing the buffer's content.
  virtual str::strbuffer::StrBuffer* getAttrDecoded(str::strbuffer::StrBuffer* buffer,
                                                    const char16_t* name, const char16_t* def,
                                                    bool append = false) const = 0;
  // This element and its subtree as one line of text.
  virtual str::strbuffer::StrBuffer* write(str::strbuffer::StrBuffer* buffer = nullptr,
                                           bool append = false) const = 0;
  virtual col::_array::ArrayU08* writeUtf8(col::_array::ArrayU08* bytes = nullptr,
                                           bool append = false) const = 0;
  virtual Attributes* attributes() = 0;
  // Replaces this node by the document in the file; an unreadable or empty file leaves it
  // empty. False when the file could not be read.
  virtual bool loadFile(const char16_t* path) = 0;
  virtual bool load(file::FileInputStream* file) = 0;
  // Writes the document as UTF-8, creating the file's folder when missing. The file is
  // replaced in one step, so a failed save leaves the old file as it was.
  virtual bool saveFile(const char16_t* path) const = 0;
  // Writes the document to an open stream, flushes it to the disk and closes it.
  virtual bool save(file::FileOutputStream* file) const = 0;
};

}  // namespace s::xml
