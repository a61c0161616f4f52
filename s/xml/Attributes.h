#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "s/base/IObject.h"

namespace s::xml {

// One attribute of an element: name and value, each NUL-terminated, pointing into the text of
// the list that holds the record; the value is kept in its escaped form, exactly as it stands in
// the file. A record with an empty name is a text segment of the element.
struct AttrRecord {
  std::int32_t nameLength;
  char16_t* name;
  std::int32_t valueLength;
  char16_t* value;
};

// The ordered attribute list of an element, text segments included (records with an empty
// name). The records and their strings live in the list itself: one block of text per element
// instead of two small allocations per attribute, which is what lets a play list of 100,000
// songs (millions of attributes) be read, written and dropped in under a second each.
// A record returned by at() or get() stays valid until the list is next changed.
class Attributes : public base::IObject {
 public:
  Attributes() = default;
  ~Attributes() override = default;
  Attributes(const Attributes&) = delete;
  Attributes& operator=(const Attributes&) = delete;

  const char16_t* typeName() const override { return u"s_xml_Attributes"; }
  base::IObject* newInstance() const override { return new Attributes(); }

  std::int32_t count() const { return static_cast<std::int32_t>(records_.size()); }
  const AttrRecord* at(std::int32_t index) const {
    return index >= 0 && index < count() ? &records_[static_cast<std::size_t>(index)] : nullptr;
  }
  // Appends a record with copies of the name and the (already escaped) value.
  void append(std::u16string_view name, std::u16string_view value);
  // Index of the first record whose name equals `name` ignoring case, or -1.
  std::int32_t find(std::u16string_view name) const;
  const AttrRecord* get(std::u16string_view name) const { return at(find(name)); }
  void remove(std::int32_t index);
  void clear();

 private:
  // Points every record at its strings again after the text moved or was compacted.
  void repoint();
  void compact();

  std::vector<AttrRecord> records_;
  std::vector<std::uint32_t> offsets_;  // where each record's name starts in text_
  std::u16string text_;                 // name, NUL, value, NUL of each record
  std::size_t unused_ = 0;              // characters of removed records still in text_
};

}  // namespace s::xml
