#include "zones/proposal_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/hex_builder.h"

namespace tessarin {
namespace {

// A GOTO to itself, seven unreached NOPs apart (weak), the configuration word
// (strong), and a typed zone over the first NOP.
TEST(ProposalEntry, EntersTheStrongOnesAndNamesTheFirstWeakOnes) {
  SharedState state;
  std::vector<std::string> lines = {testing::WordRecord(0, {0x2800})};
  for (unsigned address = 0x10; address <= 0x70; address += 0x10) {
    lines.push_back(testing::WordRecord(address, {0x0000}));
  }
  lines.push_back(testing::WordRecord(0x2007, {0x3F72}));
  lines.push_back(testing::EndRecord());
  ASSERT_TRUE(testing::LoadLines(state, lines));
  state.List4.Add("0010 0010");

  const EnteredProposals entered = EnterStrongProposals(state);
  EXPECT_EQ(entered.added, 1);
  EXPECT_EQ(state.List4.Items(), (std::vector<std::string>{"0010 0010", "2007 2007"}));
  EXPECT_EQ(entered.message,
            "1 zone de datas ajoutée : appuyer sur Valider pour l'appliquer.\n\n"
            "Zones possibles (faibles), à saisir si elles conviennent :\n"
            "0020 0020  code jamais atteint depuis les vecteurs\n"
            "0030 0030  code jamais atteint depuis les vecteurs\n"
            "0040 0040  code jamais atteint depuis les vecteurs\n"
            "0050 0050  code jamais atteint depuis les vecteurs\n"
            "0060 0060  code jamais atteint depuis les vecteurs\n"
            "(et 1 autre)");

  // A second time there is nothing left to add.
  EXPECT_EQ(EnterStrongProposals(state).message.substr(0, 32), "Aucune zone de datas à ajouter.");
  EXPECT_EQ(state.List4.Count(), 2);
}

}  // namespace
}  // namespace tessarin
