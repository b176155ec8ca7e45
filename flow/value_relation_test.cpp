#include "flow/value_relation.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

namespace tessarin {
namespace {

// The relation as every pair it holds: row e, the values now for entry e.
struct Pairs {
  std::array<ValueSet, 32> rows{};

  static Pairs Identity(ValueSet values) {
    Pairs pairs;
    for (size_t e = 0; e < 32; ++e) pairs.rows[e] = values & (ValueSet{1} << e);
    return pairs;
  }
  ValueSet Apply(ValueSet entries) const {
    ValueSet values = 0;
    for (size_t e = 0; e < 32; ++e) values |= (entries >> e & 1) != 0 ? rows[e] : 0;
    return values;
  }
  template <typename Change>
  Pairs Map(Change change) const {
    Pairs pairs;
    for (size_t e = 0; e < 32; ++e) pairs.rows[e] = rows[e] != 0 ? change(rows[e]) : 0;
    return pairs;
  }
};

// A random set of `values` values (`all` holds them all): one value, a
// few, any mix or all of them, so that wide and narrow rows alike come up.
ValueSet SomeSet(std::mt19937& random, int values, ValueSet all) {
  const auto bits = static_cast<ValueSet>(random());
  const auto one = ValueSet{1} << (random() % static_cast<unsigned>(values));
  switch (random() % 4) {
    case 0:
      return one;
    case 1:
      return one | (ValueSet{1} << (random() % static_cast<unsigned>(values)));
    case 2:
      return all;
    default:
      return bits & all;
  }
}

// Random relations built both ways from `values` values: the relation must
// hold every pair the model holds, and exactly those while the entries stay
// within four values (every bank and page of the mid-range core).
void CompareWithPairs(int values, bool exact) {
  std::mt19937 random(static_cast<uint32_t>(values));
  const ValueSet all = values == 32 ? ~ValueSet{0} : (ValueSet{1} << values) - 1;
  const auto some = [&] { return SomeSet(random, values, all); };
  for (int round = 0; round < 2000; ++round) {
    ValueRelation relation;
    Pairs model;
    ValueRelation callee = ValueRelation::Identity(some()).SetTo(some());
    Pairs callee_model =
        Pairs::Identity(callee.Domain()).Map([&](ValueSet) { return callee.Image(); });
    for (int step = 0; step < 6; ++step) {
      const ValueSet set = some();
      const int bit = static_cast<int>(random() % 5) % (values == 4 ? 2 : 5);
      switch (random() % 5) {
        case 0:
          relation.Join(ValueRelation::Identity(set));
          for (size_t e = 0; e < 32; ++e) model.rows[e] |= Pairs::Identity(set).rows[e];
          break;
        case 1:
          relation = relation.SetTo(set);
          model = model.Map([&](ValueSet) { return set; });
          if (set == 0) model = {};
          break;
        case 2:
          relation = relation.WithBit(bit, (set & 1) != 0);
          model = model.Map([&](ValueSet row) { return ForceBit(row, bit, (set & 1) != 0); });
          break;
        case 3:
          relation = relation.Then(callee);
          model = model.Map([&](ValueSet row) { return callee_model.Apply(row); });
          break;
        default:
          callee.Join(ValueRelation::Identity(set).WithBit(bit, true));
          for (size_t e = 0; e < 32; ++e) {
            if (set >> e & 1) callee_model.rows[e] |= ForceBit(ValueSet{1} << e, bit, true);
          }
          break;
      }
      for (size_t e = 0; e < static_cast<size_t>(values); ++e) {
        const ValueSet row = relation.Apply(ValueSet{1} << e);
        if (exact) {
          ASSERT_EQ(row, model.rows[e]) << "round " << round << " step " << step << " entry " << e;
        } else {
          ASSERT_EQ(row & model.rows[e], model.rows[e]) << "round " << round << " entry " << e;
        }
      }
      ASSERT_EQ(relation.Image() & model.Apply(all), model.Apply(all));
    }
  }
}

TEST(ValueRelation, ExactUpToFourValues) { CompareWithPairs(4, true); }

TEST(ValueRelation, NeverDropsAPairOf32Values) { CompareWithPairs(32, false); }

// The wide form keeps what matters most: entries that nothing touched stay
// themselves through a callee that leaves them alone, and a value set on
// every entry is that value.
TEST(ValueRelation, WideFormKeepsUntouchedEntriesAndSetValues) {
  const ValueRelation any = ValueRelation::Identity(~ValueSet{0});
  ValueRelation caller = ValueRelation::Identity(0x30);
  caller.Join(any);
  EXPECT_EQ(caller.Apply(0x10), 0x10u);
  EXPECT_EQ(any.Then(any).Apply(0x40000), 0x40000u);
  EXPECT_EQ(any.Then(any.SetTo(0x8)).Apply(0x40000), 0x8u);
  EXPECT_EQ(any.SetTo(0x8).Image(), 0x8u);
  EXPECT_EQ(any.WithBit(0, true).Apply(0x2), 0x2u);
  EXPECT_EQ(any.WithBit(4, false).Image(), 0x0000FFFFu);
  EXPECT_EQ(any.SetTo(0x8).Then(ValueRelation::Identity(0x8).SetTo(0x1)).Image(), 0x1u);
  EXPECT_TRUE(any.Then(ValueRelation::Identity(0x8).SetTo(0x1)).Apply(0x4) == 0);
  EXPECT_FALSE(caller.Join(ValueRelation::Identity(0x10)));
  ValueRelation nothing;
  EXPECT_TRUE(nothing.Join(ValueRelation::Identity(0x10)));
  EXPECT_EQ(any.Then(ValueRelation::Identity(0x8)).Apply(0x8), 0x8u);

  // Five entries from 1 up: no pair for entry 0 appears on the way.
  const ValueRelation five = ValueRelation::Identity(0x3E);
  EXPECT_EQ(five.Image(), 0x3Eu);
  EXPECT_EQ(five.WithBit(0, true).Apply(0x4), 0x28u);  // 2 and 4 share 3 and 5
  EXPECT_EQ(five.WithBit(0, true).Image(), 0x2Au);
  ValueRelation grown = five;
  EXPECT_TRUE(grown.Join(ValueRelation::Identity(0x40)));
  EXPECT_EQ(grown.Domain(), 0x7Eu);
  EXPECT_TRUE(grown.Join(ValueRelation::Identity(0x80).SetTo(0x2)));
  EXPECT_EQ(grown.Domain(), 0xFEu);
  EXPECT_EQ(grown.Apply(0x80), 0x2u);
  EXPECT_EQ(grown.Apply(0x1), 0u);
}

}  // namespace
}  // namespace tessarin
