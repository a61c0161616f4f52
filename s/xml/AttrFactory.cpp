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

char16_t* copyOf(const char16_t* text, std::int32_t length) {
  auto* out = new char16_t[static_cast<std::size_t>(length) + 1];
  if (length) std::memcpy(out, text, static_cast<std::size_t>(length) * sizeof(char16_t));
  out[length] = 0;
  return out;
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
  record->nameLength = lengthOf(name, nameLength);
  record->name = copyOf(name, record->nameLength);
  record->valueLength = lengthOf(value, valueLength);
  record->value = copyOf(value, record->valueLength);
  return record;
}

void AttrFactory::assignValue(AttrRecord* record, const char16_t* value, std::int32_t length) {
  length = lengthOf(value, length);
  char16_t* copy = copyOf(value, length);
  delete[] record->value;
  record->value = copy;
  record->valueLength = length;
}

void AttrFactory::release(AttrRecord* record) {
  if (!record) return;
  delete[] record->name;
  delete[] record->value;
  *record = AttrRecord{0, nullptr, 0, nullptr};
  destroy(record);
}

}  // namespace s::xml
