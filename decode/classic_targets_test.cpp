#include "decode/classic_targets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace tessarin {
namespace {

// The branch words of a case, each at a word address.
struct Word {
  std::string text;
  int16_t address;
};

// What the sorted list itself makes of the labels: the order the targets
// must come in, fast path or not.
std::vector<std::string> SortedByTheList(const std::vector<Word>& words,
                                         const std::vector<std::string>& before) {
  TextList list(true);
  for (const std::string& item : before) list.Add(item);
  {
    const TextList::AdditionRun run(list);
    for (const Word& word : words) {
      if (const auto label = FindClassicLabel(word.text, word.address)) {
        list.Add(std::string(label->Name()));
      }
    }
  }
  return list.TakeDistinctItems();
}

std::vector<std::string> SortedByTargets(const std::vector<Word>& words,
                                         const std::vector<std::string>& before) {
  TextList list(true);
  for (const std::string& item : before) list.Add(item);
  ClassicTargets targets;
  for (const Word& word : words) {
    if (const auto label = FindClassicLabel(word.text, word.address)) targets.Add(*label);
  }
  std::vector<std::string> sorted = std::move(targets).TakeDistinct(list);
  EXPECT_EQ(list.Count(), 0);
  return sorted;
}

// Random CALL and GOTO words over every page, a quarter of them twice.
std::vector<Word> RandomBranches(std::mt19937& random, int count) {
  std::vector<Word> words;
  for (int k = 0; k < count; ++k) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", 0x2000 | static_cast<unsigned>(random() & 0xFFF));
    words.push_back({text, static_cast<int16_t>(random() % 0x2000)});
    if (random() % 4 == 0) words.push_back(words[random() % words.size()]);
  }
  return words;
}

TEST(ClassicTargets, GiveTheOrderOfTheSortedList) {
  struct Case {
    const char* name;
    std::vector<Word> extra;          // words besides the random ones
    std::vector<std::string> before;  // items the list holds already
  };
  const Case cases[] = {
      {"own labels only", {}, {}},
      {"lower-case digits on the first page", {{"28ab", 0x0010}, {"28AB", 0x0011}}, {}},
      {"a word cut short", {{"2", 0x0000}, {"28", 0x0001}}, {}},
      {"a list with labels left from before", {}, {"W0005", "w0123", "Z1FFF"}},
  };
  std::mt19937 random(21);
  for (const Case& c : cases) {
    for (int round = 0; round < 20; ++round) {
      std::vector<Word> words = RandomBranches(random, 1 + round * 40);
      words.insert(words.begin() + static_cast<long>(random() % words.size()), c.extra.begin(),
                   c.extra.end());
      ASSERT_EQ(SortedByTargets(words, c.before), SortedByTheList(words, c.before)) << c.name;
    }
  }
}

}  // namespace
}  // namespace tessarin
