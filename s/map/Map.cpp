#include "s/map/Map.h"

#include <vector>

#include "s/thread/EasyPooler.h"

namespace s::map {

Map* Map::create(std::size_t sizeHint, void* owner) {
  Map* m = thread::PoolOf<Map>::acquire();
  if (sizeHint) m->entries_.reserve(sizeHint);
  m->owner_ = owner;
  return m;
}

void Map::release() { thread::PoolOf<Map>::release(this); }

Map::Map(std::size_t sizeHint, void* owner) : owner_(owner) {
  if (sizeHint) entries_.reserve(sizeHint);
}

Map::~Map() { clear(); }

void Map::reset() {
  clear();
  owner_ = nullptr;
  valueDestructor_ = nullptr;
}

void Map::put(int64_t key, void* value) {
  void* replaced = nullptr;
  {
    thread::ObjLocker::Guard hold(locker_);
    auto [it, added] = entries_.try_emplace(key, value);
    if (!added) {
      replaced = it->second;
      it->second = value;
    }
  }
  if (replaced && replaced != value && valueDestructor_) valueDestructor_->destroy(replaced);
}

void* Map::get(int64_t key, void* fallback) {
  thread::ObjLocker::Guard hold(locker_);
  auto it = entries_.find(key);
  return it == entries_.end() ? fallback : it->second;
}

bool Map::contains(int64_t key) {
  thread::ObjLocker::Guard hold(locker_);
  return entries_.count(key) != 0;
}

bool Map::remove(int64_t key) {
  void* value;
  {
    thread::ObjLocker::Guard hold(locker_);
    auto it = entries_.find(key);
    if (it == entries_.end()) return false;
    value = it->second;
    entries_.erase(it);
  }
  if (value && valueDestructor_) valueDestructor_->destroy(value);
  return true;
}

std::size_t Map::size() {
  thread::ObjLocker::Guard hold(locker_);
  return entries_.size();
}

void Map::clear() {
  std::vector<void*> values;
  {
    thread::ObjLocker::Guard hold(locker_);
    if (valueDestructor_)
      for (auto& [key, value] : entries_) values.push_back(value);
    entries_.clear();
  }
  // Values are destroyed outside the lock: their destruction may reach other locked objects.
  for (void* v : values)
    if (v) valueDestructor_->destroy(v);
}

void Map::forEach(const std::function<void(int64_t, void*)>& visit) {
  thread::ObjLocker::Guard hold(locker_);
  for (auto& [key, value] : entries_) visit(key, value);
}

}  // namespace s::map
