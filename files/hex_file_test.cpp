#include "files/hex_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass/assembler.h"
#include "pass/line_store.h"
#include "pass/listing_line.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "testing/temp_folder.h"
#include "testing/worked_example.h"
#include "ui/file_io.h"

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

// The word addresses of a listing in order, each checked to be where an
// assembler puts that word: after the previous word, or at the ORG line
// before it. Empty, with a failure recorded, where a word is misplaced.
std::vector<int> PlacedWordAddresses(const TextList& listing) {
  std::vector<int> addresses;
  int next = 0;
  for (int i = 0; i < listing.Count(); ++i) {
    const ListingLine line(listing.Item(i));
    // After the address area: TAB, "ORG", TAB and the address after "0x".
    if (line.Kind(i) == LineKind::kOrg) {
      next = std::stoi(std::string(line.WithoutAddressArea().substr(5)), nullptr, 16);
    }
    if (line.Kind(i) != LineKind::kWord) continue;
    EXPECT_EQ(line.Address(), next) << listing.Item(i);
    addresses.push_back(line.Address());
    next = line.Address() + 1;
  }
  return addresses;
}

TEST(ReadingHexText, EveryWordAtItsAddressOrAFailure) {
  using testing::Record;
  using testing::WordRecord;
  const std::string example(testing::kWorkedExampleHex);
  const std::string word = WordRecord(0, {0x0008}) + "\n";
  std::string too_many_lines;
  for (int i = 0; i < 3 * kHexLineSlots; ++i) too_many_lines += ":00000001FF\n";
  struct Case {
    std::string text;
    std::vector<int> addresses;
    std::string failure;
  };
  const Case cases[] = {
      {example, {0, 1, 2, 3}, ""},
      // An odd byte count: the next record's first word needs its ORG line.
      {":03000000032000DA\n:0400040000000800F0\n:00000001FF\n", {0, 2, 3}, ""},
      {":0100000000FF\n" + WordRecord(1, {0, 0}), {1, 2}, ""},

      // Extended address records: a base within the chip moves the data,
      // one beyond it stops the pass.
      {Record(0, 4, {0, 0}) + "\n" + word, {0}, ""},
      {Record(0, 4, {0, 1}) + "\n" + word, {}, "line 1: address beyond the chip"},
      {Record(0, 2, {0x00, 0x10}) + "\n" + word, {0x80}, ""},
      {Record(0, 2, {0x10, 0x00}) + "\n" + word, {}, "line 1: address beyond the chip"},
      {Record(0, 2, {0x0F, 0xFF}) + "\n" + Record(0x10, 0, {0, 0}), {}, "line 2: address beyond the chip"},
      {Record(0, 2, {0x10, 0x00}) + "\n" + Record(0, 4, {0, 0}) + "\n" + word, {}, "line 1: address beyond the chip"},

      // Only types 02 to 05 are address records.
      {Record(0, 0x14, {0, 0, 0, 0}) + "\n" + WordRecord(2, {0}), {0, 1, 2}, ""},
      {Record(0, 0x22, {0, 0}) + "\n" + Record(0, 3, {0, 0, 0, 0}) + "\n" + Record(0, 5, {0, 0, 0, 0}),
       {0}, ""},

      // A byte-order mark and blanks before the start code are dropped.
      {"\xEF\xBB\xBF" + example, {0, 1, 2, 3}, ""},
      {"  \t" + example, {0, 1, 2, 3}, ""},

      // Input that no HEX file can be.
      {too_many_lines, {}, "line 10002: more than 10,001 lines"},
      {std::string(kMaxInputBytes + 1, ':'), {}, "more than 16 MB"},
  };
  testing::TempFolder temp;
  const std::filesystem::path path = temp.path() / "prog.hex";
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileAtomically(path, c.text).ok());
    const Result<std::string> text = ReadHexFile(path);
    ASSERT_TRUE(text.ok());
    SharedState state;
    testing::CountingYield yield;
    testing::FixedClock clock;
    (void)FillLineStore(state, *text);
    const Status status = Assembler(state, yield, clock);
    EXPECT_EQ(status.message(), c.failure) << c.text.substr(0, 80);
    EXPECT_EQ(PlacedWordAddresses(state.List1), c.addresses) << c.text.substr(0, 80);
    // Reading stops once the text is too long to be a HEX file.
    if (c.failure.starts_with("line 10002")) {
      EXPECT_LT(text->size(), c.text.size());
    } else {
      EXPECT_EQ(*text, c.text.substr(0, kMaxInputBytes + 1));
    }
  }
  EXPECT_EQ(ReadHexFile("/dev/zero")->size(), kMaxInputBytes + 1);
}

}  // namespace
}  // namespace tessarin
