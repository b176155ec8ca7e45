#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "flow/core_facts.h"
#include "flow/program_image.h"
#include "flow/value_relation.h"

namespace tessarin {

/// What the control flow of a program tells about each of its words: whether
/// the reset or the interrupt vector reaches it, which banks and pages are
/// possible when it runs, where each branch really goes, and who branches
/// to each address. Built by `AnalyseFlow`; the listing printers and the
/// zone proposals read it.
class FlowAnalysis {
 public:
  /// The part the analysis followed the program of.
  const CoreFacts& Facts() const { return facts_; }
  int ProgramWords() const { return facts_.program_words; }

  /// Reached from a vector by fall-through, skips, branches, returns,
  /// computed jumps and computed-jump tables.
  bool Reached(int address) const;

  /// Banks possible when the word runs (bit n for bank n); empty for an
  /// unreached word.
  ValueSet Banks(int address) const;

  /// Pages of 2K words that PCLATH may select when the word runs; empty for
  /// an unreached word.
  ValueSet Pages(int address) const;

  /// Where the word jumps or calls: a CALL or GOTO in the page PCLATH
  /// selects where that is known, else in the word's own page; a BRA; a
  /// computed jump (a write to PCL, BRW) or CALLW whose W and PCLATH are
  /// known. Nothing for other words.
  std::optional<int> Target(int address) const;

  /// The reached words whose target is `address`, ascending.
  std::span<const uint16_t> ReferencesTo(int address) const;

 private:
  friend class FlowSolver;

  struct WordFlow {
    ValueSet banks = 0;  // empty for an unreached word
    uint16_t pages = 0;
    uint16_t word = 0;  // the image's word, for the target of an unreached branch
    int32_t target = -1;
  };

  CoreFacts facts_;
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

}  // namespace tessarin
