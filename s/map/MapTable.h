#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"

namespace s::map {

// A locked map from exact string keys to pointers; owns its values when given a destructor.
class MapTable final : public base::IObject, public thread::IPoolable {
 public:
  static MapTable* create(std::size_t sizeHint = 0);
  explicit MapTable(std::size_t sizeHint = 0);
  ~MapTable() override;
  MapTable(const MapTable&) = delete;
  MapTable& operator=(const MapTable&) = delete;

  void setValueDestructor(base::IDestructor* destructor) { valueDestructor_ = destructor; }

  void put(std::u16string_view key, void* value);
  void* get(std::u16string_view key, void* fallback = nullptr);
  bool contains(std::u16string_view key);
  bool remove(std::u16string_view key);
  std::size_t size();
  void clear();
  void forEach(const std::function<void(std::u16string_view key, void* value)>& visit);

  const char16_t* typeName() const override { return u"s_map_MapTable"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view key) const {
      return std::hash<std::u16string_view>()(key);
    }
  };
  thread::ObjLocker locker_;
  std::unordered_map<std::u16string, void*, Hash, std::equal_to<>> entries_;
  base::IDestructor* valueDestructor_ = nullptr;
};

}  // namespace s::map
