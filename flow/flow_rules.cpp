#include "flow/flow_rules.h"

#include <algorithm>
#include <bit>

namespace tessarin {
namespace {

constexpr int kPageWords = 0x800;
// The enhanced core's 15-bit program counter; the mid-range core's 13 bits
// wrap the same way within it.
constexpr int kCounterMask = 0x7FFF;
constexpr int kBsrBits = 5;         // BSR<4:0> is the bank
constexpr int kStatusBankBits = 2;  // STATUS RP1:RP0

ValueSet FirstValues(int count) { return count >= 32 ? ~ValueSet{0} : (ValueSet{1} << count) - 1; }

std::optional<int> SingleValue(ValueSet values) {
  if (values == 0 || (values & (values - 1)) != 0) return std::nullopt;
  return std::countr_zero(values);
}

}  // namespace

FlowRules::FlowRules(const CoreFacts& facts) : facts_(facts) {
  facts_.program_words = std::clamp(facts.program_words, 1, kCounterMask + 1);
  facts_.bank_count = std::max(facts.bank_count, 1);
  facts_.page_count = std::max(facts.page_count, 1);
  facts_.page_bits = std::min<uint8_t>(facts.page_bits, 4);
  facts_.pclath_page_shift = std::min<uint8_t>(facts.pclath_page_shift, 5);
  bank_mask_ = (1u << (BankByBsr() ? kBsrBits : kStatusBankBits)) - 1;
  page_mask_ = (1u << facts_.page_bits) - 1;
  low_mask_ = (1u << facts_.pclath_page_shift) - 1;
  all_banks_ = FirstValues(static_cast<int>(bank_mask_) + 1);
  all_pages_ = FirstValues(static_cast<int>(page_mask_) + 1);
  all_low_ = FirstValues(static_cast<int>(low_mask_) + 1);
  part_banks_ = FirstValues(facts_.bank_count);
  part_pages_ = FirstValues(facts_.page_count);
}

FlowState FlowRules::After(const Instruction& instruction, FlowState state) const {
  const uint8_t file = instruction.file;
  switch (instruction.mnemonic) {
    case Mnemonic::kMovlw:
      state.w = ByteSet::Only(instruction.literal);
      break;
    case Mnemonic::kClrw:
      state.w = ByteSet::Only(0);
      break;
    case Mnemonic::kClrf:
      WriteFile(state, file, ByteSet::Only(0));
      break;
    case Mnemonic::kMovwf: {
      const ByteSet w = state.w;
      WriteFile(state, file, w);
      break;
    }
    case Mnemonic::kBcf:
    case Mnemonic::kBsf:
      WriteFileBit(state, file, instruction.bit, instruction.mnemonic == Mnemonic::kBsf);
      break;
    case Mnemonic::kMovlb:
      state.banks = state.banks.SetTo(ValueSet{1} << (instruction.literal & bank_mask_));
      break;
    case Mnemonic::kMovlp:
      WriteFile(state, facts_.pclath, ByteSet::Only(instruction.literal));
      break;
    case Mnemonic::kMoviw:
    case Mnemonic::kMoviwIndexed:
      state.w = ByteSet::Any();
      break;
    default: {
      const OperandKind operands = OperandsOf(instruction.mnemonic);
      if (operands == OperandKind::kFileDest) {
        if (instruction.to_file) {
          WriteFile(state, file, ByteSet::Any());
        } else {
          state.w = ByteSet::Any();
        }
      } else if (operands == OperandKind::kLiteral8) {
        state.w = ByteSet::Any();
      }
      break;
    }
  }
  return state;
}

// A write to the register that selects the bank, to PCLATH or to WREG. A
// write through INDF or MOVWI is taken to reach none of them: programs do
// not point FSR at them.
void FlowRules::WriteFile(FlowState& state, uint8_t file, const ByteSet& values) const {
  if (BankByBsr() ? file == facts_.bsr : file == facts_.status) {
    state.banks = state.banks.SetTo(values.Field(BankByBsr() ? 0 : facts_.status_rp0, bank_mask_));
  }
  if (file == facts_.pclath) {
    state.pages = state.pages.SetTo(values.Field(facts_.pclath_page_shift, page_mask_));
    state.pclath_low = values.Field(0, low_mask_);
  }
  if (file == facts_.wreg) state.w = values;
}

void FlowRules::WriteFileBit(FlowState& state, uint8_t file, int bit, bool set) const {
  if (BankByBsr()) {
    if (file == facts_.bsr && bit < kBsrBits) state.banks = state.banks.WithBit(bit, set);
  } else if (file == facts_.status && bit >= facts_.status_rp0 &&
             bit < facts_.status_rp0 + kStatusBankBits) {
    state.banks = state.banks.WithBit(bit - facts_.status_rp0, set);
  }
  if (file == facts_.pclath) {
    const int page_bit = bit - facts_.pclath_page_shift;
    if (page_bit < 0) {
      state.pclath_low = ForceBit(state.pclath_low, bit, set);
    } else if (page_bit < facts_.page_bits) {
      state.pages = state.pages.WithBit(page_bit, set);
    }
  }
  if (file == facts_.wreg) state.w = state.w.WithBit(bit, set);
}

// On interrupt the enhanced core copies W, STATUS, BSR, PCLATH and the FSRs
// into shadow registers, and RETFIE copies them back: the interrupted code
// goes on with its own banks and pages, which is why the analysis never
// joins the interrupt's paths into the code they interrupt (mid-range
// handlers save and restore STATUS and PCLATH by hand to the same end).
// Nothing is cleared on entry, so the banks and pages at the vector are
// those of any interrupted word: unknown. A RETFIE that ends a subroutine
// reached by CALL returns with whatever the shadow registers hold: banks
// and pages unknown after it on that core.
FlowState FlowRules::Returned(const Instruction& instruction, const FlowState& state) const {
  if (facts_.core == Core::kEnhanced && instruction.mnemonic == Mnemonic::kRetfie) {
    return Forgotten(state);
  }
  return state;
}

FlowState FlowRules::AtReset() const {
  return {ValueRelation::Identity(1), PageRelation::Identity(1), 1, ByteSet::Any()};
}

FlowState FlowRules::AtInterrupt() const {
  return {ValueRelation::Identity(all_banks_), PageRelation::Identity(all_pages_), all_low_,
          ByteSet::Any()};
}

FlowState FlowRules::Forgotten(const FlowState& state) const {
  return {state.banks.SetTo(all_banks_), state.pages.SetTo(all_pages_), all_low_, ByteSet::Any()};
}

// Only the byte and bit operations have a file operand.
bool FlowRules::IsComputedJump(const Instruction& instruction) const {
  if (instruction.file != facts_.pcl) return false;
  const OperandKind operands = OperandsOf(instruction.mnemonic);
  if (operands == OperandKind::kFileBit) {
    return instruction.mnemonic == Mnemonic::kBsf || instruction.mnemonic == Mnemonic::kBcf;
  }
  return operands == OperandKind::kFile || instruction.to_file;
}

bool FlowRules::ReplacesPcl(const Instruction& instruction) const {
  return instruction.file == facts_.pcl &&
         (instruction.mnemonic == Mnemonic::kMovwf || instruction.mnemonic == Mnemonic::kClrf);
}

std::optional<int> FlowRules::KnownPclath(const FlowState& state) const {
  const std::optional<int> page = SingleValue(state.pages.Image());
  const std::optional<int> low = SingleValue(state.pclath_low);
  if (!page || !low) return std::nullopt;
  return *page << facts_.pclath_page_shift | *low;
}

// PCL reads as the low byte of the next word's address; a write to it
// jumps to PCLATH:PCL, CALLW calls PCLATH:W, BRW jumps W words on.
std::optional<int> FlowRules::KnownDestination(int address, const Instruction& instruction,
                                               const FlowState& state) const {
  const std::optional<unsigned> w = state.w.Single();
  std::optional<unsigned> low;
  switch (instruction.mnemonic) {
    case Mnemonic::kBrw:
      if (!w) return std::nullopt;
      return Wrap(address + 1 + static_cast<int>(*w));
    case Mnemonic::kCallw:
    case Mnemonic::kMovwf:
      low = w;
      break;
    case Mnemonic::kClrf:
      low = 0;
      break;
    case Mnemonic::kAddwf:
      if (w) low = (static_cast<unsigned>(address) + 1 + *w) & 0xFF;
      break;
    default:
      return std::nullopt;
  }
  if (instruction.mnemonic != Mnemonic::kCallw && !IsComputedJump(instruction)) return std::nullopt;
  const std::optional<int> pclath = KnownPclath(state);
  if (!low || !pclath) return std::nullopt;
  return Wrap(*pclath << 8 | static_cast<int>(*low));
}

int FlowRules::BranchTarget(int address, const Instruction& instruction, ValueSet pages) const {
  if (instruction.mnemonic == Mnemonic::kBra) return Wrap(address + 1 + instruction.offset);
  const int page = SingleValue(pages).value_or(address / kPageWords);
  return Wrap(page * kPageWords | instruction.literal);
}

int FlowRules::Wrap(int address) const {
  const int counter = address & kCounterMask;
  return counter < facts_.program_words ? counter : counter % facts_.program_words;
}

// A part with fewer banks or pages than its bits can select ignores the
// bits above.
ValueSet FlowRules::Fold(ValueSet values, int count) {
  ValueSet folded = 0;
  for (; values != 0; values &= values - 1) {
    folded |= ValueSet{1} << (std::countr_zero(values) % count);
  }
  return folded;
}

}  // namespace tessarin
