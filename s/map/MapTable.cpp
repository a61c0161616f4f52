#include "s/map/MapTable.h"

#include <vector>

#include "s/thread/EasyPooler.h"

namespace s::map {

MapTable* MapTable::create(std::size_t sizeHint) {
  MapTable* m = thread::PoolOf<MapTable>::acquire();
  if (sizeHint) m->entries_.reserve(sizeHint);
  return m;
}

void MapTable::release() { thread::PoolOf<MapTable>::release(this); }

MapTable::MapTable(std::size_t sizeHint) {
  if (sizeHint) entries_.reserve(sizeHint);
}

MapTable::~MapTable() { clear(); }

void MapTable::reset() {
  clear();
  valueDestructor_ = nullptr;
}

void MapTable::put(std::u16string_view key, void* value) {
  void* replaced = nullptr;
  {
    thread::ObjLocker::Guard hold(locker_);
    auto it = entries_.find(key);
    if (it == entries_.end()) {
      entries_.emplace(std::u16string(key), value);
    } else {
      replaced = it->second;
      it->second = value;
    }
  }
  if (replaced && replaced != value && valueDestructor_) valueDestructor_->destroy(replaced);
}

void* MapTable::get(std::u16string_view key, void* fallback) {
  thread::ObjLocker::Guard hold(locker_);
  auto it = entries_.find(key);
  return it == entries_.end() ? fallback : it->second;
}

bool MapTable::contains(std::u16string_view key) {
  thread::ObjLocker::Guard hold(locker_);
  return entries_.find(key) != entries_.end();
}

bool MapTable::remove(std::u16string_view key) {
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

std::size_t MapTable::size() {
  thread::ObjLocker::Guard hold(locker_);
  return entries_.size();
}

void MapTable::clear() {
  std::vector<void*> values;
  {
    thread::ObjLocker::Guard hold(locker_);
    if (valueDestructor_)
      for (auto& [key, value] : entries_) values.push_back(value);
    entries_.clear();
  }
  for (void* v : values)
    if (v) valueDestructor_->destroy(v);
}

void MapTable::forEach(const std::function<void(std::u16string_view, void*)>& visit) {
  thread::ObjLocker::Guard hold(locker_);
  for (auto& [key, value] : entries_) visit(key, value);
}

}  // namespace s::map
