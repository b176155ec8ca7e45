#include "instructions/decoded_words.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The table gives, for every 16-bit value on both cores, what decoding the
// word again gives.
TEST(DecodedWordsTest, EveryWordReadsAsItsDecoding) {
  for (const Core core : {Core::kMidRange, Core::kEnhanced}) {
    for (uint32_t w = 0; w <= 0xFFFF; ++w) {
      const auto word = static_cast<uint16_t>(w);
      const DecodedWord& decoded = DecodedWords::Of(core)[word];
      ASSERT_EQ(decoded.instruction, DecodeInstruction(word, core))
          << "word " << std::hex << w << " core " << static_cast<int>(core);
      ASSERT_EQ(decoded.exact, IsExactInstruction(word, core))
          << "word " << std::hex << w << " core " << static_cast<int>(core);
    }
  }
}

}  // namespace
}  // namespace tessarin
