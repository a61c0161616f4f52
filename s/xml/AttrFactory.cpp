#include "s/xml/AttrFactory.h"

#include <cstring>

namespace s::xml {

namespace {

std::int32_t lengthOf(const char16_t* text, std::int32_t length) {
  if (!text) return 0;
  if (length >= 0) return length;
  std::int32_t n = 0;
  while (text[n]) ++n;
  return n;
}

// Name and value share one block (the name first), so a record costs one allocation: a play
// list of 100,000 songs holds millions of attributes.
void fill(AttrRecord* record, const char16_t* name, std::int32_t nameLength,
          const char16_t* value, std::int32_t valueLength) {
  auto* block = new char16_t[static_cast<std::size_t>(nameLength) + valueLength + 2];
  if (nameLength) std::memcpy(block, name, static_cast<std::size_t>(nameLength) * sizeof(char16_t));
  block[nameLength] = 0;
  char16_t* copy = block + nameLength + 1;
  if (valueLength)
    std::memcpy(copy, value, static_cast<std::size_t>(valueLength) * sizeof(char16_t));
  copy[valueLength] = 0;
  record->name = block;
  record->nameLength = nameLength;
  record->value = copy;
  record->valueLength = valueLength;
}

}  // namespace

AttrFactory& AttrFactory::instance() {
  // Never destroyed: records may still be given back by objects destroyed at exit.
  static AttrFactory* factory = new AttrFactory();
  return *factory;
}

AttrRecord* AttrFactory::acquire(const char16_t* name, std::int32_t nameLength,
                                 const char16_t* value, std::int32_t valueLength) {
  auto* record = static_cast<AttrRecord*>(generate());
  fill(record, name, lengthOf(name, nameLength), value, lengthOf(value, valueLength));
  return record;
}

void AttrFactory::assignValue(AttrRecord* record, const char16_t* value, std::int32_t length) {
  char16_t* old = record->name;
  fill(record, old, record->nameLength, value, lengthOf(value, length));
  delete[] old;
}

void AttrFactory::release(AttrRecord* record) {
  if (!record) return;
  delete[] record->name;  // the value with it
  *record = AttrRecord{0, nullptr, 0, nullptr};
  destroy(record);
}

}  // namespace s::xml
