#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"

namespace s::map {

// A locked map from integer keys to pointers. When given a value destructor, the map owns its
// values and destroys them as they are replaced, removed or cleared.
class Map final : public base::IObject, public thread::IPoolable {
 public:
  static Map* create(std::size_t sizeHint = 0, void* owner = nullptr);
  explicit Map(std::size_t sizeHint = 0, void* owner = nullptr);
  ~Map() override;
  Map(const Map&) = delete;
  Map& operator=(const Map&) = delete;

  void setValueDestructor(base::IDestructor* destructor) { valueDestructor_ = destructor; }
  void* owner() const { return owner_; }
  void setOwner(void* owner) { owner_ = owner; }

  void put(int64_t key, void* value);
  void* get(int64_t key, void* fallback = nullptr);
  bool contains(int64_t key);
  bool remove(int64_t key);
  std::size_t size();
  void clear();
  // Calls `visit` for every entry under the map's lock; the order is unspecified.
  void forEach(const std::function<void(int64_t key, void* value)>& visit);

  const char16_t* typeName() const override { return u"s_map_Map"; }
  IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override;

 private:
  thread::ObjLocker locker_;
  std::unordered_map<int64_t, void*> entries_;
  void* owner_ = nullptr;
  base::IDestructor* valueDestructor_ = nullptr;
};

}  // namespace s::map
