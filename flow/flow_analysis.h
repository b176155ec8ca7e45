#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "flow/core_facts.h"
#include "flow/flow_rules.h"
#include "flow/program_image.h"
#include "flow/value_relation.h"
#include "instructions/instruction.h"

namespace tessarin {

/// What the control flow of a program tells about each of its words: whether
/// the reset or the interrupt vector reaches it, which banks and pages are
/// possible when it runs, where each branch really goes, and who branches
/// to each address. Built by `AnalyseFlow`; the listing printers and the
/// zone proposals read it.
class FlowAnalysis {
 public:
  /// The part the analysis followed the program of.
  const CoreFacts& Facts() const { return rules_.facts(); }
  int ProgramWords() const { return rules_.ProgramWords(); }

  /// The instruction of a program-memory word on the part's core (kInvalid
  /// outside program memory and where the image has no word).
  const Instruction& InstructionAt(int address) const {
    static constexpr Instruction kNoInstruction{};
    return InMemory(address) ? words_[static_cast<size_t>(address)].instruction : kNoInstruction;
  }

  /// Reached from a vector by fall-through, skips, branches, returns,
  /// computed jumps and computed-jump tables.
  bool Reached(int address) const {
    return InMemory(address) && words_[static_cast<size_t>(address)].banks != 0;
  }

  /// Banks possible when the word runs (bit n for bank n); empty for an
  /// unreached word.
  ValueSet Banks(int address) const {
    return InMemory(address) ? words_[static_cast<size_t>(address)].banks : 0;
  }

  /// Pages of 2K words that PCLATH may select when the word runs; empty for
  /// an unreached word.
  ValueSet Pages(int address) const {
    return InMemory(address) ? words_[static_cast<size_t>(address)].pages : 0;
  }

  /// Where the word jumps or calls: a CALL or GOTO in the page PCLATH
  /// selects where that is known, else in the word's own page; a BRA; a
  /// computed jump (a write to PCL, BRW) or CALLW whose W and PCLATH are
  /// known. Nothing for other words.
  std::optional<int> Target(int address) const;

  /// The reached words whose target is `address`, ascending.
  std::span<const uint16_t> ReferencesTo(int address) const;

 private:
  friend class FlowSolver;

  bool InMemory(int address) const { return address >= 0 && address < ProgramWords(); }

  struct WordFlow {
    Instruction instruction;
    ValueSet banks = 0;  // empty for an unreached word
    std::optional<int> target;
    uint16_t pages = 0;
  };

  // The rules the analysis followed, kept for the targets of unreached
  // branches.
  FlowRules rules_{CoreFacts{}};
  std::vector<WordFlow> words_;
  std::vector<uint32_t> reference_start_;  // per address, into references_; one more at the end
  std::vector<uint16_t> references_;
};

/// Follows the flow of the program memory of `image` on the part `facts`
/// describes, from the reset vector (banks and pages 0) and the interrupt
/// vector (both unknown). A word that is absent, no instruction or RESET
/// ends its path. A computed jump goes where W and PCLATH say when they are
/// known, else on into the run of RETLW, GOTO and BRA words right after it.
/// After a CALL, the banks and pages are those the callee can return with,
/// given the ones it was called with. Program words are clamped to 1-32,768.
FlowAnalysis AnalyseFlow(const ProgramImage& image, const CoreFacts& facts);

/// The flow of the program memory of `image` as a program of `processor`.
inline FlowAnalysis AnalyseFlow(const ProgramImage& image, const Processor& processor) {
  return AnalyseFlow(image, CoreFactsOf(processor));
}

}  // namespace tessarin
