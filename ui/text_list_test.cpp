#include "ui/text_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessarin {
namespace {

std::vector<std::string> Contents(const TextList& list) {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Item(i));
  return out;
}

TEST(TextList, UnsortedKeepsOrderOfAddition) {
  TextList list;
  list.Add("b");
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"b", "a", "b"}));
}

TEST(TextList, SortedInsertsAtPlace) {
  struct Case {
    std::vector<std::string> added;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"W0805", "W0005", "X0805"}, {"W0005", "W0805", "X0805"}},
      {{"0100 0120", "0001 00F2"}, {"0001 00F2", "0100 0120"}},
      // Blank before digits before letters; the empty text first.
      {{"A", "1", " ", ""}, {"", " ", "1", "A"}},
      // Letters compare without regard to case.
      {{"b", "A", "C"}, {"A", "b", "C"}},
      // Bytes above 0x7F sort after every ASCII character.
      {{"\xE9", "z", "0"}, {"0", "z", "\xE9"}},
  };
  for (const Case& c : cases) {
    TextList list(true);
    for (const std::string& text : c.added) list.Add(text);
    EXPECT_EQ(Contents(list), c.expected);
  }
}

TEST(TextList, EqualItemsStandTogetherInOrderOfArrival) {
  TextList list(true);
  for (const char* text : {"w0005", "W0006", "W0005", "w0005", "W0004"}) list.Add(text);
  EXPECT_EQ(Contents(list),
            (std::vector<std::string>{"W0004", "w0005", "W0005", "w0005", "W0006"}));
}

TEST(TextList, AdditionsBetweenReadsMergeLikeSingleInsertions) {
  // Runs of additions between reads must give the same order as one
  // insertion at a time, whatever the batching does inside; during a run the
  // list reads as before it.
  TextList batched(true);
  std::vector<std::string> expected;
  unsigned seed = 7;
  for (int round = 0; round < 50; ++round) {
    const std::vector<std::string> before = Contents(batched);
    {
      const TextList::AdditionRun run(batched);
      for (int k = 0; k < round % 7; ++k) {
        seed = seed * 1103515245u + 12345u;
        std::string text(1, "aAbB0 "[seed % 6]);
        text += "xyXY"[(seed >> 8) % 4];
        batched.Add(text);
        auto place = std::upper_bound(expected.begin(), expected.end(), text, TextLess);
        expected.insert(place, text);
      }
      ASSERT_EQ(Contents(batched), before) << "round " << round;
    }
    ASSERT_EQ(Contents(batched), expected) << "round " << round;
  }
}

TEST(TextList, OutOfRangeReadsGiveEmptyText) {
  TextList list;
  EXPECT_EQ(list.Item(0), "");
  EXPECT_EQ(list.Item(list.Count()), "");
  list.Add("x");
  EXPECT_EQ(list.Item(-1), "");
  EXPECT_EQ(list.Item(1), "");
  EXPECT_EQ(list.Item(0), "x");
}

TEST(TextList, ReplaceAndRemove) {
  TextList list;
  for (const char* text : {"a", "b", "c"}) list.Add(text);
  list.Replace(1, "B");
  list.Replace(3, "ignored");
  list.Remove(0);
  list.Remove(-1);
  list.Remove(5);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"B", "c"}));
}

TEST(TextList, SelectionFollowsItsItem) {
  TextList list(true);
  for (const char* text : {"B", "D"}) list.Add(text);
  list.Select(1);  // "D"
  list.Add("A");
  EXPECT_EQ(list.Item(list.SelectedIndex()), "D");
  list.Add("E");
  EXPECT_EQ(list.Item(list.SelectedIndex()), "D");
  list.Remove(0);
  EXPECT_EQ(list.Item(list.SelectedIndex()), "D");
  list.Remove(list.SelectedIndex());
  EXPECT_EQ(list.SelectedIndex(), -1);

  list.Select(7);
  EXPECT_EQ(list.SelectedIndex(), -1);
  list.Select(0);
  list.Clear();
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace tessarin
