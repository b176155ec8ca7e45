#include "flow/flow_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace tessarin {
namespace {

ByteSet JoinAll(const std::vector<unsigned>& values) {
  ByteSet set;
  for (const unsigned value : values) set.Join(ByteSet::Only(value));
  return set;
}

// Up to three values in any order of arrival; a fourth makes any value.
TEST(ByteSet, HoldsThreeValuesInAnyOrder) {
  std::array<unsigned, 3> values{3, 17, 30};
  do {
    const ByteSet set = JoinAll({values.begin(), values.end()});
    EXPECT_EQ(set.Field(0, 31), (1u << 3) | (1u << 17) | (1u << 30));
    EXPECT_EQ(set, JoinAll({3, 17, 30}));
    EXPECT_FALSE(set.IsAny());
    EXPECT_EQ(set.Single(), std::nullopt);
  } while (std::next_permutation(values.begin(), values.end()));
  EXPECT_TRUE(JoinAll({3, 17, 30, 4}).IsAny());
  EXPECT_EQ(JoinAll({0x45, 0x45}).Single(), 0x45u);
}

TEST(ByteSet, JoinTellsWhetherTheSetGrew) {
  ByteSet set = ByteSet::Only(5);
  EXPECT_FALSE(set.Join(ByteSet::Only(5)));
  EXPECT_FALSE(set.Join(ByteSet()));
  EXPECT_TRUE(set.Join(ByteSet::Only(6)));
  EXPECT_TRUE(set.Join(ByteSet::Any()));
  EXPECT_TRUE(set.IsAny());
  EXPECT_FALSE(set.Join(ByteSet::Only(7)));
  EXPECT_FALSE(set.Join(ByteSet::Any()));
}

// The bank bits of STATUS (6:5) of W 0x60 or 0xA0 (banks 3 and 1), bit 1 set in 0x05 and
// 0x40, and every value of the page bits (6:3) of any W.
TEST(ByteSet, FieldsAndBits) {
  EXPECT_EQ(JoinAll({0x60, 0xA0}).Field(5, 3), 0b1010u);
  EXPECT_EQ(JoinAll({0x05, 0x40}).WithBit(1, true), JoinAll({0x07, 0x42}));
  EXPECT_EQ(ByteSet::Only(0x07).WithBit(0, false), ByteSet::Only(0x06));
  EXPECT_EQ(ByteSet::Any().Field(3, 15), 0xFFFFu);
  EXPECT_EQ(ByteSet::Any().Field(5, 31), 0xFFu);
  EXPECT_TRUE(ByteSet::Any().WithBit(3, true).IsAny());
}

}  // namespace
}  // namespace tessarin
