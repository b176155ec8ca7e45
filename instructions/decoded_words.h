#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "instructions/instruction.h"

namespace tessarin {

/// A word as `DecodeInstruction` and `IsExactInstruction` see it on one
/// core.
struct DecodedWord {
  Instruction instruction;
  bool exact = false;
};

/// The 16,384 words of one core, each decoded once when the program is
/// built (in instruction.cpp, beside the rows that decode them): for code
/// that reads every word of an image, often more than once.
class DecodedWords {
 public:
  static constexpr size_t kWords = 0x4000;
  using Table = std::array<DecodedWord, kWords>;

  /// The table of `core`.
  static const DecodedWords& Of(Core core);

  /// Words above 0x3FFF are no instruction.
  const DecodedWord& operator[](uint16_t word) const {
    static constexpr DecodedWord kNoInstruction{};
    return word < kWords ? words_[word] : kNoInstruction;
  }

 private:
  constexpr explicit DecodedWords(const Table& words) : words_(words) {}

  const Table& words_;
};

}  // namespace tessarin
