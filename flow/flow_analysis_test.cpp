#include "flow/flow_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "pass/record_reader.h"
#include "testing/hex_builder.h"

namespace tessarin {
namespace {

struct FlowCase {
  std::string name;
  std::vector<std::pair<unsigned, std::vector<uint16_t>>> code;  // word address, words
  std::string reached;  // from address 0: 'r' reached, '.' not
  std::vector<std::pair<int, ValueSet>> banks = {};
  std::vector<std::pair<int, int>> targets = {};    // CALL/GOTO address, target
  std::vector<std::pair<int, int>> unreached = {};  // first and last address of a run
  int program_words = 8192;
};

const std::vector<FlowCase> kCases = {
    {"SkipGoesOnToBothWordsAndGotoEndsThePath",
     {{0, {0x1C05, 0x2806, 0x2807, 0x0000, 0x0009, 0x3001, 0x2806, 0x2807, 0x0103}}},
     "rrr.r.rr."},

    {"ComputedJumpReachesTheRetlwAndGotoRunAfterIt",
     {{0,
       {0x2005, 0x2801, 0x3FFF, 0x3FFF, 0x0009, 0x0782, 0x3441, 0x3442, 0x280A, 0x3FFF, 0x0008}}},
     "rr..rrrrr.r",
     {},
     {{8, 0x0A}}},

    {"CallAfterMovwfPclathGoesToThePageItSelects",
     {{0, {0x3008, 0x008A, 0x2010, 0x018A, 0x2004}}, {0x0010, {0x0008}}, {0x0810, {0x0008}}},
     "rrrrr",
     {{3, 0b0001}},
     {{2, 0x0810}, {4, 0x0004}},
     {{0x0010, 0x0010}}},

    {"PclathBitsOutsideMemoryWrapOnASmallerPart",
     {{0, {0x160A, 0x158A, 0x2805}}, {0x0805, {0x2805}}},
     "rrr",
     {},
     {{2, 0x0805}},
     {{0x0003, 0x0003}},
     4096},

    {"BankBitsAndStatusWritesSetTheBank",
     {{0, {0x2808}}, {8, {0x1683, 0x0186, 0x3040, 0x0083, 0x0086, 0x0183, 0x280E}}},
     "r",
     {{8, 0b0001}, {9, 0b0010}, {0x0C, 0b0100}, {0x0E, 0b0001}}},

    {"CallReturnsWithTheBanksTheCalleeLeaves",
     {{0, {0x2820}},
      {0x0010, {0x0008}},
      {0x0018, {0x1283, 0x0008}},
      {0x0020, {0x2010, 0x0085, 0x1683, 0x2010, 0x0086, 0x2018, 0x0086, 0x2826}}},
     "r",
     {{0x21, 0b0001}, {0x24, 0b0010}, {0x10, 0b0011}, {0x26, 0b0001}}},

    {"InterruptStartsWithUnknownBanksAndCodeReachedFromItCounts",
     {{4, {0x0183, 0x1683, 0x0009}}},
     "....rrr",
     {{4, 0b1111}, {5, 0b0001}, {6, 0b0010}}},
};

class FlowAnalysisTest : public ::testing::TestWithParam<FlowCase> {};

TEST_P(FlowAnalysisTest, Case) {
  const FlowCase& c = GetParam();
  std::vector<std::string> lines;
  for (const auto& [address, words] : c.code) lines.push_back(testing::WordRecord(address, words));
  lines.push_back(testing::EndRecord());
  SharedState state;
  ASSERT_TRUE(testing::LoadLines(state, lines));
  const FlowAnalysis flow = AnalyseFlow(BuildProgramImage(state), Pic16F87xFacts(c.program_words));

  std::string reached;
  for (size_t a = 0; a < c.reached.size(); ++a)
    reached += flow.Reached(static_cast<int>(a)) ? 'r' : '.';
  EXPECT_EQ(reached, c.reached);
  for (const auto& [address, banks] : c.banks) {
    EXPECT_EQ(flow.Banks(address), banks) << "banks at " << address;
  }
  for (const auto& [address, target] : c.targets) {
    EXPECT_EQ(flow.Target(address), target) << "target of " << address;
    const std::span<const uint16_t> references = flow.ReferencesTo(target);
    EXPECT_NE(std::find(references.begin(), references.end(), address), references.end());
  }
  for (const auto& [first, last] : c.unreached) {
    for (int a = first; a <= last; ++a) {
      EXPECT_FALSE(flow.Reached(a)) << a;
      EXPECT_TRUE(flow.ReferencesTo(a).empty()) << a;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Flow, FlowAnalysisTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return row.param.name; });

}  // namespace
}  // namespace tessarin
