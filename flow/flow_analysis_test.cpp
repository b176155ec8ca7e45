#include "flow/flow_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {
namespace {

constexpr ValueSet kAll32 = 0xFFFFFFFF;
constexpr int kNone = -1;  // a target row for a word that has none

struct FlowCase {
  std::string name;
  std::vector<std::pair<int, std::vector<uint16_t>>> code;  // word address, words from there
  std::string reached;                                      // from address 0: 'r' reached, '.' not
  std::vector<std::pair<int, ValueSet>> banks = {};
  std::vector<std::pair<int, int>> targets = {};    // branch address, target or kNone
  std::vector<std::pair<int, int>> unreached = {};  // first and last address of a run
  std::vector<std::pair<int, ValueSet>> pages = {};
  CoreFacts facts = Pic16F87xFacts();
};

void PrintTo(const FlowCase& c, std::ostream* out) { *out << c.name; }

CoreFacts WithBanks(CoreFacts facts, int banks) {
  facts.bank_count = banks;
  return facts;
}

// clang-format off
const std::vector<FlowCase> kMidRange = {
    {"SkipGoesOnToBothWordsAndGotoEndsThePath",
     {{0, {0x1C05, 0x2806, 0x2807, 0x0000, 0x0009, 0x3001, 0x2806, 0x2807, 0x0103}}},
     "rrr.r.rr."},

    {"ComputedJumpReachesTheRetlwAndGotoRunAfterIt",
     {{0, {0x2005, 0x2801, 0x3FFF, 0x3FFF, 0x0009, 0x0782, 0x3441, 0x3442, 0x280A, 0x3FFF,
           0x0008}}},
     "rr..rrrrr.r", {}, {{8, 0x0A}}},

    // MOVLW 8, MOVWF PCLATH, CALL 0x10 (page 1), CLRF PCLATH, CALL 4.
    {"CallAfterMovwfPclathGoesToThePageItSelects",
     {{0, {0x3008, 0x008A, 0x2010, 0x018A, 0x2004}}, {0x0010, {0x0008}}, {0x0810, {0x0008}}},
     "rrrrr", {{3, 0b0001}}, {{2, 0x0810}, {4, 0x0004}}, {{0x0010, 0x0010}}},

    {"PclathBitsOutsideMemoryWrapOnASmallerPart",
     {{0, {0x160A, 0x158A, 0x2805}}, {0x0805, {0x2805}}},
     "rrr", {}, {{2, 0x0805}}, {{0x0003, 0x0003}}, {}, Pic16F87xFacts(4096)},

    // The last word of a 2K part falls through to word 0, in bank 1 then;
    // with PCLATH on page 1, GOTO 0 goes to word 0x800, which is word 0.
    {"TheEndOfMemoryWrapsToWordZero",
     {{0, {0x2FFE}}, {0x7FE, {0x1683, 0x0000}}},
     "r", {{0, 0x3}, {0x7FF, 0x2}}, {}, {}, {}, Pic16F87xFacts(0x800)},
    // A routine from the last word on through word 0 returns to its caller,
    // the interrupt routine in bank 0, with bank 1 or, as the reset path
    // shares its RETURN at word 0, bank 0: not with any bank.
    {"ARoutineAcrossTheEndOfMemoryReturns",
     {{0, {0x0008}}, {4, {0x1283, 0x1303, 0x27FF, 0x0000}}, {0x7FF, {0x1683}}},
     "r...rrrr", {{7, 0x3}}, {}, {}, {}, Pic16F87xFacts(0x800)},
    {"ATargetJustPastMemoryIsWordZero",
     {{0, {0x158A, 0x2800}}}, "rr", {}, {{1, 0}}, {}, {}, Pic16F87xFacts(0x800)},

    {"BankBitsAndStatusWritesSetTheBank",
     {{0, {0x2808}}, {8, {0x1683, 0x0186, 0x3040, 0x0083, 0x0086, 0x0183, 0x280E}}},
     "r", {{8, 0b0001}, {9, 0b0010}, {0x0C, 0b0100}, {0x0E, 0b0001}}},

    {"CallReturnsWithTheBanksTheCalleeLeaves",
     {{0, {0x2820}},
      {0x0010, {0x0008}},
      {0x0018, {0x1283, 0x0008}},
      {0x0020, {0x2010, 0x0085, 0x1683, 0x2010, 0x0086, 0x2018, 0x0086, 0x2826}}},
     "r", {{0x21, 0b0001}, {0x24, 0b0010}, {0x10, 0b0011}, {0x26, 0b0001}}},

    {"InterruptStartsWithUnknownBanksAndCodeReachedFromItCounts",
     {{4, {0x0183, 0x1683, 0x0009}}},
     "....rrr", {{4, 0b1111}, {5, 0b0001}, {6, 0b0010}}},

    // MOVLW 8, MOVWF PCLATH, CALL 0x810 which clears PCLATH, GOTO 0x20:
    // page 0, as the callee left it.
    // An unreached GOTO at 0x0830 goes to its own page.
    {"PagesAfterACallAreThoseTheCalleeLeaves",
     {{0, {0x3008, 0x008A, 0x2010, 0x2820}}, {0x20, {0x2820}}, {0x0810, {0x018A, 0x0008}},
      {0x0820, {0x2820}}, {0x0830, {0x2805}}},
     "rrrr", {}, {{2, 0x0810}, {3, 0x0020}, {0x0830, 0x0805}}, {{0x0820, 0x0820}}, {{3, 0b0001}}},

    // CALL 0x28, which returns; BSF STATUS,RP0; CALL 0x20, which never
    // returns: the word after it still runs, in any bank.
    {"CallWhoseCalleeNeverReturnsStillGoesOn",
     {{0, {0x2810}}, {0x10, {0x2028, 0x1683, 0x2020, 0x0000, 0x2814}}, {0x20, {0x2820}},
      {0x28, {0x0008}}},
     "r", {{0x12, 0b0010}, {0x13, 0b1111}, {0x14, 0b1111}}},

    // PCLATH 1 and W 0x30: MOVWF PCL jumps to 0x130, not into the RETLW after it.
    {"WriteToPclGoesWherePclathAndWPoint",
     {{0, {0x2820}}, {0x20, {0x3001, 0x008A, 0x3030, 0x0082, 0x3400}}, {0x130, {0x2930}}},
     "r", {}, {{0x23, 0x130}, {0x130, 0x130}}, {{0x24, 0x24}}},

    // BSF PCLATH,1 then CLRF PCL: 0x200. MOVLW 0x25, ADDWF PCL,F at 0x11:
    // 0x37, and the GOTO after it that other paths may choose, with any W.
    {"ClrfPclAndAddwfPclWithWKnown",
     {{0, {0x2810}}, {0x10, {0x3025, 0x0782, 0x2830, 0x0000}},
      {0x30, {0x0083, 0x2831}}, {0x37, {0x148A, 0x0182, 0x3400}}, {0x200, {0x2A00}}},
     "r", {{0x31, 0b1111}}, {{0x11, 0x37}, {0x38, 0x200}},
     {{0x13, 0x13}, {0x39, 0x39}}},

    // RP1 selects nothing on a part with two banks.
    {"TwoBanksFoldRp1Away",
     {{0, {0x2810}}, {0x10, {0x1703, 0x1683, 0x2812}}},
     "r", {{0x10, 0b01}, {0x11, 0b01}, {0x12, 0b10}}, {}, {}, {}, WithBanks(Pic16F87xFacts(), 2)},

    // RETFIE at the end of a subroutine returns like RETURN on this core.
    {"RetfieEndingACallKeepsTheBanks",
     {{0, {0x2810}}, {0x10, {0x1683, 0x2020, 0x2812}}, {0x20, {0x0009}}},
     "r", {{0x12, 0b0010}}},

    // Four calls: A jumps to its RETURN, B sets RP0 and falls into its own,
    // C (in bank 1) loops, then a NOP two words before D, which clears RP0.
    // What each returns with comes back along its own paths only.
    {"SummariesComeBackAlongThePathsOnly",
     {{0, {0x2810}}, {0x10, {0x2020, 0x2021, 0x2024, 0x2028, 0x2814}},
      {0x20, {0x2823, 0x1683, 0x0008, 0x0008, 0x0BB0, 0x2824, 0x0000, 0x0008, 0x1283, 0x0008}}},
     "r", {{0x11, 0b0001}, {0x12, 0b0010}, {0x13, 0b0010}, {0x14, 0b0001}}},

    // The interrupt's BSF STATUS,RP0 then CALL 0, the reset vector, which returns.
    {"CallToTheResetVectorReturns",
     {{0, {0x0000, 0x0008}}, {4, {0x2810}}, {0x10, {0x1683, 0x2000, 0x2812}}},
     "rr..r", {{0x12, 0b1010}}, {{0x11, 0}}},

    // W is 0x40, 0x20 or 0x00 at MOVWF STATUS: banks 0 to 2. Then 0x00 to
    // 0x03, more values than W keeps: any bank.
    {"WFromSeveralPathsGivesSeveralBanks",
     {{0, {0x2810}},
      {0x10, {0x3040, 0x1830, 0x3020, 0x18B0, 0x3000, 0x0083, 0x3001, 0x1830, 0x3002, 0x18B0,
              0x3003, 0x1930, 0x3000, 0x0083, 0x281E}}},
     "r", {{0x16, 0b0111}, {0x1E, 0b1111}}},

    // BTFSC PCL,0 is a skip; MOVWF PCL with W unknown runs into its RETLW
    // and GOTO; ADDWF PCL,F and BCF PCL,0 into their tables, which end at
    // the first other word.
    {"ComputedJumpsWithWUnknownRunIntoTheirTables",
     {{0, {0x2810}},
      {0x10, {0x0820, 0x1802, 0x0000, 0x2818}},
      {0x18, {0x0082, 0x3400, 0x2820, 0x0000}},
      {0x20, {0x0782, 0x2828, 0x0000}},
      {0x28, {0x1002, 0x0000}}},
     "r", {{0x12, 0b1}, {0x19, 0b1}, {0x21, 0b1}, {0x28, 0b1}}, {{0x1A, 0x20}, {0x21, 0x28}},
     {{0x1B, 0x1B}, {0x22, 0x22}, {0x29, 0x29}}},

    // CALL 0x18 leaves PCLATH<2:0> unknown: MOVWF PCL then has no known
    // destination and runs into its table.
    {"WriteToPclWithPclathPartlyKnownRunsIntoItsTable",
     {{0, {0x2810}}, {0x10, {0x2018, 0x3030, 0x0082, 0x3400}}, {0x18, {0x0008}}},
     "r", {{0x13, 0b0001}}, {{0x12, kNone}}},

    // W 0x20 reaches MOVWF STATUS first; W 0x40 after a CALL, with the same
    // banks and PCLATH (CLRF PCLATH), later: both count.
    {"WReachingAWordLaterStillCounts",
     {{0, {0x2810}}, {0x10, {0x1830, 0x2820, 0x2030, 0x018A, 0x3040, 0x2822}},
      {0x20, {0x3020, 0x0000, 0x0083, 0x2823}}, {0x30, {0x0008}}},
     "r", {{0x23, 0b0110}}},

    // A table of 300 RETLW: an 8-bit offset reaches 256 of them.
    {"ComputedJumpTableStopsAfter256Words",
     {{0, {0x0782}}, {1, std::vector<uint16_t>(300, 0x3400)}},
     "r", {{0x100, 0b0001}}, {}, {{0x101, 0x101}}},

    // BSF PORTB,5 and BSF STATUS,IRP leave the bank; BSF STATUS,RP1 sets it.
    {"OnlyTheBankBitsOfStatusSelectTheBank",
     {{0, {0x2810}}, {0x10, {0x1686, 0x1783, 0x1703, 0x2813}}},
     "r", {{0x11, 0b0001}, {0x12, 0b0001}, {0x13, 0b0100}}},

    // The interrupt clears the page bits of PCLATH but not those below: with
    // the reset's PCLATH 0 the bits below are unknown at MOVWF PCL, which
    // runs into its table.
    {"PclathBitsBelowThePageUnknownFromTheInterrupt",
     {{0, {0x2810}}, {4, {0x118A, 0x120A, 0x2810}}, {0x10, {0x3030, 0x0082, 0x3400}},
      {0x30, {0x2830}}},
     "r...rrr", {{0x12, 0b1111}}, {{0x11, kNone}}, {{0x30, 0x30}}},

    // From the interrupt, BCF and BSF on every PCLATH bit make it known
    // (0x08): MOVWF PCL goes to 0x830, where BCF PCLATH,3 selects page 0.
    {"PclathKnownOnceEveryBitIsForced",
     {{4, {0x100A, 0x108A, 0x110A, 0x158A, 0x120A, 0x3030, 0x0082, 0x3400}},
      {0x40, {0x2840}}, {0x830, {0x118A, 0x2840}}},
     "....rrrrrrr.", {}, {{0x0A, 0x830}, {0x831, 0x40}}},

    // A computed jump whose table runs to the end of a 32-word memory.
    {"TableRunsToTheEndOfMemory",
     {{0, {0x281D}}, {0x1D, {0x0820, 0x0782, 0x3400}}},
     "r", {{0x1F, 0b0001}}, {}, {}, {}, Pic16F87xFacts(0x20)},
};

const std::vector<FlowCase> kEnhanced = {
    // MOVLB 5; MOVLW 0x3E; MOVWF BSR; BSF BSR,0; CLRF WREG; MOVWF BSR;
    // BSF BSR,4; INCF BSR,F; MOVLB 7; BCF STATUS,5 (no bank bit here).
    {"MovlbBsrAndWregSelectOneOf32Banks",
     {{0, {0x2810}}, {0x10, {0x0025, 0x303E, 0x0088, 0x1408, 0x0189, 0x0088, 0x1608, 0x0A88,
                             0x0027, 0x1283, 0x281A}}},
     "r",
     {{0x10, 0x1}, {0x11, 0x20}, {0x12, 0x20}, {0x13, 0x40000000}, {0x14, 0x80000000},
      {0x15, 0x80000000}, {0x16, 0x1}, {0x17, 0x10000}, {0x18, kAll32}, {0x19, 0x80},
      {0x1A, 0x80}},
     {}, {}, {}, EnhancedFacts(0x8000)},

    // MOVLP 0x4B: page 9; CALL 0x4A00 whose MOVLP 0 leaves page 0 for the
    // GOTO after it; BSF PCLATH,6: page 8.
    {"MovlpAndPclathBitsSelectOneOf16Pages",
     {{0, {0x31CB, 0x2923}}, {0x10, {0x170A, 0x2811}}, {0x4011, {0x2811}},
      {0x4923, {0x2200, 0x2810}}, {0x4A00, {0x3180, 0x0008}}},
     "rr", {},
     {{1, 0x4923}, {0x4923, 0x4A00}, {0x4924, 0x0010}, {0x11, 0x4011}},
     {}, {{1, 1 << 9}, {0x4924, 0b1}, {0x11, 1 << 8}}, EnhancedFacts(0x8000)},

    // BRA +0x10 from 0, BRA -0x18 from 0x11 wraps to 0x7FA, BRA +7 from
    // there wraps to 2. The CALL at 1, GOTO at 0x10 and BRA at 0x12 are
    // not reached: they go where they would from where they lie.
    {"BraJumpsBothWaysAndWrapsAround",
     {{0, {0x3210, 0x27F0, 0x2802}}, {0x10, {0x2B45, 0x33E8, 0x33FD, 0x0000}}, {0x7FA, {0x3207}}},
     "r.r", {},
     {{0, 0x11}, {0x11, 0x7FA}, {0x7FA, 2}, {1, 0x7F0}, {0x10, 0x345}, {0x12, 0x10},
      {0x13, kNone}},
     {{0x10, 0x10}}, {}, EnhancedFacts(0x800)},

    // MOVF 0x20,W; BRW: the RETLW, GOTO and BRA after it, not the MOVLW.
    // MOVLW 3; BRW: 0x25 only, past its one RETLW.
    {"BrwRunsIntoItsTableOrWhereWSays",
     {{0, {0x2810}}, {0x10, {0x0820, 0x000B, 0x3401, 0x2818, 0x3204, 0x3001}},
      {0x18, {0x2818, 0x2820}}, {0x20, {0x3003, 0x000B, 0x3401, 0x0000, 0x0000, 0x2825}}},
     "r", {}, {{0x13, 0x18}, {0x14, 0x19}, {0x21, 0x25}},
     {{0x15, 0x15}, {0x23, 0x24}}, {}, EnhancedFacts(0x8000)},

    // CALL 0x30, whose MOVLP 0x12, MOVLW 0x34, CALLW call 0x1234, which
    // sets bank 3. With W unknown (MOVF 0x20,W), CALLW goes on in any bank.
    {"CallwCallsPclathAndW",
     {{0, {0x2810}}, {0x10, {0x2030, 0x3192, 0x0022, 0x0820, 0x000A, 0x2815}},
      {0x30, {0x3192, 0x3034, 0x000A, 0x0008}}, {0x1234, {0x0023, 0x0008}}},
     "r", {{0x11, 0x8}, {0x14, 0x4}, {0x15, kAll32}}, {{0x32, 0x1234}, {0x14, kNone}}, {}, {},
     EnhancedFacts(0x8000)},

    // RESET ends its path; RETFIE at the end of a subroutine returns with
    // what the shadow registers hold: any bank.
    {"ResetEndsThePathAndRetfieForgetsTheBanks",
     {{0, {0x2810}}, {0x10, {0x0021, 0x2020, 0x0001, 0x0000}}, {0x20, {0x0009}}},
     "r", {{0x11, 0x2}, {0x12, kAll32}}, {}, {{0x13, 0x13}}, {}, EnhancedFacts(0x8000)},

    // The interrupt calls 0x20 in any bank; so does 0x11 in bank 2, which
    // gets bank 2 back: the callee leaves BSR alone.
    {"InterruptInAnyBankAndACalleeThatKeepsIt",
     {{0, {0x2810}}, {4, {0x2020, 0x2805}}, {0x10, {0x0022, 0x2020, 0x2812}},
      {0x20, {0x0000, 0x0008}}},
     "r...rr", {{4, kAll32}, {5, kAll32}, {0x12, 0x4}, {0x20, kAll32}}, {}, {},
     {{4, 0xFFFF}, {0x12, 0b1}}, EnhancedFacts(0x8000)},

    // MOVLP 1; MOVLW 0x40; MOVWF PCL: 0x140.
    {"WriteToPclGoesWherePclathAndWPoint",
     {{0, {0x2810}}, {0x10, {0x3181, 0x3040, 0x0082, 0x3400}}, {0x140, {0x2940}}},
     "r", {}, {{0x12, 0x140}}, {{0x13, 0x13}}, {}, EnhancedFacts(0x8000)},

    // MOVLW 5, BSF WREG,1: W 7. MOVLW 0x20, BSF PORTA,0: W still 0x20.
    // MOVLW 5, CLRW: W 0. MOVIW ++FSR0, ADDLW and MOVF 0x20,W: W unknown.
    // BSF BSR,5 changes no bank.
    {"WregIsWAsAFile",
     {{0, {0x2810}},
      {0x10, {0x3005, 0x1489, 0x0088, 0x3020, 0x140C, 0x0088, 0x3005, 0x0103, 0x0088, 0x0010,
              0x0088, 0x3003, 0x3E01, 0x0088, 0x0023, 0x1688, 0x3003, 0x0820, 0x0088, 0x2823}}},
     "r",
     {{0x13, 0x80}, {0x16, 0x1}, {0x19, 0x1}, {0x1B, kAll32}, {0x1E, kAll32}, {0x20, 0x8},
      {0x23, kAll32}},
     {}, {}, {}, EnhancedFacts(0x8000)},

    // MOVLP 0, BSF PCLATH,3 (page 1), BSF PCLATH,7 (no page bit), BSF
    // PCLATH,0, MOVLW 0x20, MOVWF PCL: 0x0920.
    {"PclathBitsAboveAndBelowThePage",
     {{0, {0x2810}}, {0x10, {0x3180, 0x158A, 0x178A, 0x140A, 0x3020, 0x0082}},
      {0x0920, {0x2920}}},
     "r", {}, {{0x15, 0x0920}, {0x0920, 0x0920}}, {}, {}, EnhancedFacts(0x8000)},
};
// clang-format on

class FlowAnalysisTest : public ::testing::TestWithParam<FlowCase> {};

TEST_P(FlowAnalysisTest, Case) {
  const FlowCase& c = GetParam();
  ProgramImage image;
  for (const auto& [address, words] : c.code) {
    for (size_t k = 0; k < words.size(); ++k) image.Set(address + static_cast<int>(k), words[k]);
  }
  const FlowAnalysis flow = AnalyseFlow(image, c.facts);

  std::string reached;
  for (size_t a = 0; a < c.reached.size(); ++a)
    reached += flow.Reached(static_cast<int>(a)) ? 'r' : '.';
  EXPECT_EQ(reached, c.reached);
  for (const auto& [address, banks] : c.banks) {
    EXPECT_EQ(flow.Banks(address), banks) << "banks at " << address;
  }
  for (const auto& [address, pages] : c.pages) {
    EXPECT_EQ(flow.Pages(address), pages) << "pages at " << address;
  }
  for (const auto& [address, target] : c.targets) {
    if (target == kNone) {
      EXPECT_EQ(flow.Target(address), std::nullopt) << "target of " << address;
      continue;
    }
    EXPECT_EQ(flow.Target(address), target) << "target of " << address;
    // Reached branches are the references to their targets.
    const std::span<const uint16_t> references = flow.ReferencesTo(target);
    EXPECT_TRUE(std::is_sorted(references.begin(), references.end())) << target;
    EXPECT_EQ(std::find(references.begin(), references.end(), address) != references.end(),
              flow.Reached(address))
        << "references to " << target;
  }
  for (const auto& [first, last] : c.unreached) {
    for (int a = first; a <= last; ++a) {
      EXPECT_FALSE(flow.Reached(a)) << a;
      EXPECT_EQ(flow.Banks(a), 0u) << a;
      EXPECT_TRUE(flow.ReferencesTo(a).empty()) << a;
    }
  }
}

// Facts out of range are brought back into it: one word, one bank, one
// page at least, 32,768 words, four page bits and a page shift of five at
// most. Nothing answers for an address outside program memory.
TEST(FlowAnalysis, FactsOutOfRangeAndAddressesOutsideMemory) {
  ProgramImage image;
  image.Set(0, 0x0021);  // MOVLB 1
  image.Set(1, 0x3188);  // MOVLP 8
  CoreFacts facts = EnhancedFacts(2);
  facts.bank_count = 0;
  facts.page_count = 0;
  const FlowAnalysis one_bank = AnalyseFlow(image, facts);
  EXPECT_EQ(one_bank.Banks(0), 0b1u);
  EXPECT_EQ(one_bank.Pages(0), 0b1u);

  facts = EnhancedFacts(0);
  facts.pclath_page_shift = 9;
  image.Set(0, 0x168A);  // BSF PCLATH,5: page bit 0
  const FlowAnalysis one_word = AnalyseFlow(image, facts);
  EXPECT_EQ(one_word.ProgramWords(), 1);
  EXPECT_EQ(one_word.Pages(0), 0b1u);
  EXPECT_EQ(AnalyseFlow(image, Pic16F87xFacts(0x10000)).ProgramWords(), 0x8000);

  ProgramImage pages;
  pages.Set(0, 0x3080);  // MOVLW 0x80
  pages.Set(1, 0x008A);  // MOVWF PCLATH: page 0 of four page bits
  pages.Set(2, 0x2802);  // GOTO 2
  facts = EnhancedFacts(0x8000);
  facts.page_bits = 9;
  EXPECT_EQ(AnalyseFlow(pages, facts).Pages(2), 0b1u);

  image.Set(1, 0x2800);  // GOTO 0
  image.Set(4, 0x2800);  // past memory: not the interrupt vector
  const FlowAnalysis flow = AnalyseFlow(image, Pic16F87xFacts(4));
  EXPECT_EQ(flow.ReferencesTo(0).size(), 1u);
  EXPECT_TRUE(flow.ReferencesTo(3).empty());
  for (const int outside : {-1, 4}) {
    EXPECT_FALSE(flow.Reached(outside)) << outside;
    EXPECT_EQ(flow.Banks(outside) | flow.Pages(outside), 0u) << outside;
    EXPECT_EQ(flow.Target(outside), std::nullopt) << outside;
    EXPECT_TRUE(flow.ReferencesTo(outside).empty()) << outside;
    EXPECT_EQ(flow.InstructionAt(outside).mnemonic, Mnemonic::kInvalid) << outside;
  }
}

const auto kName = [](const auto& row) { return row.param.name; };
INSTANTIATE_TEST_SUITE_P(MidRange, FlowAnalysisTest, ::testing::ValuesIn(kMidRange), kName);
INSTANTIATE_TEST_SUITE_P(Enhanced, FlowAnalysisTest, ::testing::ValuesIn(kEnhanced), kName);

}  // namespace
}  // namespace tessarin
