#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "flow/program_image.h"
#include "instructions/instruction.h"
#include "processors/processor.h"

namespace tessarin {

/// A set of bank numbers (STATUS RP1:RP0) or of pages (PCLATH<4:3>): bit v
/// set when the value v (0-3) is possible.
using TwoBitSet = uint8_t;
inline constexpr TwoBitSet kAnyValue = 0x0F;

/// What the control flow of a program tells about each of its words: whether
/// the reset or the interrupt vector reaches it, which banks and pages are
/// possible when it runs, where each CALL and GOTO really goes, and who
/// branches to each address. Built by `AnalyseFlow`; the listing printers and
/// the zone proposals read it.
class FlowAnalysis {
 public:
  /// The processor whose program memory was followed.
  const Processor& processor() const { return *processor_; }

  /// Words of program memory: 8,192 for the 16F876/877, 4,096 for the 16F873/874.
  int ProgramWords() const { return static_cast<int>(words_.size()); }

  /// The instruction of a program-memory word (kInvalid outside it or where absent).
  const Instruction& InstructionAt(int address) const;

  /// Reached from a vector by fall-through, skips, branches, returns and
  /// computed-jump tables.
  bool Reached(int address) const;

  /// Banks possible when the word runs; empty for an unreached word.
  TwoBitSet Banks(int address) const;

  /// PCLATH pages possible when the word runs; empty for an unreached word.
  TwoBitSet Pages(int address) const;

  /// The address a CALL or GOTO word jumps to: in the page PCLATH selects
  /// where that is known, else in the word's own page. Nothing for other words.
  std::optional<int> Target(int address) const;

  /// The reached CALL and GOTO words that jump to `address`, ascending.
  std::span<const uint16_t> ReferencesTo(int address) const;

 private:
  friend class FlowSolver;

  struct WordFlow {
    Instruction instruction;
    bool reached = false;
    TwoBitSet banks = 0;
    TwoBitSet pages = 0;
    int32_t target = -1;
  };

  const Processor* processor_ = &DefaultProcessor();
  std::vector<WordFlow> words_;
  std::vector<uint32_t> reference_start_;  // per address, into references_; one more at the end
  std::vector<uint16_t> references_;
};

/// Follows the flow of the program memory of `image`, as a program of
/// `processor`, from the reset vector (banks and pages 0) and the interrupt
/// vector (both unknown). A word that is absent or no instruction ends its
/// path; a computed jump (a write to PCL) goes on into the run of RETLW and
/// GOTO words right after it. After a CALL, the banks and pages are those the
/// callee can return with, given the ones it was called with. Banks that the
/// core selects otherwise than through STATUS stay unknown.
FlowAnalysis AnalyseFlow(const ProgramImage& image, const Processor& processor);

}  // namespace tessarin
