#pragma once

#include <cstdint>
#include <vector>

#include "instructions/instruction.h"

namespace tessarin {

/// A word as `DecodeInstruction` and `IsExactInstruction` see it on one
/// core.
struct DecodedWord {
  Instruction instruction;
  bool exact = false;
};

/// The 16,384 words of one core, each decoded once: for code that reads
/// every word of an image, often more than once.
class DecodedWords {
 public:
  /// The table of `core`, built on first use.
  static const DecodedWords& Of(Core core);

  /// Words above 0x3FFF are no instruction.
  const DecodedWord& operator[](uint16_t word) const {
    static constexpr DecodedWord kNoInstruction{};
    return word < words_.size() ? words_[word] : kNoInstruction;
  }

 private:
  explicit DecodedWords(Core core);

  std::vector<DecodedWord> words_;
};

}  // namespace tessarin
