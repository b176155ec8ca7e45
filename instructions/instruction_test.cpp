#include "instructions/instruction.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "decode/decoder.h"

namespace tessarin {
namespace {

// The classic text decoder's mnemonic for a word: the line up to its TAB.
std::string ClassicMnemonic(uint16_t word) {
  char text[5];
  std::snprintf(text, sizeof text, "%04X", word);
  SharedState state;
  state.PassNumber = 2;
  const std::string line = DecodeWord(text, state);
  return line.substr(0, line.find('\t'));
}

// Every word: the canonical word of its instruction decodes back to the same
// instruction, the word is exact exactly when it is that canonical word, and
// the instruction agrees with the text decoder wherever that one names an
// instruction (it has no instruction for the don't-care forms of NOP only).
TEST(Instruction, EveryWordRoundTripsThroughItsCanonicalWord) {
  for (uint32_t w = 0; w <= 0xFFFF; ++w) {
    const auto word = static_cast<uint16_t>(w);
    const Instruction instruction = DecodeInstruction(word);
    const std::optional<uint16_t> canonical = EncodeInstruction(instruction);
    const std::string classic = w <= 0x3FFF ? ClassicMnemonic(word) : "DW";
    SCOPED_TRACE(testing::Message() << "word " << std::hex << w);

    if (instruction.mnemonic == Mnemonic::kInvalid) {
      EXPECT_FALSE(canonical.has_value());
      EXPECT_FALSE(IsExactInstruction(word));
      EXPECT_TRUE(classic == "DATA" || classic == "DW") << classic;
      continue;
    }
    ASSERT_TRUE(canonical.has_value());
    EXPECT_EQ(DecodeInstruction(*canonical), instruction);
    EXPECT_EQ(IsExactInstruction(word), *canonical == word);
    EXPECT_TRUE(IsExactInstruction(*canonical));
    if (classic == "DATA") {
      EXPECT_EQ(instruction.mnemonic, Mnemonic::kNop);
    } else {
      EXPECT_EQ(MnemonicText(instruction.mnemonic), classic);
    }
  }
}

TEST(Instruction, OperandsOutOfRangeHaveNoWord) {
  const Instruction rows[] = {
      {Mnemonic::kMovwf, 0x80},
      {Mnemonic::kBsf, 0x03, false, 8},
      {Mnemonic::kMovlw, 0, false, 0, 0x100},
      {Mnemonic::kGoto, 0, false, 0, 0x800},
      {Mnemonic::kTris, 0, false, 0, 4},
      {Mnemonic::kInvalid},
  };
  for (const Instruction& instruction : rows) {
    EXPECT_FALSE(EncodeInstruction(instruction).has_value()) << MnemonicText(instruction.mnemonic);
  }
}

}  // namespace
}  // namespace tessarin
