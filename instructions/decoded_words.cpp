#include "instructions/decoded_words.h"

#include <vector>

namespace tessarin {
namespace {

constexpr uint32_t kWordCount = 0x4000;

std::vector<DecodedWord> DecodeEveryWord(Core core) {
  std::vector<DecodedWord> table(kWordCount);
  for (uint32_t word = 0; word < kWordCount; ++word) {
    const auto w = static_cast<uint16_t>(word);
    table[word] = {DecodeInstruction(w, core), IsExactInstruction(w, core)};
  }
  return table;
}

}  // namespace

const DecodedWord& DecodedWordOf(uint16_t word, Core core) {
  static constexpr DecodedWord kNoInstruction{};
  if (word >= kWordCount) return kNoInstruction;
  if (core == Core::kEnhanced) {
    static const std::vector<DecodedWord> enhanced = DecodeEveryWord(Core::kEnhanced);
    return enhanced[word];
  }
  static const std::vector<DecodedWord> mid_range = DecodeEveryWord(Core::kMidRange);
  return mid_range[word];
}

}  // namespace tessarin
