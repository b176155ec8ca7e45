#include "files/hex_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass/line_store.h"

namespace tessarin {
namespace {

TEST(SplitLines, EveryLineEnding) {
  using Lines = std::vector<std::string_view>;
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb\r\n\r\n", {"a", "", "b", ""}},
      {"\n", {""}},
      {"a\n\rb", {"a", "", "b"}},
      {std::string("a\0b\n", 4), {std::string_view("a\0b", 3)}},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(SplitLines(text), lines) << text;
}

TEST(FillLineStore, CountsLinesAndRefusesTooMany) {
  SharedState state;
  ASSERT_TRUE(FillLineStore(state, ":00000001FF\n").ok());
  EXPECT_EQ(state.HexLineCount, 0);
  ASSERT_TRUE(FillLineStore(state, "").ok());
  EXPECT_EQ(state.HexLineCount, -1);
  EXPECT_EQ(ReadSlot(state, 0), std::string_view());  // the old line is gone

  std::string text;
  for (int i = 0; i < kHexLineSlots; ++i) text += ":00000001FF\r\n";
  ASSERT_TRUE(FillLineStore(state, text).ok());
  EXPECT_EQ(state.HexLineCount, 10000);
  text += "x\r\ny\r\n";
  EXPECT_FALSE(FillLineStore(state, text).ok());
  EXPECT_EQ(state.HexLineCount, 10002);
}

TEST(FillLineStore, CountStaysWithinSixteenBits) {
  SharedState state;
  EXPECT_FALSE(FillLineStore(state, std::string(40000, '\n')).ok());
  EXPECT_EQ(state.HexLineCount, 32767);
}

}  // namespace
}  // namespace tessarin
