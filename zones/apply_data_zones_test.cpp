#include "zones/apply_data_zones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "pass/assembler.h"
#include "pass/line_store.h"
#include "pass/listing_line.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "zones/remove_label.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

using testing::EndRecord;
using testing::WordRecord;
using Lines = std::vector<std::string>;

std::string Blanks(size_t n) { return std::string(n, ' '); }

const std::string kEndLine = Blanks(21) + "\tend";

// 20 words 3441 to 3454 ("A" to "T") at 0x0001, with a RETURN before and
// after: line k of the listing's body is the word at address k.
const Lines kTwentyWords = {
    WordRecord(0x0000, {0x0008, 0x3441, 0x3442, 0x3443, 0x3444, 0x3445, 0x3446, 0x3447}),
    WordRecord(0x0008, {0x3448, 0x3449, 0x344A, 0x344B, 0x344C, 0x344D, 0x344E, 0x344F}),
    WordRecord(0x0010, {0x3450, 0x3451, 0x3452, 0x3453, 0x3454, 0x0008}), EndRecord()};

// GOTO 0x0004 labels the fourth of the words "A" to "E" that follow it.
const Lines kLabelInside = {WordRecord(0x0000, {0x2804, 0x3441, 0x3442, 0x3443, 0x3444, 0x3445}),
                            EndRecord()};

class ApplyDataZonesTest : public ::testing::Test {
 protected:
  // Stores `records` and runs the pass, with no zones and no labels left
  // from before; `fresh_` keeps the listing it made.
  void Open(const Lines& records) {
    ResetLineStore(state_);
    state_.List2.Clear();
    state_.List4.Clear();
    for (size_t i = 0; i < records.size(); ++i) {
      ASSERT_TRUE(StoreLine(state_, static_cast<int>(i), records[i]).ok());
    }
    state_.HexLineCount = static_cast<int16_t>(records.size() - 1);
    Reassemble();
    fresh_ = state_.List1.Items();
  }

  void Reassemble() { ASSERT_TRUE(Assembler(state_, yield_, clock_).ok()); }

  void Zones(const Lines& zones) {
    for (const std::string& zone : zones) EnterZone(state_, zone);
  }

  // "Valider"; the work lists are empty before and after.
  std::vector<UnappliedZone> Apply() {
    EXPECT_EQ(state_.List5.Count(), 0);
    EXPECT_EQ(state_.List6.Count(), 0);
    std::vector<UnappliedZone> unapplied = ApplyDataZones(state_);
    EXPECT_EQ(state_.List5.Count(), 0);
    EXPECT_EQ(state_.List6.Count(), 0);
    return unapplied;
  }

  // The listing after its five header lines.
  Lines Body() const {
    const Lines& items = state_.List1.Items();
    return {items.begin() + std::min<std::ptrdiff_t>(5, std::ssize(items)), items.end()};
  }
  // Line `k` of the body of the fresh listing.
  const std::string& Fresh(size_t k) const { return fresh_.at(5 + k); }

  // Body lines of the fresh listing: `count` from line `first` unchanged,
  // or those words as one DW line.
  struct Piece {
    int first;
    int count;
    bool dw;
  };
  static Piece Keep(int first, int last) { return {first, last - first + 1, false}; }
  static Piece Dw(int first, int count) { return {first, count, true}; }
  Lines Expected(const std::vector<Piece>& pieces) const {
    Lines body;
    for (const Piece& piece : pieces) {
      const auto line = [&](int k) {
        return Fresh(static_cast<size_t>(piece.first) + static_cast<size_t>(k));
      };
      if (!piece.dw) {
        for (int k = 0; k < piece.count; ++k) body.push_back(line(k));
        continue;
      }
      DwText text(line(0));
      for (int k = 1; k < piece.count; ++k) text.AddWord(line(k));
      body.push_back(std::move(text).Finish());
    }
    return body;
  }

  SharedState state_;
  Lines fresh_;
  testing::CountingYield yield_;
  testing::FixedClock clock_;
};

TEST_F(ApplyDataZonesTest, ExampleLine) {
  Open({WordRecord(0, {0, 0, 0, 0, 0x3448, 0x3469, 0x3400, 0x0008}), EndRecord()});
  Zones({"0004 0006"});
  Apply();
  const std::string expected =
      "0004  3448" + Blanks(11) + "\tDW   0x3448,0x3469,0x3400" + Blanks(35) + "; Hi.";
  ASSERT_EQ(expected.size(), 87u);
  EXPECT_EQ(Body(), (Lines{Fresh(0), Fresh(1), Fresh(2), Fresh(3), expected, Fresh(7), kEndLine}));
  EXPECT_EQ(state_.List4.Items(), Lines{"0004 0006"});
}

TEST_F(ApplyDataZonesTest, EightWordsToALine) {
  Open(kTwentyWords);
  Zones({"0001 0014"});
  Apply();
  EXPECT_EQ(Body(), (Lines{
                        Fresh(0),
                        "0001  3441" + Blanks(11) +
                            "\tDW   0x3441,0x3442,0x3443,0x3444,0x3445,0x3446,0x3447,0x3448"
                            "; ABCDEFGH",
                        "0009  3449" + Blanks(11) +
                            "\tDW   0x3449,0x344A,0x344B,0x344C,0x344D,0x344E,0x344F,0x3450"
                            "; IJKLMNOP",
                        "0011  3451" + Blanks(11) + "\tDW   0x3451,0x3452,0x3453,0x3454" +
                            Blanks(28) + "; QRST",
                        Fresh(21),
                        kEndLine,
                    }));
}

TEST_F(ApplyDataZonesTest, ALabelStartsANewLine) {
  Open(kLabelInside);
  Zones({"0001 0005"});
  Apply();
  EXPECT_EQ(Body(),
            (Lines{
                Fresh(0),
                "0001  3441" + Blanks(11) + "\tDW   0x3441,0x3442,0x3443" + Blanks(35) + "; ABC",
                "0004  3444      W0004\tDW   0x3444,0x3445" + Blanks(42) + "; DE",
                kEndLine,
            }));
}

TEST_F(ApplyDataZonesTest, AZoneAcrossAnOrgGap) {
  Open({WordRecord(0x0010, {0x3441, 0x3442, 0x3443}), WordRecord(0x0020, {0x3444, 0x3445}),
        EndRecord()});
  Zones({"0011 0020"});
  Apply();
  EXPECT_EQ(Body(), (Lines{
                        "",
                        Blanks(16) + "\tORG\t0x10",
                        Fresh(2),
                        "0011  3442" + Blanks(11) + "\tDW   0x3442,0x3443" + Blanks(42) + "; BC",
                        "",
                        Blanks(16) + "\tORG\t0x20",
                        "0020  3444" + Blanks(11) + "\tDW   0x3444" + Blanks(49) + "; D",
                        Fresh(8),
                        kEndLine,
                    }));
}

// Each zone is looked for on its own: one that cannot be applied leaves its
// lines as they were, blocks no other zone and stays in the list.
TEST_F(ApplyDataZonesTest, EveryZoneOnItsOwn) {
  // A CALL to 0x0010, outside the file: an EQU line opens the body.
  const Lines call_outside = {WordRecord(0x0000, {0x2010, 0x3441, 0x3442, 0x3443}), EndRecord()};
  // Records out of address order: body "", ORG 0x10, 0010, 0011, "", ORG 0x0,
  // 0000, 0001, end.
  const Lines out_of_order = {WordRecord(0x0010, {0x3441, 0x3442}),
                              WordRecord(0x0000, {0x3443, 0x3444}), EndRecord()};
  using Unapplied = std::vector<UnappliedZone>;
  constexpr ZoneFault kStart = ZoneFault::kStartNotFound;
  constexpr ZoneFault kEnd = ZoneFault::kEndNotFound;
  constexpr ZoneFault kOverlap = ZoneFault::kOverlap;
  struct Row {
    const Lines& records;
    Lines zones;
    std::vector<Piece> body;
    Unapplied unapplied;
  };
  const std::vector<Row> rows = {
      {kTwentyWords, {}, {Keep(0, 22)}, {}},
      {kTwentyWords,
       {"0004 0004", "0001 0003", "0005 0006"},
       {Keep(0, 0), Dw(1, 3), Dw(4, 1), Dw(5, 2), Keep(7, 22)},
       {}},
      {out_of_order,
       {"0010 0011", "0000 0001"},
       {Keep(0, 1), Dw(2, 2), Keep(4, 5), Dw(6, 2), Keep(8, 8)},
       {}},
      {out_of_order, {"0011 0000"}, {Keep(0, 2), Dw(3, 1), Keep(4, 5), Dw(6, 1), Keep(7, 8)}, {}},

      // clang-format off
      // Starts that no word line has.
      {kTwentyWords, {"0016 0017"}, {Keep(0, 22)}, {{"0016 0017", kStart}}},
      {kTwentyWords, {"00 01", "0001 0003"}, {Keep(0, 0), Dw(1, 3), Keep(4, 22)}, {{"00 01", kStart}}},
      {kTwentyWords, {"000a 000c", "0010 0012"}, {Keep(0, 15), Dw(16, 3), Keep(19, 22)},
       {{"000a 000c", kStart}}},
      {kTwentyWords, {"1 F2", " 0001 0002", "", "0003 0004"}, {Keep(0, 2), Dw(3, 2), Keep(5, 22)},
       {{"", kStart}, {" 0001 0002", kStart}, {"1 F2", kStart}}},
      // Blanks in columns 1-4 are the EQU line's, not a word's.
      {call_outside, {"     0002", "0002 0003"}, {Keep(0, 2), Dw(3, 2), Keep(5, 5)},
       {{"     0002", kStart}}},

      // Ends that no word line from the start on has: every line stays.
      {kTwentyWords, {"0003 0030"}, {Keep(0, 22)}, {{"0003 0030", kEnd}}},
      {kTwentyWords, {"0006 0003", "0008 0009"}, {Keep(0, 7), Dw(8, 2), Keep(10, 22)},
       {{"0006 0003", kEnd}}},
      {kTwentyWords, {"0001", "0002 0003"}, {Keep(0, 1), Dw(2, 2), Keep(4, 22)}, {{"0001", kEnd}}},
      {call_outside, {"0001     "}, {Keep(0, 5)}, {{"0001     ", kEnd}}},
      {out_of_order, {"0011 0010"}, {Keep(0, 8)}, {{"0011 0010", kEnd}}},

      // Zones that meet one applied before them, in list order.
      {kTwentyWords, {"0001 0005", "0005 0007", "0010 0011"},
       {Keep(0, 0), Dw(1, 5), Keep(6, 15), Dw(16, 2), Keep(18, 22)}, {{"0005 0007", kOverlap}}},
      {kTwentyWords, {"0002 0003", "0001 0011"},
       {Keep(0, 0), Dw(1, 8), Dw(9, 8), Dw(17, 1), Keep(18, 22)}, {{"0002 0003", kOverlap}}},
      {out_of_order, {"0000 0001", "0011 0000"}, {Keep(0, 5), Dw(6, 2), Keep(8, 8)},
       {{"0011 0000", kOverlap}}},
      // clang-format on
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.zones));
    Open(row.records);
    for (const std::string& zone : row.zones) state_.List4.Add(zone);
    const Lines zones = state_.List4.Items();
    const std::vector<int> listed = ListedWordAddresses(state_.List1);
    EXPECT_EQ(Apply(), row.unapplied);
    EXPECT_EQ(Body(), Expected(row.body));
    EXPECT_EQ(state_.List4.Items(), zones);
    // The words listed, a DW line's each, and the zones that apply to them.
    EXPECT_EQ(ListedWordAddresses(state_.List1), listed);
    Lines applied = zones;
    std::erase_if(applied, [&](const std::string& zone) {
      return std::ranges::count(row.unapplied, zone, &UnappliedZone::zone) != 0;
    });
    EXPECT_EQ(ZonesThatApply(listed, zones), applied);
  }
  EXPECT_EQ(ZonesThatApply({0xFFFF}, {"FFFF FFFF"}), Lines{"FFFF FFFF"});
}

TEST_F(ApplyDataZonesTest, NothingToWorkOn) {
  Zones({"0010 0012"});
  Apply();  // no file opened: an empty listing
  EXPECT_EQ(state_.List1.Count(), 0);
  EXPECT_EQ(state_.List4.Items(), Lines{"0010 0012"});
}

// Lines without a word inside a zone go on as they stand, however many
// follow each other.
TEST_F(ApplyDataZonesTest, GapsInARowAndAnEndLineStayAsTheyAre) {
  // A blank line in the HEX file reads as an empty record and adds no line;
  // a record after the end record that jumps puts the end line, the empty
  // line and the ORG line in a row among the words.
  Open({WordRecord(0x0000, {0x0008, 0x3441}), "", WordRecord(0x0008, {0x3448, 0x3449}), EndRecord(),
        WordRecord(0x000C, {0x344C, 0x0008})});
  Zones({"0001 000C"});
  Apply();
  EXPECT_EQ(Body(), (Lines{
                        Fresh(0),
                        "0001  3441" + Blanks(11) + "\tDW   0x3441" + Blanks(49) + "; A",
                        "",
                        Blanks(16) + "\tORG\t0x8",
                        "0008  3448" + Blanks(11) + "\tDW   0x3448,0x3449" + Blanks(42) + "; HI",
                        kEndLine,
                        "",
                        Blanks(16) + "\tORG\t0xC",
                        "000C  344C" + Blanks(11) + "\tDW   0x344C" + Blanks(49) + "; L",
                        "000D  0008  ..       \tRETURN",
                    }));
  EXPECT_EQ(state_.List4.Items(), Lines{"0001 000C"});
}

TEST_F(ApplyDataZonesTest, AZoneWithoutItsEndLosesNoLine) {
  // Ends that no word line from the start on has: no DW line is made, not
  // even for the words before the listing ends, and the zone stays listed.
  for (const char* zone : {"0003 0030", "0006 0003", "0001", "0001 00", "0001 001", "0001 0016"}) {
    SCOPED_TRACE(zone);
    Open(kTwentyWords);
    state_.List4.Add(zone);
    const std::vector<UnappliedZone> unapplied = Apply();
    EXPECT_EQ(state_.List1.Items(), fresh_);
    EXPECT_EQ(state_.List4.Items(), Lines{zone});
    ASSERT_EQ(unapplied.size(), 1u);
    EXPECT_EQ(unapplied[0].fault, ZoneFault::kEndNotFound);
  }
}

// A second "Valider" first turns the DW lines back into word lines, then
// applies every zone of the list; labels removed in between stay removed.
TEST_F(ApplyDataZonesTest, ValidatingAgainAppliesEveryZone) {
  Open(kTwentyWords);
  Zones({"0009 0011"});
  Apply();
  Zones({"0001 0003"});
  Apply();
  const Lines twice = state_.List1.Items();
  EXPECT_EQ(state_.List4.Items(), (Lines{"0001 0003", "0009 0011"}));

  Reassemble();
  Apply();
  EXPECT_EQ(state_.List1.Items(), twice);
  Apply();
  EXPECT_EQ(state_.List1.Items(), twice);
}

TEST_F(ApplyDataZonesTest, ValidatingAgainKeepsRemovedLabels) {
  Open(kLabelInside);
  Zones({"0001 0005"});
  Apply();
  state_.List1.Select(7);  // the DW line labelled W0004
  RemoveLabel(state_);
  Apply();
  EXPECT_EQ(Body()[1], "0001  3441" + Blanks(11) + "\tDW   0x3441,0x3442,0x3443,0x3444,0x3445" +
                           Blanks(21) + "; ABCDE");
  EXPECT_EQ(Body().size(), 3u);
}

// In the symbolic listing a labelled word that is jumped to says where from,
// in a DW line too; once its label is removed it says nothing.
TEST_F(ApplyDataZonesTest, CrossReferencesFollowTheLabels) {
  state_.Style = ListingStyle::kSymbolic;
  Open(kLabelInside);
  const auto word_4 = std::ranges::find_if(fresh_, [](const std::string& line) {
    return line.starts_with("0004") && line.ends_with("from 0000");
  });
  ASSERT_NE(word_4, fresh_.end());
  Zones({"0001 0005"});
  Apply();
  state_.List4.Clear();
  Apply();
  EXPECT_EQ(state_.List1.Items(), fresh_);

  Zones({"0001 0005"});
  Apply();
  state_.List1.Select(static_cast<int>(word_4 - fresh_.begin()) - 2);  // the DW line at 0004
  RemoveLabel(state_);
  state_.List4.Clear();
  Apply();
  for (const std::string& line : state_.List1.Items()) EXPECT_FALSE(line.ends_with("0000")) << line;
}

TEST_F(ApplyDataZonesTest, DwLinesTurnBackIntoTheWordLinesOfThePass) {
  // Every kind of word, with labels on all pages, in zones over half of a
  // full image; with the zones gone, the listing is the pass's again, in
  // either style. The words that the listing itself writes as "DW" stay
  // word lines.
  Lines image = testing::FullImage();
  image.insert(image.end() - 1, WordRecord(0x1FF0, {0xFFFF, 0x4000}));
  for (ListingStyle style : {ListingStyle::kClassic, ListingStyle::kSymbolic}) {
    SCOPED_TRACE(static_cast<int>(style));
    state_.Style = style;
    Open(image);
    for (int k = 0; k < 50; ++k) {
      const int start = k * 164;
      state_.List4.Add(AddressText(start) + " " + AddressText(start + 81));
    }
    state_.CurrentAddress = 0x1234;
    state_.PassNumber = 1;
    state_.NameWarning = "*";
    EXPECT_TRUE(Apply().empty());
    ASSERT_EQ(state_.List4.Count(), 50);
    ASSERT_LT(state_.List1.Count(), static_cast<int>(fresh_.size()));

    state_.List4.Clear();
    Apply();
    EXPECT_EQ(state_.List1.Items(), fresh_);
    EXPECT_EQ(state_.CurrentAddress, 0x1234);
    EXPECT_EQ(state_.PassNumber, 1);
    EXPECT_EQ(state_.NameWarning, "*");
    EXPECT_EQ(state_.List2.Count(), 0);
  }
}

TEST_F(ApplyDataZonesTest, PlainReassemblyDropsEveryEdit) {
  Open(kLabelInside);
  const Lines labels = state_.List3.Items();
  state_.List1.Select(9);  // the word labelled W0004
  RemoveLabel(state_);
  Zones({"0001 0003", "0004 0005"});
  Apply();
  ASSERT_EQ(state_.List4.Count(), 2);

  Reassemble();
  EXPECT_EQ(state_.List1.Items(), fresh_);
  EXPECT_EQ(state_.List3.Items(), labels);
  EXPECT_EQ(state_.List4.Items(), (Lines{"0001 0003", "0004 0005"}));
}

}  // namespace
}  // namespace tessarin
