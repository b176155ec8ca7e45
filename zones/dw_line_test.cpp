#include "zones/dw_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass/listing_line.h"

namespace tessarin {
namespace {

std::string Line(int address, std::string_view word, std::string_view label = "") {
  return WordLine(address, word, label, "NOP");
}

std::string Blanks(size_t n) { return std::string(n, ' '); }

TEST(DwText, CommentShowsLowBytesAbove31) {
  struct Row {
    std::string low_byte;
    char shown;
  };
  const std::vector<Row> rows = {
      {"00", '.'}, {"1F", '.'}, {"20", ' '},    {"41", 'A'},
      {"7F", '\x7F'}, {"80", '\x80'}, {"FF", '\xFF'}, {"ff", '\xFF'},
  };
  for (const Row& row : rows) {
    // The high byte 34 ("4") shows nowhere: columns 13-14 are blanked.
    const std::string word = "34" + row.low_byte;
    const std::string line = DwText(Line(0x20, word)).Finish();
    EXPECT_EQ(line, "0020  " + word + Blanks(11) + "\tDW   0x" + word + Blanks(49) + "; " +
                        row.shown)
        << word;
  }
}

TEST(IsDwLine, OnlyDwLinesOfThisKind) {
  struct Row {
    std::string line;
    bool dw;
  };
  const std::vector<Row> rows = {
      {DwText(Line(0x0004, "3448")).Finish(), true},
      {"00a4  3448           \tDW   0x3448", true},

      // The decoder's fallback for words that are no instruction.
      {WordLine(4, "FFFF", "", "DW\t0xFFFF"), false},
      {Line(4, "3448"), false},
      {"                W0010\tEQU\t0x10", false},
      {"                     \tDW   0x3448", false},
      {"0G04  3448           \tDW   0x3448", false},
      {"0004  3448           \tDW  0x3448", false},
      {"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsDwLine(row.line), row.dw) << row.line;
}

TEST(DwWords, ReadsTheWordsByTheirColumns) {
  using Words = std::vector<std::string>;
  struct Row {
    std::string line;
    Words words;
  };
  DwText eight(Line(0, "3400"));
  // Low bytes 2C, 30, 78 make the comment end in ",0x".
  for (std::string_view word : {"3401", "3402", "3403", "3404", "342C", "3430", "3478"}) {
    eight.AddWord(Line(0, word));
  }
  const std::vector<Row> rows = {
      {"0004  3448           \tDW   0x3448,0x3469,0x3400" + Blanks(35) + "; Hi.",
       {"3448", "3469", "3400"}},
      {std::move(eight).Finish(),
       {"3400", "3401", "3402", "3403", "3404", "342C", "3430", "3478"}},
      {"0004  3448           \tDW   0x  AB,0x", {"  AB", ""}},
      {"0004  3448           \tDW   0x34", {"34"}},
      {"0004  3448           \tDW   3448", {}},
  };
  for (const Row& row : rows) EXPECT_EQ(DwWords(row.line), row.words) << row.line;
}

}  // namespace
}  // namespace tessarin
