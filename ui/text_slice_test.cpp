#include "ui/text_slice.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(TextSlice, MidNeverReadsOutsideTheText) {
  struct Case {
    std::string_view text;
    int start, length;
    std::string_view expected;
  };
  const Case cases[] = {
      // clang-format off
      {"ABCDEF", 1, 2, "AB"},  {"ABCDEF", 5, 4, "EF"}, {"ABCDEF", 7, 1, ""},
      {"ABCDEF", 0, 2, "A"},   {"ABCDEF", -3, 5, "A"}, {"ABCDEF", 2, 0, ""},
      {"", 1, 4, ""},          {"AB", 2, -1, ""},      {"ABCDEF", 2, 2147483647, "BCDEF"},
      // clang-format on
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Mid(c.text, c.start, c.length), c.expected)
        << c.text << " " << c.start << " " << c.length;
  }
  EXPECT_EQ(MidFrom("ABC", 2), "BC");
  EXPECT_EQ(MidFrom("ABC", 4), "");
  EXPECT_EQ(CharAt("AB", 2), 'B');
  EXPECT_EQ(CharAt("AB", 3), '\0');
  EXPECT_EQ(CharAt("AB", 0), '\0');
}

}  // namespace
}  // namespace tessarin
