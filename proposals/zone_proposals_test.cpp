#include "proposals/zone_proposals.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
  *out << e.zone << (e.kind == kStrong ? " strong " : " weak ") << ReasonText(e.reason);
}

struct ProposalCase {
  std::string name;
  std::vector<std::pair<int, std::vector<uint16_t>>> words;  // address, words from there
  std::vector<std::string> existing;
  std::vector<Expected> expected;
};

const std::vector<ProposalCase> kCases = {
    {"IdConfigurationAndEepromRunsSplitAtGaps",
     {{0, {0x2800}},
      {0x2000, {1, 2, 3, 4}},
      {0x2007, {0x3F72}},
      {0x2100, {0x41, 0x42}},
      {0x2104, {0x43}}},
     {},
     {{"2000 2003", kStrong, kIdLocations},
      {"2007 2007", kStrong, kConfiguration},
      {"2100 2101", kStrong, kEeprom},
      {"2104 2104", kStrong, kEeprom}}},

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
     {{0, {0x2800, 0x3FFF, 0x3FFF, 0x3FFF}}, {0x2100, {1, 2, 3, 4}}},
     {"2101 2102", "0001 0002", "not a zone"},
     {{"0003 0003", kStrong, kErased},
      {"2100 2100", kStrong, kEeprom},
      {"2103 2103", kStrong, kEeprom}}},
};

class ZoneProposalsTest : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(ZoneProposalsTest, Case) {
  const ProposalCase& c = GetParam();
  ProgramImage image;
  for (const auto& [address, words] : c.words) {
    for (size_t k = 0; k < words.size(); ++k) image.Set(address + static_cast<int>(k), words[k]);
  }
  std::vector<Expected> proposed;
  for (const ZoneProposal& p :
       ProposeZones(image, AnalyseFlow(image, Pic16F87xFacts()), c.existing)) {
    proposed.push_back({p.ZoneText(), p.kind, p.reason});
  }
  EXPECT_EQ(proposed, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Proposals, ZoneProposalsTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return row.param.name; });

}  // namespace
}  // namespace tessarin
