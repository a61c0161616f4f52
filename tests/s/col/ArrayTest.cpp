#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "s/col/_array/ArrayP.h"
#include "s/col/_array/ArrayS08.h"
#include "s/col/_array/ArrayS32.h"
#include "s/col/_array/ArrayS64.h"
#include "s/col/_array/ArrayU08.h"
#include "s/col/_array/ArrayU32.h"
#include "s/comp/Comparators.h"
#include "s/file/FileInputStream.h"
#include "s/map/Map.h"
#include "s/map/MapTable.h"
#include "s/str/Stringer.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/EasyPooler.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/win/Thread.h"

namespace {

using s::col::_array::ArrayBase;
using s::col::_array::ArrayS32;
using s::col::_array::ArrayU08;

TEST(Array, GrowthRule) {
  struct Case {
    std::size_t from, to;
  } cases[] = {{0, 100},          {99, 100},          {100, 300},
               {9'999'999, 29'999'997}, {10'000'000, 20'000'000}, {49'999'999, 99'999'998},
               {50'000'000, 75'000'000}, {99'999'999, 149'999'998}, {100'000'000, 120'000'000}};
  for (const Case& c : cases) EXPECT_EQ(ArrayBase::grownCapacity(c.from), c.to) << c.from;
}

TEST(Array, InsertionGrowsByTheRuleExplicitSizingAllocatesExactly) {
  ArrayS32 a;
  a.ensureCapacity(99);
  EXPECT_EQ(a.capacity(), 99u);
  for (int i = 0; i < 99; ++i) a.append(i);
  EXPECT_EQ(a.capacity(), 99u);
  a.append(99);
  EXPECT_EQ(a.capacity(), 100u);
  a.append(100);
  EXPECT_EQ(a.capacity(), 300u);
  for (int i = 0; i <= 100; ++i) ASSERT_EQ(a.get(i), i);

  a.setSize(1234);
  EXPECT_EQ(a.capacity(), 1234u);
  EXPECT_EQ(a.get(100), 100);  // growing keeps what was there
  a.setSize(10);
  EXPECT_EQ(a.capacity(), 1234u);

  // An insertion far beyond the next step gets at least what it needs.
  ArrayU08 b;
  std::string big(500, 'x');
  b.appendRaw(big.data(), big.size());
  EXPECT_EQ(b.size(), 500u);
  EXPECT_GE(b.capacity(), 500u);
}

TEST(Array, InsertRemoveAndCopyRanges) {
  ArrayS32 a;
  for (int v : {1, 2, 3, 4, 5}) a.append(v);
  a.insert(0, 0);
  a.insert(6, 6);
  a.removeAt(2, 2);  // drops 2 and 3
  EXPECT_EQ(std::vector<int>(a.begin(), a.end()), (std::vector<int>{0, 1, 4, 5, 6}));
  EXPECT_FALSE(a.removeAt(4, 2));
  EXPECT_FALSE(a.insert(9, 1));

  ArrayS32 b;
  b.copyFrom(a, 2);  // -1: to the end
  EXPECT_EQ(std::vector<int>(b.begin(), b.end()), (std::vector<int>{4, 5, 6}));
  b.copyFrom(a, 1, 2);
  EXPECT_EQ(std::vector<int>(b.begin(), b.end()), (std::vector<int>{1, 4}));
  EXPECT_FALSE(b.copyFrom(a, 4, 3));
  s::col::_array::ArrayS64 longs;
  EXPECT_FALSE(longs.copyFrom(a));

  // An array that never held anything has no storage: empty edits must not touch it.
  ArrayS32 empty;
  EXPECT_TRUE(empty.insertRaw(0, nullptr, 0));
  EXPECT_TRUE(empty.removeAt(0, 0));
  EXPECT_TRUE(empty.copyFrom(empty));
  EXPECT_EQ(empty.size(), 0u);
}

TEST(Array, SortIsStableAndSearchFindsByComparator) {
  struct Pair {
    int32_t key, tag;
  };
  // Sort 8-byte records by their key only: equal keys must keep their order.
  struct ByKey : s::comp::IComparator {
    int compare(const void* a, const void* b) const override {
      int x = static_cast<const Pair*>(a)->key, y = static_cast<const Pair*>(b)->key;
      return x < y ? -1 : x > y;
    }
  };
  s::col::_array::ArrayS64 records;
  Pair input[] = {{3, 0}, {1, 1}, {3, 2}, {2, 3}, {1, 4}, {3, 5}};
  records.appendRaw(input, 6);
  records.sort(ByKey());
  auto* sorted = reinterpret_cast<const Pair*>(records.bytes());
  int expectTags[] = {1, 4, 3, 0, 2, 5};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(sorted[i].tag, expectTags[i]);

  ArrayS32 a;
  for (int v : {5, -2, 9, 0, 9}) a.append(v);
  EXPECT_EQ(a.indexOf(9), 2);
  EXPECT_EQ(a.indexOf(7), -1);
  a.sort();
  EXPECT_EQ(std::vector<int>(a.begin(), a.end()), (std::vector<int>{-2, 0, 5, 9, 9}));
  int key = 5;
  EXPECT_EQ(a.binarySearch(&key, s::comp::CompS32::instance()), 2);
  key = 1;
  EXPECT_EQ(a.binarySearch(&key, s::comp::CompS32::instance()), -3);  // would insert at 2
}

TEST(Array, IteratorsWalkForwardBackwardAndFromAnIndex) {
  ArrayS32 a;
  for (int v : {10, 20, 30}) a.append(v);
  auto collect = [](s::col::_array::Iterator it, bool backwards) {
    std::vector<int> out;
    while (backwards ? it.hasPrevious() : it.hasNext())
      out.push_back(*static_cast<const int*>(backwards ? it.previous() : it.next()));
    return out;
  };
  EXPECT_EQ(collect(a.iteratorFromStart(), false), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(collect(a.iteratorFromEnd(), true), (std::vector<int>{30, 20, 10}));
  EXPECT_EQ(collect(a.iteratorAt(1), false), (std::vector<int>{20, 30}));
  EXPECT_EQ(collect(a.reversed(), false), (std::vector<int>{30, 20, 10}));
  ArrayS32 empty;
  EXPECT_FALSE(empty.iteratorFromStart().hasNext());
  EXPECT_FALSE(empty.reversed().hasNext());
}

TEST(Array, ByteStreamGrowsTheArrayToCoverTheLastByte) {
  ArrayS32 a;
  const char text[] = "abcdefg";  // 7 bytes: two 4-byte elements
  EXPECT_TRUE(a.write(text, 7));
  EXPECT_EQ(a.size(), 2u);
  EXPECT_EQ(a.getSize(), 8);
  EXPECT_TRUE(a.seek(2));
  EXPECT_TRUE(a.write("XY", 2));
  EXPECT_EQ(a.size(), 2u);
  a.seek(0);
  char back[16] = {};
  uint32_t got = 0;
  EXPECT_TRUE(a.read(back, sizeof back, &got));
  EXPECT_EQ(got, 8u);
  EXPECT_EQ(std::string(back, 7), "abXYefg");
  EXPECT_EQ(back[7], 0);  // the padding of the last element is cleared, not garbage
  EXPECT_FALSE(a.read(back, sizeof back, &got));
  EXPECT_EQ(got, 0u);
  EXPECT_FALSE(a.seek(9));
}

TEST(ObjectModel, TypeNamesFollowTheNamespacePath) {
  auto name = [](s::base::IObject* o) {
    std::u16string n = o->typeName();
    return n;
  };
  s::col::_array::ArrayP p;
  s::col::_array::ArrayS08 s08;
  ArrayU08 u08;
  ArrayS32 s32;
  s::col::_array::ArrayU32 u32;
  s::col::_array::ArrayS64 s64;
  s::str::strbuffer::StrBuffer str;
  s::str::strarray::StrArray strs;
  s::str::Stringer stringer;
  s::map::Map map;
  s::map::MapTable table;
  s::thread::ObjLocker locker;
  s::file::FileInputStream in;
  s::thread::win::Thread thread;
  struct Expect {
    s::base::IObject* object;
    const char16_t* name;
  } cases[] = {
      {&p, u"s_col__array_ArrayP"},          {&s08, u"s_col__array_ArrayS08"},
      {&u08, u"s_col__array_ArrayU08"},      {&s32, u"s_col__array_ArrayS32"},
      {&u32, u"s_col__array_ArrayU32"},      {&s64, u"s_col__array_ArrayS64"},
      {&str, u"s_str_strbuffer_StrBuffer"},  {&strs, u"s_str_strarray_StrArray"},
      {&stringer, u"s_str_Stringer"},        {&map, u"s_map_Map"},
      {&table, u"s_map_MapTable"},           {&locker, u"s_thread_ObjLocker"},
      {&in, u"s_file_FileInputStream"},      {&thread, u"s_thread_win_Thread"},
  };
  for (const Expect& e : cases) {
    EXPECT_EQ(name(e.object), e.name);
    // A new instance is of the same class.
    s::base::IObject* fresh = e.object->newInstance();
    EXPECT_EQ(fresh->classIdentity(), e.object->classIdentity());
    if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(fresh))
      poolable->release();
    else
      delete fresh;
  }
}

}  // namespace
