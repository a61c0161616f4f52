#include <gtest/gtest.h>

#include "s/base/IObject.h"
#include "s/comp/Comparators.h"

namespace {

struct Plain : s::base::IObject {
  int value = 0;
  const char16_t* typeName() const override { return u"s_test_Plain"; }
  IObject* newInstance() const override { return new Plain; }
};
struct Other : Plain {};

// Orders Plain objects by their value.
struct ByValue : s::comp::IComparator {
  int compare(const void* a, const void* b) const override {
    int x = static_cast<const Plain*>(static_cast<const s::base::IComparable*>(a))->value;
    int y = static_cast<const Plain*>(static_cast<const s::base::IComparable*>(b))->value;
    return x < y ? -1 : x > y;
  }
};

TEST(IComparable, IdentityOrderWithoutComparatorAndValueOrderWithOne) {
  Plain a, b;
  a.value = b.value = 7;
  EXPECT_EQ(a.compare(&a, nullptr), 0);
  EXPECT_NE(a.compare(&b, nullptr), 0);
  EXPECT_EQ(a.compare(&b, nullptr), -b.compare(&a, nullptr));
  EXPECT_FALSE(a.equals(&b, nullptr));
  ByValue byValue;
  EXPECT_TRUE(a.equals(&b, &byValue));
  EXPECT_TRUE(a.equalsByKey(&b, &byValue));
  b.value = 9;
  EXPECT_LT(a.compare(&b, &byValue), 0);
}

TEST(IComparable, ClassIdentityIsSharedByOneClassOnly) {
  Plain a, b;
  Other c;
  EXPECT_EQ(a.classIdentity(), b.classIdentity());
  EXPECT_NE(a.classIdentity(), c.classIdentity());
}

}  // namespace
