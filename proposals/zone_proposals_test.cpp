#include "proposals/zone_proposals.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "pass/assembler.h"
#include "proposals/proposal_entry.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"

namespace tessarin {
namespace {

using enum ProposalReason;
constexpr ProposalKind kStrong = ProposalKind::kStrong;
constexpr ProposalKind kWeak = ProposalKind::kWeak;

struct Expected {
  std::string zone;
  ProposalKind kind;
  ProposalReason reason;
  bool operator==(const Expected&) const = default;
};

void PrintTo(const Expected& e, std::ostream* out) {
  *out << e.zone << (e.kind == kStrong ? " strong" : " weak") << ", reason "
       << static_cast<int>(e.reason);
}

// The file's records in order, its zones, and the proposals for its listing.
struct ProposalCase {
  std::string name;
  std::vector<std::pair<int, std::vector<uint16_t>>> words;  // a record: address, its words
  std::vector<std::string> existing;
  std::vector<Expected> expected;
  CoreFacts facts = Pic16F87xFacts();
  std::vector<std::string> hex = {};  // HEX records, read as a HEX file is
};

void PrintTo(const ProposalCase& c, std::ostream* out) { *out << c.name; }

CoreFacts WithCalibration(CoreFacts facts, int first, int last) {
  facts.calibration = {static_cast<uint16_t>(first), static_cast<uint16_t>(last)};
  return facts;
}

const std::vector<ProposalCase> kCases = {
    {"IdConfigurationAndEepromRunsSplitAtGapsAndAreas",
     {{0, {0x2800}},
      {0x2000, {1, 2, 3, 4, 5}},
      {0x2007, {0x3F72}},
      {0x2100, {0x41, 0x42}},
      {0x2104, {0x43}},
      {0x21FF, {0x44, 0x45}},
      {0x2300, {0x3FFF, 0x3FFF}}},
     {},
     {{"2000 2003", kStrong, kIdLocations},
      {"2004 2004", kStrong, kOutsideMemory},
      {"2007 2007", kStrong, kConfiguration},
      {"2100 2101", kStrong, kEeprom},
      {"2104 2104", kStrong, kEeprom},
      {"21FF 21FF", kStrong, kEeprom},
      {"2200 2200", kStrong, kOutsideMemory},
      {"2300 2301", kStrong, kOutsideMemory}}},

    // NOP with a don't-care bit at 0000, run; RETLW with one at 0010, run
    // from the CALL at 0001, with the erased words after it.
    {"RunWordsThatDoNotAssembleBackTakeTheErasedWordsAfterThem",
     {{0, {0x0020, 0x2010, 0x2802}}, {0x10, {0x3500, 0x3FFF, 0x3FFF}}},
     {},
     {{"0000 0000", kStrong, kNotExact}, {"0010 0012", kStrong, kNotExact}}},

    // 0011 and 0014 are reached don't-care forms of NOP; 0013 is unreached
    // code next to 0014, 0016-0017 unreached code alone.
    {"WordsThatDoNotAssembleBackTakeTheirUnreachedNeighbours",
     {{0, {0x2810, 0x3001, 0x0041, 0x3002}},
      {0x10, {0x1283, 0x0060, 0x2814, 0x1683, 0x0020, 0x2815, 0x1683, 0x0008}}},
     {},
     {{"0001 0003", kStrong, kNotExact},
      {"0011 0011", kStrong, kNotExact},
      {"0013 0014", kStrong, kNotExact},
      {"0016 0017", kWeak, kUnreachedCode}}},

    // "ABCDEFGH" packed two characters a word reads as four CALLs.
    {"UnreachedErasedWordsAndTextAreStrong",
     {{0, {0x2800, 0x3FFF, 0x3FFF, 0x3FFF}},
      {5, {0x20C2, 0x21C4, 0x22C6, 0x23C8}},
      {0x10, {0x3441, 0x3442, 0x3443, 0x3444}}},
     {},
     {{"0001 0003", kStrong, kErased},
      {"0005 0008", kStrong, kText},
      {"0010 0013", kWeak, kUnreachedCode}}},

    {"ExistingZonesAreLeftOut",
     {{0, {0x2800, 0x3FFF, 0x3FFF, 0x3FFF}},
      {0x30, {0x3FFF, 0x3FFF, 0x3FFF}},
      {0x2100, {1, 2, 3, 4}}},
     {"2101 2102", "0003 0003", "0000 0001", "0030 0031", "not a zone"},
     {{"0002 0002", kStrong, kErased},
      {"0032 0032", kStrong, kErased},
      {"2100 2100", kStrong, kEeprom},
      {"2103 2103", kStrong, kEeprom}}},

    // Zones apply in the listing's order: 0008 000B would not.
    {"ProposalsStopWhereTheListingOrderChanges",
     {{0, {0x2800}},
      {0x0A, {0x3FFF, 0x3FFF}},
      {0x08, {0x3FFF, 0x3FFF}},
      {0x2101, {1}},
      {0x2100, {0}}},
     {},
     {{"0008 0009", kStrong, kErased},
      {"000A 000B", kStrong, kErased},
      {"2100 2100", kStrong, kEeprom},
      {"2101 2101", kStrong, kEeprom}}},

    // 0008 0010 has no end, 0009 000A overlaps 0008 0009: only that one applies.
    {"ZonesThatDoNotApplyHideNothing",
     {{0, {0x2800}}, {0x08, {0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF}}},
     {"0008 0010", "0009 000A", "0008 0009"},
     {{"000A 000B", kStrong, kErased}}},

    // Characters packed two a word (" ~", "  "; 0x7F is none), digits ("1234"),
    // text with a closing 0 ("ABCDE"), two packed RETLW among five
    // ("ABhiCDhjEF") read as text; three words are too few, two RETLW of four
    // ("hiABhjCD") make a table, and RRF 0x41,W is no text.
    {"TextIsCharactersWithFewRetlw",
     {{0, {0x2800}},
      {0x10, {0x107E, 0x1020, 0x107E, 0x1020}},
      {0x15, {0x107F, 0x1020, 0x107E, 0x1020}},
      {0x1A, {0x18B2, 0x19B4, 0x18B2, 0x19B4}},
      {0x20, {0x20C2, 0x21C4, 0x2280, 0x20C2}},
      {0x40, {0x20C2, 0x3469, 0x21C4, 0x346A, 0x22C6}},
      {0x2A, {0x20C2, 0x21C4, 0x22C6}},
      {0x30, {0x3469, 0x20C2, 0x346A, 0x21C4}},
      {0x38, {0x0C41, 0x0C41, 0x0C41, 0x0C41}}},
     {},
     {{"0010 0013", kStrong, kText},
      {"0015 0018", kWeak, kUnreachedCode},
      {"001A 001D", kStrong, kText},
      {"0020 0023", kStrong, kText},
      {"002A 002C", kWeak, kUnreachedCode},
      {"0030 0033", kWeak, kUnreachedCode},
      {"0038 003B", kWeak, kUnreachedCode},
      {"0040 0044", kStrong, kText}}},

    // MOVLW 0, MOVWF PCLATH, MOVLW 0x30, MOVWF PCL at 0x27 jumps to the
    // routine at 0x30, whose words also read as text.
    {"CodeReachedByAComputedJumpIsNoData",
     {},
     {},
     {{"2007 2007", kStrong, kConfiguration}},
     Pic16F87xFacts(),
     {":020000002028B6", ":020008000900ED", ":10004000A101A10AA11B212800308A0030308200C2",
      ":0C006000201C3428A014A015201120281A", ":02400E007A3FF7", ":00000001FF"}},

    // "ABCDEF" then RETLW 'x' ("hx" packed), then "ABCDEFGH" then GOTO 0x41
    // ("PA"): runs that end as routines end are weak whatever they read as.
    {"TextEndingAsARoutineEndsIsWeak",
     {{0, {0x2800}},
      {0x10, {0x20C2, 0x21C4, 0x22C6, 0x3478}},
      {0x18, {0x20C2, 0x21C4, 0x22C6, 0x23C8, 0x2841}}},
     {},
     {{"0010 0013", kWeak, kUnreachedCode}, {"0018 001C", kWeak, kUnreachedCode}}},

    // CALL 0x3FC reads the calibration RETLW; the words around it keep to
    // themselves, and so does the word past the 1K program memory.
    {"CalibrationWordIsDataEvenWhenCalled",
     {{0, {0x23FC, 0x0090, 0x2802}}, {0x3FB, {0x3F05, 0x3480, 0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF}}},
     {},
     {{"03FB 03FB", kStrong, kNotExact},
      {"03FC 03FC", kStrong, kCalibration},
      {"03FD 03FF", kStrong, kErased},
      {"0400 0400", kStrong, kOutsideMemory}},
     WithCalibration(Pic16F87xFacts(1024), 0x3FC, 0x3FC)},

    // A calibration word past program memory, next to the configuration word.
    {"CalibrationWordPastProgramMemory",
     {{0, {0x2800}}, {0x2007, {0x3FF4, 0x3480}}},
     {},
     {{"2007 2007", kStrong, kConfiguration}, {"2008 2008", kStrong, kCalibration}},
     WithCalibration(Pic16F87xFacts(1024), 0x2008, 0x2008)},

    // A calibration area across the end of program memory splits there and
    // at the gap in it.
    {"CalibrationAreaSplitsAtGapsAndTheEndOfProgramMemory",
     {{0, {0x2800}}, {0x3FA, {0x3FFF, 0x3401, 0x3402}}, {0x3FE, {0x3403, 0x3404, 0x3405}}},
     {},
     {{"03FA 03FA", kStrong, kErased},
      {"03FB 03FC", kStrong, kCalibration},
      {"03FE 03FF", kStrong, kCalibration},
      {"0400 0400", kStrong, kCalibration}},
     WithCalibration(Pic16F87xFacts(1024), 0x3FB, 0x400)},

    // 3F05 is MOVIW 5[FSR0] on the enhanced core, code; BRA ends a routine.
    // MOVLB 16-19 read "0123" one character a word, MOVIW 1[FSR1] "~A".
    {"EnhancedWordsAssembleBackAsTheirCoreReadsThem",
     {{0, {0x2800, 0x3F05, 0x3F06}},
      {4, {0x0009, 0x20C2, 0x21C4, 0x22C6, 0x33F9}},
      {0x10, {0x0030, 0x0031, 0x0032, 0x0033}},
      {0x18, {0x3F41, 0x3F41, 0x3F41, 0x3F41}}},
     {},
     {{"0001 0002", kWeak, kUnreachedCode},
      {"0005 0008", kWeak, kUnreachedCode},
      {"0010 0013", kStrong, kText},
      {"0018 001B", kStrong, kText}},
     EnhancedFacts(0x800)},
};

class ZoneProposalsTest : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(ZoneProposalsTest, Case) {
  const ProposalCase& c = GetParam();
  std::vector<std::string> records = c.hex;
  for (const auto& [address, words] : c.words) {
    records.push_back(testing::WordRecord(static_cast<unsigned>(address), words));
  }
  if (c.hex.empty()) records.push_back(testing::EndRecord());
  SharedState state;
  NoYield yield;
  testing::FixedClock clock;
  ASSERT_TRUE(testing::LoadLines(state, records));
  ASSERT_TRUE(Assembler(state, yield, clock).ok());
  std::vector<Expected> proposed;
  for (const std::string& zone : c.existing) state.List4.Add(zone);
  for (const ZoneProposal& p : ProposeZonesForOpenedFile(state, c.facts)) {
    proposed.push_back({p.ZoneText(), p.kind, p.reason});
  }
  EXPECT_EQ(proposed, c.expected);
}

// Listed addresses: 0005 0006 0000 0001 0005, two that no word has, 0008
// 0009 FFFF. Each address counts where it is first listed.
TEST(ListingOrder, AnAddressFollowsWhereItIsFirstListed) {
  const ListingOrder order({5, 6, 0, 1, 5, -1, 0x10000, 8, 9, 0xFFFF});
  for (const int address : {-1, 0, 1, 2, 5, 6, 7, 9, 0xFFFF, 0x10000}) {
    EXPECT_EQ(order.Follows(address), address == 1 || address == 6 || address == 9) << address;
  }
}

INSTANTIATE_TEST_SUITE_P(Proposals, ZoneProposalsTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return row.param.name; });

}  // namespace
}  // namespace tessarin
