#include "instructions/instruction.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
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

// The checks every word passes on `core`: the canonical word of its
// instruction decodes back to the same instruction, and the word is exact
// exactly when it is that canonical word. Returns the mnemonics that some
// word gives exactly.
std::set<Mnemonic> ExpectEveryWordRoundTrips(Core core) {
  std::set<Mnemonic> exact_mnemonics;
  for (uint32_t w = 0; w <= 0xFFFF; ++w) {
    const auto word = static_cast<uint16_t>(w);
    const Instruction instruction = DecodeInstruction(word, core);
    const std::optional<uint16_t> canonical = EncodeInstruction(instruction, core);
    SCOPED_TRACE(testing::Message() << "word " << std::hex << w);
    if (instruction.mnemonic == Mnemonic::kInvalid) {
      EXPECT_FALSE(canonical.has_value());
      EXPECT_FALSE(IsExactInstruction(word, core));
      continue;
    }
    EXPECT_LE(w, 0x3FFFu);
    EXPECT_TRUE(canonical.has_value());
    if (!canonical) continue;
    EXPECT_EQ(DecodeInstruction(*canonical, core), instruction);
    EXPECT_EQ(IsExactInstruction(word, core), *canonical == word);
    EXPECT_TRUE(IsExactInstruction(*canonical, core));
    if (*canonical == word) exact_mnemonics.insert(instruction.mnemonic);
  }
  return exact_mnemonics;
}

// Every word on the mid-range core, and the instruction agrees with the text
// decoder wherever that one names an instruction (it has no instruction for
// the don't-care forms of NOP only).
TEST(Instruction, EveryMidRangeWordRoundTripsThroughItsCanonicalWord) {
  EXPECT_EQ(ExpectEveryWordRoundTrips(Core::kMidRange).size(), 37u);  // 35, OPTION and TRIS
  for (uint16_t word = 0; word <= 0x3FFF; ++word) {
    const Instruction instruction = DecodeInstruction(word);
    const std::string classic = ClassicMnemonic(word);
    if (instruction.mnemonic == Mnemonic::kInvalid) {
      EXPECT_TRUE(classic == "DATA" || classic == "DW") << classic << " " << word;
    } else if (classic == "DATA") {
      EXPECT_EQ(instruction.mnemonic, Mnemonic::kNop) << word;
    } else {
      EXPECT_EQ(MnemonicText(instruction.mnemonic), classic) << word;
    }
  }
}

// Every word on the enhanced core, each of its instructions the exact reading
// of some word (no row hides another).
TEST(Instruction, EveryEnhancedWordRoundTripsThroughItsCanonicalWord) {
  // 49, OPTION, TRIS and the indexed encodings of MOVIW and MOVWI
  EXPECT_EQ(ExpectEveryWordRoundTrips(Core::kEnhanced).size(), 53u);
}

// A word that one core reads exactly as an instruction the other core has
// too reads as the same instruction there.
TEST(Instruction, TheCoresReadTheirSharedInstructionsAlike) {
  for (uint16_t word = 0; word <= 0x3FFF; ++word) {
    for (const Core core : {Core::kMidRange, Core::kEnhanced}) {
      const Core other = core == Core::kMidRange ? Core::kEnhanced : Core::kMidRange;
      const Instruction instruction = DecodeInstruction(word, core);
      if (IsExactInstruction(word, core) && EncodeInstruction(instruction, other)) {
        EXPECT_EQ(DecodeInstruction(word, other), instruction) << std::hex << word;
      }
    }
  }
}

TEST(Instruction, OperandsOutOfRangeHaveNoWord) {
  struct Row {
    Instruction instruction;
    Core core;
  };
  auto fsr = [](Mnemonic mnemonic, uint8_t number, int16_t offset) {
    Instruction instruction{mnemonic};
    instruction.fsr = number;
    instruction.offset = offset;
    return instruction;
  };
  const Row rows[] = {
      {{Mnemonic::kMovwf, 0x80}, Core::kMidRange},
      {{Mnemonic::kBsf, 0x03, false, 8}, Core::kMidRange},
      {{Mnemonic::kMovlw, 0, false, 0, 0x100}, Core::kMidRange},
      {{Mnemonic::kGoto, 0, false, 0, 0x800}, Core::kMidRange},
      {{Mnemonic::kTris, 0, false, 0, 4}, Core::kMidRange},
      {{Mnemonic::kInvalid}, Core::kMidRange},

      // The enhanced core's own: none on the mid-range core, operands out of range.
      {{Mnemonic::kBrw}, Core::kMidRange},
      {{Mnemonic::kMovlb, 0, false, 0, 0x20}, Core::kEnhanced},
      {{Mnemonic::kMovlp, 0, false, 0, 0x80}, Core::kEnhanced},
      {fsr(Mnemonic::kBra, 0, 256), Core::kEnhanced},
      {fsr(Mnemonic::kBra, 0, -257), Core::kEnhanced},
      {fsr(Mnemonic::kAddfsr, 2, 0), Core::kEnhanced},
      {fsr(Mnemonic::kMoviwIndexed, 0, -33), Core::kEnhanced},
      {fsr(Mnemonic::kMovwi, 2, 0), Core::kEnhanced},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(EncodeInstruction(row.instruction, row.core).has_value())
        << MnemonicText(row.instruction.mnemonic) << " " << row.instruction.offset;
  }
}

}  // namespace
}  // namespace tessarin
