#include "zones/proposal_entry.h"

#include <gtest/gtest.h>

#include "testing/hex_builder.h"

namespace tessarin {
namespace {

// A GOTO to itself, seven unreached NOPs (weak), the configuration word
// (strong), and a typed zone over the first NOP.
TEST(ProposalEntry, EntersTheStrongOnesAndNamesTheFirstWeakOnes) {
  SharedState state;
  std::vector<std::string> lines = {testing::WordRecord(0, {0x2800}), testing::WordRecord(0x2007, {0x3F72})};
  for (unsigned address = 0x10; address <= 0x70; address += 0x10) {
    lines.push_back(testing::WordRecord(address, {0x0000}));
  }
  ASSERT_TRUE(testing::LoadLines(state, lines));
  state.List4.Add("0010 0010");

  const std::string weak = "  code jamais atteint depuis les vecteurs\n";
  EXPECT_EQ(EnterStrongProposals(state).message,
            "1 zone de datas ajoutée : appuyer sur Valider pour l'appliquer.\n\n"
            "Zones possibles (faibles), à saisir si elles conviennent :\n"
            "0020 0020" + weak + "0030 0030" + weak + "0040 0040" + weak + "0050 0050" + weak +
            "0060 0060" + weak + "(et 1 autre)");
  EXPECT_EQ(state.List4.Items(), (std::vector<std::string>{"0010 0010", "2007 2007"}));
  EXPECT_EQ(EnterStrongProposals(state).added, 0);
}

}  // namespace
}  // namespace tessarin
