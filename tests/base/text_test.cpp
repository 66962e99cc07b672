// Letter case as the registry and the skin's INI text fold it.
#include <gtest/gtest.h>

#include "base/text.h"

namespace quillet::base {
namespace {

TEST(Text, NamesCompareAsTheRegistrySortsThem) {
  struct Case {
    const char* a;
    const char* b;
    int order;  // sign of CompareNoCase(a, b)
  } cases[] = {
      {"Software", "SOFTWARE", 0},
      {"abc", "ABD", -1},
      {"a_b", "aab", 1},     // letters fold to upper case, which sorts below "_"
      {"Z", "_", -1},
      {"key", "keys", -1},   // a name before the longer names it begins
      {"", "", 0},
      {"\xE9", "\xC9", 1},   // bytes above ASCII keep their case and their value
      {"\xFF", "a", 1},      // and compare unsigned
  };
  for (const auto& c : cases) {
    const int got = CompareNoCase(c.a, c.b);
    EXPECT_EQ((got > 0) - (got < 0), c.order) << c.a << " / " << c.b;
    EXPECT_EQ(EqualNoCase(c.a, c.b), c.order == 0) << c.a << " / " << c.b;
  }
  EXPECT_TRUE(StartsWithNoCase("dword:0000001", "DWORD:"));
  EXPECT_FALSE(StartsWithNoCase("dw", "dword:"));
  EXPECT_EQ(AsciiLower(std::string("MiXeD\xC9")), "mixed\xC9");
  EXPECT_EQ(AsciiUpper(std::string("MiXeD\xE9")), "MIXED\xE9");
}

}  // namespace
}  // namespace quillet::base
