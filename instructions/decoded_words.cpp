#include "instructions/decoded_words.h"

namespace tessarin {

DecodedWords::DecodedWords(Core core) : words_(0x4000) {
  for (size_t k = 0; k < words_.size(); ++k) {
    const auto word = static_cast<uint16_t>(k);
    words_[k] = {DecodeInstruction(word, core), IsExactInstruction(word, core)};
  }
}

const DecodedWords& DecodedWords::Of(Core core) {
  if (core == Core::kEnhanced) {
    static const DecodedWords enhanced(Core::kEnhanced);
    return enhanced;
  }
  static const DecodedWords mid_range(Core::kMidRange);
  return mid_range;
}

}  // namespace tessarin
