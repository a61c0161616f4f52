#pragma once
#include <cstdint>

#include "s/thread/PoolerBase.h"

namespace s::xml {

// One attribute of an element. Both strings are owned and NUL-terminated, in one block that
// `name` points to; the value is kept in its escaped form, exactly as it stands in the file. A
// record with an empty name is a text segment of the element.
struct AttrRecord {
  std::int32_t nameLength;
  char16_t* name;
  std::int32_t valueLength;
  char16_t* value;
};

// The process-wide pool of attribute records. Documents are made of many small records that
// come and go with every file read; records are carved from blocks and reused, which spares the
// allocator that churn.
class AttrFactory : public thread::PoolerBase {
 public:
  static AttrFactory& instance();

  const char16_t* typeName() const override { return u"s_xml_AttrFactory"; }
  // There is one factory per process; a new instance is that one.
  base::IObject* newInstance() const override { return &instance(); }

  // A record holding copies of the two strings (a length of -1: up to the NUL).
  AttrRecord* acquire(const char16_t* name, std::int32_t nameLength, const char16_t* value,
                      std::int32_t valueLength);
  // Frees the record's strings, zeroes it and keeps it for reuse.
  void release(AttrRecord* record);
  // Replaces the value by a copy of `value`.
  static void assignValue(AttrRecord* record, const char16_t* value, std::int32_t length);

 private:
  AttrFactory() : PoolerBase(sizeof(AttrRecord)) {}
};

}  // namespace s::xml
