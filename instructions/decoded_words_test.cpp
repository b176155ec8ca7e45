#include "instructions/decoded_words.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The table built with the program gives, for every 16-bit value on both
// cores, what decoding the word at run time gives, and whether that
// instruction encodes back to the word.
TEST(DecodedWordsTest, EveryWordReadsAsItsDecoding) {
  for (const Core core : {Core::kMidRange, Core::kEnhanced}) {
    for (uint32_t w = 0; w <= 0xFFFF; ++w) {
      const auto word = static_cast<uint16_t>(w);
      const DecodedWord& decoded = DecodedWords::Of(core)[word];
      ASSERT_EQ(decoded.instruction, DecodeInstruction(word, core))
          << "word " << std::hex << w << " core " << static_cast<int>(core);
      ASSERT_EQ(decoded.exact, EncodeInstruction(decoded.instruction, core) == word)
          << "word " << std::hex << w << " core " << static_cast<int>(core);
    }
  }
}

}  // namespace
}  // namespace tessarin
