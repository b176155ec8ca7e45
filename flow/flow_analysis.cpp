#include "flow/flow_analysis.h"

#include <algorithm>
#include <bit>

namespace tessarin {
namespace {

constexpr int kLongestTable = 256;  // an 8-bit PCL offset reaches no further

// A relation between the value (bank or page) at the entry of the running
// subroutine or vector and the value now: row e, bits 4e to 4e+3, holds the
// values possible now when the entry value was e. Relations let a CALL's
// fall-through map the caller's banks through what the callee does to them.
using Relation = uint16_t;

TwoBitSet Row(Relation relation, int entry) { return (relation >> (4 * entry)) & 0x0F; }

TwoBitSet ImageOf(Relation relation) {
  return static_cast<TwoBitSet>((relation | relation >> 4 | relation >> 8 | relation >> 12) & 0x0F);
}

Relation Identity(TwoBitSet values) {
  Relation relation = 0;
  for (int v = 0; v < 4; ++v) {
    if (values & (1 << v)) relation |= static_cast<Relation>(1 << (5 * v));
  }
  return relation;
}

// Applies `change` to the values of every row that has any.
template <typename Change>
Relation MapRows(Relation relation, Change change) {
  Relation result = 0;
  for (int entry = 0; entry < 4; ++entry) {
    const TwoBitSet row = Row(relation, entry);
    if (row != 0) result |= static_cast<Relation>(change(row) << (4 * entry));
  }
  return result;
}

Relation SetTo(Relation relation, TwoBitSet values) {
  return MapRows(relation, [values](TwoBitSet) { return values; });
}

// Sets (or clears) value bit `mask` in every possible value.
Relation ForceBit(Relation relation, int mask, bool set) {
  return MapRows(relation, [mask, set](TwoBitSet row) {
    TwoBitSet result = 0;
    for (int v = 0; v < 4; ++v) {
      if (row & (1 << v)) result |= static_cast<TwoBitSet>(1 << (set ? (v | mask) : (v & ~mask)));
    }
    return result;
  });
}

// The values now, given `first` up to a call and `second` over the callee.
Relation Compose(Relation first, Relation second) {
  return MapRows(first, [second](TwoBitSet row) {
    TwoBitSet result = 0;
    for (int v = 0; v < 4; ++v) {
      if (row & (1 << v)) result |= Row(second, v);
    }
    return result;
  });
}

// W as the set of its possible bank and page bits: element (the bits a
// write to STATUS puts into RP1:RP0) * 4 + (the bits a write to PCLATH puts
// into the page), so that MOVWF STATUS and MOVWF PCLATH can use a known W.
using WSet = uint16_t;
constexpr WSet kAnyW = 0xFFFF;

// The bits of the core that the analysis follows: the STATUS and PCLATH
// addresses, where RP0 and the page bits sit.
struct CoreBits {
  uint8_t pcl;
  uint8_t status;
  uint8_t pclath;
  int rp0;       // STATUS bit of bank bit 0; -1 where STATUS selects no bank
  int page_low;  // PCLATH bit of page bit 0
  int page_words;

  explicit CoreBits(const CoreTraits& traits)
      : pcl(traits.pcl),
        status(traits.status),
        pclath(traits.pclath),
        rp0(traits.status_rp0 == kNoBit ? -1 : traits.status_rp0),
        page_low(traits.pclath_page_shift),
        page_words(traits.page_words) {}

  bool SelectsBanks(uint8_t file) const { return rp0 >= 0 && file == status; }

  WSet WOf(unsigned literal) const {
    const unsigned banks = rp0 >= 0 ? (literal >> rp0) & 3 : 0;
    return static_cast<WSet>(1u << ((banks << 2) | ((literal >> page_low) & 3)));
  }
};

TwoBitSet BanksOf(WSet w) {
  TwoBitSet banks = 0;
  for (int e = 0; e < 16; ++e) {
    if (w & (1 << e)) banks |= static_cast<TwoBitSet>(1 << (e >> 2));
  }
  return banks;
}

TwoBitSet PagesOf(WSet w) {
  TwoBitSet pages = 0;
  for (int e = 0; e < 16; ++e) {
    if (w & (1 << e)) pages |= static_cast<TwoBitSet>(1 << (e & 3));
  }
  return pages;
}

struct State {
  Relation banks = 0;  // empty while the word is not reached
  Relation pages = 0;
  WSet w = 0;

  bool Join(const State& other) {
    const State joined{static_cast<Relation>(banks | other.banks),
                       static_cast<Relation>(pages | other.pages), static_cast<WSet>(w | other.w)};
    const bool changed = joined.banks != banks || joined.pages != pages || joined.w != w;
    *this = joined;
    return changed;
  }
};

// What the word does to the banks, the pages and W.
State Transfer(const Instruction& instruction, State state, const CoreBits& core) {
  const uint8_t file = instruction.file;
  switch (instruction.mnemonic) {
    case Mnemonic::kMovlw:
      state.w = core.WOf(instruction.literal);
      break;
    case Mnemonic::kClrw:
      state.w = core.WOf(0);
      break;
    case Mnemonic::kClrf:
      if (core.SelectsBanks(file)) state.banks = SetTo(state.banks, 1);
      if (file == core.pclath) state.pages = SetTo(state.pages, 1);
      break;
    case Mnemonic::kMovwf:
      if (core.SelectsBanks(file)) state.banks = SetTo(state.banks, BanksOf(state.w));
      if (file == core.pclath) state.pages = SetTo(state.pages, PagesOf(state.w));
      break;
    case Mnemonic::kBcf:
    case Mnemonic::kBsf: {
      const bool set = instruction.mnemonic == Mnemonic::kBsf;
      const int bit = instruction.bit;
      if (core.SelectsBanks(file) && (bit == core.rp0 || bit == core.rp0 + 1)) {
        state.banks = ForceBit(state.banks, 1 << (bit - core.rp0), set);
      }
      if (file == core.pclath && (bit == core.page_low || bit == core.page_low + 1)) {
        state.pages = ForceBit(state.pages, 1 << (bit - core.page_low), set);
      }
      break;
    }
    default:
      if (OperandsOf(instruction.mnemonic) == OperandKind::kFileDest) {
        if (!instruction.to_file) {
          state.w = kAnyW;
        } else if (core.SelectsBanks(file)) {
          state.banks = SetTo(state.banks, kAnyValue);
        } else if (file == core.pclath) {
          state.pages = SetTo(state.pages, kAnyValue);
        }
      } else if (OperandsOf(instruction.mnemonic) == OperandKind::kLiteral8) {
        state.w = kAnyW;
      }
      break;
  }
  return state;
}

// A write to PCL: the program goes on at an address computed at run time.
bool IsComputedJump(const Instruction& instruction, const CoreBits& core) {
  if (instruction.file != core.pcl) return false;
  switch (OperandsOf(instruction.mnemonic)) {
    case OperandKind::kFile:
      return true;
    case OperandKind::kFileDest:
      return instruction.to_file;
    case OperandKind::kFileBit:
      return instruction.mnemonic == Mnemonic::kBsf || instruction.mnemonic == Mnemonic::kBcf;
    default:
      return false;
  }
}

bool IsTableEntry(const Instruction& instruction) {
  return instruction.mnemonic == Mnemonic::kRetlw || instruction.mnemonic == Mnemonic::kGoto;
}

}  // namespace

// The fixpoint: a worklist of words whose state grew (forward), and one of
// words whose return summary grew (backward). The summary of a word is the
// union of the states at the returns reachable from it without returning
// first; a CALL's fall-through is its state composed with the summary of
// the callee's entry.
class FlowSolver {
 public:
  FlowSolver(const ProgramImage& image, const Processor& processor, FlowAnalysis& out)
      : n_(std::max<int>(processor.program_words, 1)),
        traits_(TraitsOf(processor)),
        core_(traits_),
        image_(image),
        out_(out),
        state_(static_cast<size_t>(n_)),
        summary_(static_cast<size_t>(n_)),
        pred_head_(static_cast<size_t>(n_), -1),
        caller_head_(static_cast<size_t>(n_), -1),
        linked_(static_cast<size_t>(n_), 0),
        queued_(static_cast<size_t>(n_), 0) {
    out_.processor_ = &processor;
    out_.words_.assign(static_cast<size_t>(n_), {});
    for (int a = 0; a < n_; ++a) {
      if (image.Has(a)) {
        out_.words_[static_cast<size_t>(a)].instruction =
            DecodeInstruction(image.Word(a), processor.core);
      }
    }
  }

  void Run() {
    // Banks that STATUS does not select are not followed: unknown from the start.
    const TwoBitSet reset_banks = core_.rp0 >= 0 ? 1 : kAnyValue;
    Propagate(traits_.reset_vector, {Identity(reset_banks), Identity(1), kAnyW});
    Propagate(traits_.interrupt_vector, {Identity(kAnyValue), Identity(kAnyValue), kAnyW});
    do {
      Drain();
    } while (ResumeAfterEndlessCalls());
    Publish();
  }

 private:
  struct Summary {
    Relation banks = 0;
    Relation pages = 0;
  };
  struct Link {
    uint16_t from;
    int32_t next;
  };
  static constexpr uint8_t kStaticLinked = 0x10;  // bits 0-3: branch pages linked
  static constexpr uint8_t kInForward = 1;
  static constexpr uint8_t kInBackward = 2;

  const Instruction& At(int a) const { return out_.words_[static_cast<size_t>(a)].instruction; }
  int Next(int a) const { return (a + 1) % n_; }

  // The page a CALL or GOTO goes to: the one PCLATH selects when known.
  int BranchPage(int a, TwoBitSet pages) const {
    return std::has_single_bit(pages) ? std::countr_zero(pages) : (a / core_.page_words) & 3;
  }

  int BranchTarget(int a, int page) const {
    return (page * core_.page_words + At(a).literal % core_.page_words) % n_;
  }

  int TableEnd(int a) const {
    int end = a + 1;
    while (end < n_ && end <= a + kLongestTable && IsTableEntry(At(end))) ++end;
    return end;
  }

  void AddLink(std::vector<int32_t>& heads, int to, int from) {
    links_.push_back({static_cast<uint16_t>(from), heads[static_cast<size_t>(to)]});
    heads[static_cast<size_t>(to)] = static_cast<int32_t>(links_.size() - 1);
  }

  template <typename Visit>
  void ForEachLink(const std::vector<int32_t>& heads, int to, Visit visit) const {
    for (int32_t k = heads[static_cast<size_t>(to)]; k >= 0;
         k = links_[static_cast<size_t>(k)].next) {
      visit(links_[static_cast<size_t>(k)].from);
    }
  }

  // Links the successors that do not depend on PCLATH, once per word.
  void LinkStaticSuccessors(int a, FlowKind kind) {
    uint8_t& linked = linked_[static_cast<size_t>(a)];
    if (linked & kStaticLinked) return;
    linked |= kStaticLinked;
    if (IsComputedJump(At(a), core_)) {
      for (int t = a + 1; t < TableEnd(a); ++t) AddLink(pred_head_, t, a);
    } else if (kind == FlowKind::kNext || kind == FlowKind::kCall) {
      AddLink(pred_head_, Next(a), a);
    } else if (kind == FlowKind::kSkip) {
      AddLink(pred_head_, Next(a), a);
      AddLink(pred_head_, Next(Next(a)), a);
    }
  }

  // Links a CALL or GOTO to its target in `page`, once per page.
  void LinkBranch(int a, int page, std::vector<int32_t>& heads) {
    const auto page_bit = static_cast<uint8_t>(1 << page);
    uint8_t& linked = linked_[static_cast<size_t>(a)];
    if (linked & page_bit) return;
    linked |= page_bit;
    AddLink(heads, BranchTarget(a, page), a);
  }

  void Push(std::vector<uint16_t>& list, int a, uint8_t flag) {
    uint8_t& queued = queued_[static_cast<size_t>(a)];
    if (queued & flag) return;
    queued |= flag;
    list.push_back(static_cast<uint16_t>(a));
  }

  void Propagate(int a, const State& state) {
    if (!image_.Has(a) || a >= n_) return;
    if (state_[static_cast<size_t>(a)].Join(state)) Push(forward_, a, kInForward);
  }

  void Summarise(int a, const Summary& summary) {
    Summary& mine = summary_[static_cast<size_t>(a)];
    const Summary joined{static_cast<Relation>(mine.banks | summary.banks),
                         static_cast<Relation>(mine.pages | summary.pages)};
    if (joined.banks == mine.banks && joined.pages == mine.pages) return;
    mine = joined;
    Push(backward_, a, kInBackward);
  }

  // The fall-through of CALL `call` once the callee entered at `entry` returns.
  void Return(int call, int entry) {
    const Summary& callee = summary_[static_cast<size_t>(entry)];
    const State& before = state_[static_cast<size_t>(call)];
    const State after{Compose(before.banks, callee.banks), Compose(before.pages, callee.pages),
                      kAnyW};
    if (after.banks != 0 && after.pages != 0) Propagate(Next(call), after);
  }

  void Forward(int a) {
    const Instruction& instruction = At(a);
    const State& state = state_[static_cast<size_t>(a)];
    const FlowKind kind = FlowOf(instruction.mnemonic);
    if (kind == FlowKind::kInvalid) return;
    if (kind == FlowKind::kReturn) {
      Summarise(a, {state.banks, state.pages});
      return;
    }
    LinkStaticSuccessors(a, kind);
    const State after = Transfer(instruction, state, core_);
    if (IsComputedJump(instruction, core_)) {
      const State any_w{after.banks, after.pages, kAnyW};
      for (int t = a + 1; t < TableEnd(a); ++t) Propagate(t, any_w);
      return;
    }
    switch (kind) {
      case FlowKind::kSkip:
        Propagate(Next(Next(a)), after);
        [[fallthrough]];
      case FlowKind::kNext:
        Propagate(Next(a), after);
        break;
      case FlowKind::kGoto: {
        const int page = BranchPage(a, ImageOf(after.pages));
        LinkBranch(a, page, pred_head_);
        Propagate(BranchTarget(a, page), after);
        break;
      }
      case FlowKind::kCall: {
        const int page = BranchPage(a, ImageOf(after.pages));
        const int entry = BranchTarget(a, page);
        LinkBranch(a, page, caller_head_);
        calls_.push_back(static_cast<uint16_t>(a));
        Propagate(entry, {Identity(ImageOf(after.banks)), Identity(ImageOf(after.pages)), after.w});
        Return(a, entry);
        break;
      }
      default:
        break;
    }
  }

  void Backward(int a) {
    const Summary summary = summary_[static_cast<size_t>(a)];
    ForEachLink(pred_head_, a, [&](int from) { Summarise(from, summary); });
    ForEachLink(caller_head_, a, [&](int call) { Return(call, a); });
  }

  void Drain() {
    while (!forward_.empty() || !backward_.empty()) {
      const bool backward = !backward_.empty();
      std::vector<uint16_t>& list = backward ? backward_ : forward_;
      const int a = list.back();
      list.pop_back();
      queued_[static_cast<size_t>(a)] &=
          static_cast<uint8_t>(backward ? ~kInBackward : ~kInForward);
      backward ? Backward(a) : Forward(a);
    }
  }

  // A CALL whose callee was never seen to return still goes on after it,
  // with the banks and pages unknown: the return may be one the analysis
  // cannot follow. True when that started new work.
  bool ResumeAfterEndlessCalls() {
    std::vector<uint16_t> calls;
    calls.swap(calls_);
    bool resumed = false;
    for (const int a : calls) {
      const State& state = state_[static_cast<size_t>(a)];
      if (state_[static_cast<size_t>(Next(a))].banks != 0 || !image_.Has(Next(a))) continue;
      Propagate(Next(a), {SetTo(state.banks, kAnyValue), SetTo(state.pages, kAnyValue), kAnyW});
      resumed = true;
    }
    return resumed;
  }

  void Publish() {
    std::vector<uint32_t> count(static_cast<size_t>(n_) + 1, 0);
    for (int a = 0; a < n_; ++a) {
      FlowAnalysis::WordFlow& word = out_.words_[static_cast<size_t>(a)];
      const State& state = state_[static_cast<size_t>(a)];
      word.reached = state.banks != 0;
      word.banks = ImageOf(state.banks);
      word.pages = ImageOf(state.pages);
      const FlowKind kind = FlowOf(word.instruction.mnemonic);
      if (kind != FlowKind::kCall && kind != FlowKind::kGoto) continue;
      word.target = BranchTarget(a, BranchPage(a, word.pages));
      if (word.reached) ++count[static_cast<size_t>(word.target) + 1];
    }
    for (size_t k = 1; k < count.size(); ++k) count[k] += count[k - 1];
    out_.reference_start_ = count;
    out_.references_.resize(count.back());
    for (int a = 0; a < n_; ++a) {
      const FlowAnalysis::WordFlow& word = out_.words_[static_cast<size_t>(a)];
      if (word.target >= 0 && word.reached) {
        out_.references_[count[static_cast<size_t>(word.target)]++] = static_cast<uint16_t>(a);
      }
    }
  }

  const int n_;
  const CoreTraits& traits_;
  const CoreBits core_;
  const ProgramImage& image_;
  FlowAnalysis& out_;
  std::vector<State> state_;
  std::vector<Summary> summary_;
  std::vector<int32_t> pred_head_;    // words that go on to this one without returning
  std::vector<int32_t> caller_head_;  // CALL words that enter here
  std::vector<Link> links_;
  std::vector<uint8_t> linked_;
  std::vector<uint8_t> queued_;
  std::vector<uint16_t> forward_;
  std::vector<uint16_t> backward_;
  std::vector<uint16_t> calls_;  // CALL words run since the last check for endless callees
};

const Instruction& FlowAnalysis::InstructionAt(int address) const {
  static constexpr Instruction kNoInstruction{};
  if (address < 0 || address >= ProgramWords()) return kNoInstruction;
  return words_[static_cast<size_t>(address)].instruction;
}

bool FlowAnalysis::Reached(int address) const {
  return address >= 0 && address < ProgramWords() && words_[static_cast<size_t>(address)].reached;
}

TwoBitSet FlowAnalysis::Banks(int address) const {
  return Reached(address) ? words_[static_cast<size_t>(address)].banks : 0;
}

TwoBitSet FlowAnalysis::Pages(int address) const {
  return Reached(address) ? words_[static_cast<size_t>(address)].pages : 0;
}

std::optional<int> FlowAnalysis::Target(int address) const {
  if (address < 0 || address >= ProgramWords()) return std::nullopt;
  const int32_t target = words_[static_cast<size_t>(address)].target;
  if (target < 0) return std::nullopt;
  return target;
}

std::span<const uint16_t> FlowAnalysis::ReferencesTo(int address) const {
  if (address < 0 || address >= ProgramWords()) return {};
  const auto at = static_cast<size_t>(address);
  return std::span<const uint16_t>(references_)
      .subspan(reference_start_[at], reference_start_[at + 1] - reference_start_[at]);
}

FlowAnalysis AnalyseFlow(const ProgramImage& image, const Processor& processor) {
  FlowAnalysis analysis;
  FlowSolver(image, processor, analysis).Run();
  return analysis;
}

}  // namespace tessarin
