#pragma once

#include <cstdint>

#include "instructions/instruction.h"

namespace tessarin {

/// A word as `DecodeInstruction` and `IsExactInstruction` see it on one
/// core.
struct DecodedWord {
  Instruction instruction;
  bool exact = false;
};

/// The decoding of `word` on `core`, read from a table of the 16,384 words
/// of that core that is built on first use: for code that reads every word
/// of an image, often more than once. Words above 0x3FFF are no instruction.
const DecodedWord& DecodedWordOf(uint16_t word, Core core);

}  // namespace tessarin
