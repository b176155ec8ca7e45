#include "pass/line_store.h"

#include <gtest/gtest.h>

#include <string>

namespace tessarin {
namespace {

TEST(LineStore, LinesAreCutOrExtendedTo255) {
  SharedState state;
  ASSERT_TRUE(StoreLine(state, 0, ":00000001FF").ok());
  ASSERT_TRUE(StoreLine(state, 1, std::string(300, 'A')).ok());
  ASSERT_TRUE(StoreLine(state, 2, "").ok());
  EXPECT_EQ(*ReadSlot(state, 0), ":00000001FF" + std::string(244, ' '));
  EXPECT_EQ(*ReadSlot(state, 1), std::string(255, 'A'));
  EXPECT_EQ(*ReadSlot(state, 2), std::string(255, ' '));
}

TEST(LineStore, SlotsOutsideTheStore) {
  SharedState state;
  EXPECT_EQ(ReadSlot(state, 0), std::string_view());  // never filled
  ASSERT_TRUE(StoreLine(state, 10000, "x").ok());
  EXPECT_FALSE(StoreLine(state, 10001, "x").ok());
  EXPECT_FALSE(StoreLine(state, -1, "x").ok());
  EXPECT_EQ(ReadSlot(state, 9999), std::string_view());  // skipped over
  EXPECT_EQ(ReadSlot(state, 10000)->size(), 255u);
  EXPECT_FALSE(ReadSlot(state, 10001).has_value());
  EXPECT_FALSE(ReadSlot(state, -1).has_value());

  state.HexLineCount = 7;
  ResetLineStore(state);
  EXPECT_EQ(ReadSlot(state, 10000), std::string_view());
  EXPECT_EQ(state.HexLineCount, 7);
}

}  // namespace
}  // namespace tessarin
