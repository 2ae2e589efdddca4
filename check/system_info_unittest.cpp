#include "check/system_info.h"

#include <gtest/gtest.h>

namespace {

TEST(OsTypeTest, VersionTable) {
  struct Case {
    unsigned major, minor, productType;
    bool is64;
    int expected;
  };
  const Case cases[] = {
      {10, 0, 1, true, 0x20000}, {10, 0, 1, false, 0x10000}, {6, 3, 1, true, 0x8000},
      {6, 1, 1, true, 0x800},    {6, 0, 3, false, 0x100},    {6, 0, 3, true, 0x200},
      {6, 0, 2, true, 0x80},     {6, 0, 1, false, 0x40},     {5, 1, 1, true, 0x8},
      {4, 90, 1, false, 0x1},    {11, 0, 1, true, 0},        {6, 5, 1, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OsTypeFor(c.major, c.minor, c.productType, c.is64), c.expected)
        << c.major << "." << c.minor << " type " << c.productType << " 64:" << c.is64;
}

}  // namespace
