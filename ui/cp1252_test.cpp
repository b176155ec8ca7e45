#include "ui/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace tessarin {
namespace {

TEST(Cp1252, BytesToUtf8) {
  struct Case {
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {"W0005\tGOTO", "W0005\tGOTO"},
      {"\xE9t\xE9", "été"},
      {"\x80", "€"},
      {"\x9F", "Ÿ"},
      {"\x85", "…"},
      {"\xA0", "\u00A0"},
      {"\xFF", "ÿ"},
      // Undefined in the code page: the control character of that value.
      {"\x81", "\u0081"},
      {std::string(1, '\0'), std::string(1, '\0')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.bytes), c.utf8) << c.utf8;
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.bytes) << c.utf8;
  }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << byte;
    EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(byte))),
              static_cast<char>(byte))
        << byte;
  }
}

TEST(Cp1252, WhatTheCodePageLacksBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCp1252("Ω"), "?");
  EXPECT_EQ(Utf8ToCp1252("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("\u0080"), "?");  // a C1 control the code page replaced by €
}

TEST(Cp1252, MalformedUtf8BecomesOneQuestionMarkPerByte) {
  EXPECT_EQ(Utf8ToCp1252("a\xE9z"), "a?z");        // a lone Latin-1 byte
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");            // cut short at the end
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");       // overlong
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");  // a surrogate
}

}  // namespace
}  // namespace tessarin
