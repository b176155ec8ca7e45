#pragma once

#include <optional>

#include "flow/core_facts.h"
#include "flow/flow_state.h"
#include "instructions/instruction.h"

namespace tessarin {

/// What each word does to the flow on one core: the state it leaves, where
/// branches and computed jumps go, and the states at the vectors.
class FlowRules {
 public:
  explicit FlowRules(const CoreFacts& facts);

  const CoreFacts& facts() const { return facts_; }
  int ProgramWords() const { return facts_.program_words; }

  /// The state after `instruction` has run (for any kind but a return).
  FlowState After(const Instruction& instruction, FlowState state) const;
  /// What a return leaves for the caller's fall-through.
  FlowState Returned(const Instruction& instruction, const FlowState& state) const;
  /// On reset: banks, pages and PCLATH 0, W unknown.
  FlowState AtReset() const;
  /// On interrupt: nothing known.
  FlowState AtInterrupt() const;
  /// `state` with banks, pages, PCLATH and W unknown, for each entry.
  FlowState Forgotten(const FlowState& state) const;
  /// After a call returns: the banks and pages its callee leaves, PCLATH's
  /// low bits and W unknown.
  FlowState AfterReturn(const ValueRelation& banks, const PageRelation& pages) const {
    return {banks, pages, all_low_, ByteSet::Any()};
  }

  /// A write to PCL: the program goes on at an address computed at run time.
  bool IsComputedJump(const Instruction& instruction) const;
  /// A computed jump that puts a value of its own into PCL (MOVWF, CLRF)
  /// rather than moving it on.
  bool ReplacesPcl(const Instruction& instruction) const;
  /// The one address that a computed jump or CALLW at `address` goes to
  /// when W and PCLATH are known in `state`.
  std::optional<int> KnownDestination(int address, const Instruction& instruction,
                                      const FlowState& state) const;
  /// Where a CALL or GOTO goes with PCLATH selecting one of `pages` (its
  /// own page unless that is one), or a BRA.
  int BranchTarget(int address, const Instruction& instruction, ValueSet pages) const;
  /// `address` on the program counter, wrapped into program memory.
  int Wrap(int address) const;

  /// Banks and pages of the part from the values of their bits.
  ValueSet PartBanks(ValueSet values) const {
    return (values & ~part_banks_) == 0 ? values : Fold(values, facts_.bank_count);
  }
  ValueSet PartPages(ValueSet values) const {
    return (values & ~part_pages_) == 0 ? values : Fold(values, facts_.page_count);
  }

 private:
  // The values of `values` modulo `count`.
  static ValueSet Fold(ValueSet values, int count);
  bool BankByBsr() const { return facts_.bsr != kNoRegister; }
  std::optional<int> KnownPclath(const FlowState& state) const;
  void WriteFile(FlowState& state, uint8_t file, const ByteSet& values) const;
  void WriteFileBit(FlowState& state, uint8_t file, int bit, bool set) const;

  CoreFacts facts_;
  // The bank bits (RP1:RP0 or BSR<4:0>), the PCLATH page bits and the
  // PCLATH bits below them, as a mask of their values and as the set of
  // every value.
  unsigned bank_mask_ = 0;
  unsigned page_mask_ = 0;
  unsigned low_mask_ = 0;
  ValueSet all_banks_ = 0;
  ValueSet all_pages_ = 0;
  ValueSet all_low_ = 0;
  // The values that are banks and pages of the part.
  ValueSet part_banks_ = 0;
  ValueSet part_pages_ = 0;
};

}  // namespace tessarin
