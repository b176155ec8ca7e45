#include "files/hex_file.h"

#include <gtest/gtest.h>

#include <optional>
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

// The word addresses of a listing, each checked to be where an assembler
// puts it: right after the previous word, or at the ORG line before it.
std::vector<int> PlacedWordAddresses(const TextList& listing) {
  std::vector<int> addresses;
  int next = 0;
  for (int i = 0; i < listing.Count(); ++i) {
    const ListingLine line(listing.Item(i));
    // After the address area: TAB, "ORG", TAB, "0x" and the address.
    const std::string_view org = line.WithoutAddressArea();
    if (line.Kind(i) == LineKind::kOrg) next = std::stoi(std::string(org.substr(5)), nullptr, 16);
    if (line.Kind(i) != LineKind::kWord) continue;
    EXPECT_EQ(line.Address(), next) << listing.Item(i);
    addresses.push_back(next = line.Address());
    ++next;
  }
  return addresses;
}

TEST(ReadingHexText, EveryWordAtItsAddressOrAFailure) {
  using testing::Record;
  const std::string example(testing::kWorkedExampleHex);
  const std::string word = testing::WordRecord(0, {0x0008});
  const PassFailure beyond{PassFault::kBeyondChip, 1};
  std::string too_many_lines;
  for (int i = 0; i < 3 * kHexLineSlots; ++i) too_many_lines += ":00000001FF\n";
  struct Case {
    std::vector<std::string> lines;
    std::vector<int> addresses;
    std::optional<PassFailure> failure;
  };
  const Case cases[] = {
      {{example}, {0, 1, 2, 3}, {}},
      {{":03000000032000DA", ":0400040000000800F0", ":00000001FF"}, {0, 2, 3}, {}},  // odd count

      {{Record(0, 4, {0, 1}), word}, {}, beyond},
      {{Record(0, 2, {0x00, 0x10}), word}, {0x80}, {}},
      {{Record(0, 2, {0x10, 0x00}), word}, {}, beyond},
      {{Record(0, 2, {0x0F, 0xFF}), Record(16, 0, {0, 0})},
       {},
       PassFailure{PassFault::kBeyondChip, 2}},
      // The end record is no data: the segment base leaves it alone.
      {{Record(0, 2, {0x0F, 0xFF}), Record(16, 1, {})}, {}, {}},

      {{Record(0, 0x14, {0, 0, 0, 0}), testing::WordRecord(2, {0})}, {0, 1, 2}, {}},
      {{Record(0, 0x22, {0, 0}), Record(0, 3, {0, 0, 0, 0}), Record(0, 5, {0, 0, 0, 0})}, {0}, {}},

      {{"\xEF\xBB\xBF" + example}, {0, 1, 2, 3}, {}},
      {{"  \t" + example}, {0, 1, 2, 3}, {}},

      {{too_many_lines}, {}, PassFailure{PassFault::kTooManyLines, 10002}},
      {{std::string(kMaxInputBytes + 1, ':')}, {}, PassFailure{PassFault::kFileTooBig, 0}},
  };
  testing::TempFolder temp;
  const std::filesystem::path path = temp.path() / "prog.hex";
  for (const Case& c : cases) {
    std::string file;
    for (const std::string& line : c.lines) file += line + "\n";
    ASSERT_TRUE(WriteFileAtomically(path, file).ok());
    const Result<std::string> text = ReadHexFile(path);
    ASSERT_TRUE(text.ok());
    SharedState state;
    testing::CountingYield yield;
    testing::FixedClock clock;
    (void)FillLineStore(state, *text);
    const PassStatus pass = Assembler(state, yield, clock);
    EXPECT_EQ(pass.ok() ? std::nullopt : std::optional(pass.failure()), c.failure)
        << file.substr(0, 80);
    EXPECT_EQ(PlacedWordAddresses(state.List1), c.addresses) << file.substr(0, 80);
    // Reading stops as soon as the text cannot be a HEX file.
    const bool too_many = c.failure && c.failure->fault == PassFault::kTooManyLines;
    EXPECT_EQ(*text == file.substr(0, kMaxInputBytes + 1), !too_many);
  }
  EXPECT_EQ(ReadHexFile("/dev/zero")->size(), kMaxInputBytes + 1);
}

}  // namespace
}  // namespace tessarin
