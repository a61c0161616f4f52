#include "s/map/Map.h"

#include <gtest/gtest.h>

#include "s/map/MapTable.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::str::strbuffer::StrBuffer;

struct ReleaseString : s::base::IDestructor {
  int count = 0;
  void destroy(void* p) override {
    ++count;
    static_cast<StrBuffer*>(p)->release();
  }
};

TEST(Map, OwnedValuesAreDisposedOnReplaceRemoveAndClear) {
  ReleaseString destructor;
  int owner = 0;
  auto* m = s::map::Map::create(16, &owner);
  m->setValueDestructor(&destructor);
  EXPECT_EQ(m->owner(), &owner);
  m->put(1, StrBuffer::create(u"one"));
  m->put(2, StrBuffer::create(u"two"));
  m->put(1, StrBuffer::create(u"uno"));
  EXPECT_EQ(destructor.count, 1);
  EXPECT_EQ(static_cast<StrBuffer*>(m->get(1))->view(), u"uno");
  EXPECT_EQ(m->get(3), nullptr);
  EXPECT_TRUE(m->contains(2));
  EXPECT_TRUE(m->remove(2));
  EXPECT_FALSE(m->remove(2));
  EXPECT_EQ(destructor.count, 2);
  m->put(-5, StrBuffer::create(u"minus"));
  EXPECT_EQ(m->size(), 2u);
  m->release();  // reset disposes what is left
  EXPECT_EQ(destructor.count, 4);
}

TEST(MapTable, StringKeysAreExact) {
  ReleaseString destructor;
  auto* t = s::map::MapTable::create();
  t->setValueDestructor(&destructor);
  t->put(u"Title", StrBuffer::create(u"Song"));
  t->put(u"title", StrBuffer::create(u"other"));
  EXPECT_EQ(t->size(), 2u);
  EXPECT_EQ(static_cast<StrBuffer*>(t->get(u"Title"))->view(), u"Song");
  int visited = 0;
  t->forEach([&](std::u16string_view, void*) { ++visited; });
  EXPECT_EQ(visited, 2);
  t->release();
  EXPECT_EQ(destructor.count, 2);
}

}  // namespace
