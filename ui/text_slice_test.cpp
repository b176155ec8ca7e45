#include "ui/text_slice.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

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

// Every 16-bit value is written as printf writes "%04X", and read back from
// that text; the text with its letters in lower case reads back only through
// the reader that takes either case.
TEST(TextSlice, FourHexDigitsWriteAndReadEveryValue) {
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "%04X", value);
    const std::string text = FourHexDigits(value);
    ASSERT_EQ(text, expected);
    ASSERT_EQ(ReadFourUpperHexDigits(text), value) << text;
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_EQ(ReadFourHexDigits(lower), value) << lower;
    if (lower != text) {
      ASSERT_EQ(ReadFourUpperHexDigits(lower), std::nullopt) << lower;
    }
  }
  EXPECT_EQ(FourHexDigits(0x12345), "2345");
  for (std::string_view text : {"", "3FF", "3FFFF", "3FG0", " 3FF", "3F:0"}) {
    EXPECT_EQ(ReadFourUpperHexDigits(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace tessarin
