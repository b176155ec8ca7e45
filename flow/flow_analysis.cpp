#include "flow/flow_analysis.h"

#include <utility>

#include "flow/flow_rules.h"
#include "flow/flow_state.h"
#include "instructions/instruction.h"

namespace tessarin {
namespace {

constexpr int kLongestTable = 256;  // an 8-bit PCL offset or W reaches no further

bool IsTableEntry(const Instruction& instruction) {
  return instruction.mnemonic == Mnemonic::kRetlw || instruction.mnemonic == Mnemonic::kGoto ||
         instruction.mnemonic == Mnemonic::kBra;
}

bool IsBranch(const Instruction& instruction) {
  const FlowKind kind = FlowOf(instruction.mnemonic);
  return kind == FlowKind::kCall || kind == FlowKind::kGoto || kind == FlowKind::kRelativeJump;
}

}  // namespace

// The fixpoint over the words the vectors reach, each a node made when
// first reached: a worklist of nodes whose state grew (forward), and one of
// nodes whose return summary grew (backward). The summary of a word is the
// union of the states at the returns reachable from it without returning
// first; a call's fall-through is its state composed with the summary of
// the callee's entry.
class FlowSolver {
 public:
  FlowSolver(const ProgramImage& image, const CoreFacts& facts, FlowAnalysis& out)
      : rules_(facts),
        n_(rules_.ProgramWords()),
        out_(out),
        slot_(static_cast<size_t>(n_), kAbsent) {
    out_.facts_ = rules_.facts();
    out_.words_.assign(static_cast<size_t>(n_), {});
    for (int a = 0; a < n_; ++a) {
      if (image.Has(a)) {
        out_.words_[static_cast<size_t>(a)].instruction =
            DecodeInstruction(image.Word(a), facts.core);
        slot_[static_cast<size_t>(a)] = kNoNode;
      }
    }
    // Every node a word may need, so that references to nodes stay valid.
    nodes_.reserve(static_cast<size_t>(n_));
  }

  void Run() {
    Propagate(rules_.facts().reset_vector, rules_.AtReset());
    Propagate(rules_.facts().interrupt_vector, rules_.AtInterrupt());
    do {
      Drain();
    } while (ResumeAfterEndlessCalls());
    Publish();
  }

 private:
  struct Summary {
    ValueRelation banks;
    PageRelation pages;
  };
  // A reached word: what the forward pass reads and writes on the first
  // cache line, the summary and the links that the backward pass reads on
  // the second.
  struct alignas(64) Node {
    FlowState state;
    Instruction instruction;
    uint16_t address = 0;
    FlowKind kind = FlowKind::kInvalid;  // kJumpOnW for any computed jump
    uint8_t queued = 0;
    uint32_t linked = 0;
    Summary summary;
    int32_t pred_head = -1;    // the words that jump to this one (not those that fall into it)
    int32_t caller_head = -1;  // the calls that enter here
  };
  struct Link {
    int32_t from;  // node
    int32_t next;
  };
  // Bits of `linked`: 0-15 a CALL or GOTO linked to its target in that
  // page, then a BRA to its target, a computed jump to the table after it
  // and to its known destination.
  static constexpr uint32_t kBraLinked = 1u << 16;
  static constexpr uint32_t kTableLinked = 1u << 17;
  static constexpr uint32_t kDestinationLinked = 1u << 18;
  static constexpr int32_t kAbsent = -2;  // `slot_` of a word the image lacks
  static constexpr int32_t kNoNode = -1;
  static constexpr uint8_t kInForward = 1;
  static constexpr uint8_t kInBackward = 2;

  static uint32_t PageFlag(int target) { return 1u << ((target >> 11) & 15); }

  int Next(int a) const { return (a + 1) % n_; }
  int Previous(int a) const { return (a + n_ - 1) % n_; }

  const Instruction& At(int a) const { return out_.words_[static_cast<size_t>(a)].instruction; }

  // The node of a word of the image, made on first use; nullptr elsewhere.
  Node* NodeOf(int a) {
    if (a < 0 || a >= n_) return nullptr;
    int32_t& slot = slot_[static_cast<size_t>(a)];
    if (slot == kAbsent) return nullptr;
    if (slot == kNoNode) {
      slot = static_cast<int32_t>(nodes_.size());
      Node& node = nodes_.emplace_back();
      node.instruction = At(a);
      node.address = static_cast<uint16_t>(a);
      node.kind = rules_.IsComputedJump(At(a)) ? FlowKind::kJumpOnW : FlowOf(At(a).mnemonic);
    }
    return &nodes_[static_cast<size_t>(slot)];
  }

  int TableEnd(int a) const {
    int end = a + 1;
    while (end < n_ && end <= a + kLongestTable && IsTableEntry(At(end))) ++end;
    return end;
  }

  // True the first time `node` claims the links that `flag` stands for.
  static bool Claim(Node& node, uint32_t flag) {
    if (node.linked & flag) return false;
    node.linked |= flag;
    return true;
  }

  // Links `from` into the list of word `to` that `head` picks.
  void AddLink(int32_t Node::*head, int to, const Node& from) {
    Node* target = NodeOf(to);
    if (target == nullptr) return;
    links_.push_back({static_cast<int32_t>(&from - nodes_.data()), target->*head});
    target->*head = static_cast<int32_t>(links_.size() - 1);
  }

  template <typename Visit>
  void ForEachLink(int32_t head, Visit visit) {
    for (int32_t k = head; k >= 0; k = links_[static_cast<size_t>(k)].next) {
      visit(nodes_[static_cast<size_t>(links_[static_cast<size_t>(k)].from)]);
    }
  }

  void Push(std::vector<int32_t>& list, Node& node, uint8_t flag) {
    if (node.queued & flag) return;
    node.queued |= flag;
    list.push_back(static_cast<int32_t>(&node - nodes_.data()));
  }

  void Propagate(int a, const FlowState& state) {
    Node* node = NodeOf(a);
    if (node != nullptr && node->state.Join(state)) Push(forward_, *node, kInForward);
  }

  // Control goes on from `from` to `to` without returning.
  void GoTo(Node& from, int to, const FlowState& state, uint32_t flag) {
    if (Claim(from, flag)) AddLink(&Node::pred_head, to, from);
    Propagate(to, state);
  }

  static Summary& SummaryOf(Node& node) { return node.summary; }

  void Summarise(Node& node, const Summary& summary) {
    Summary& mine = SummaryOf(node);
    const bool banks = mine.banks.Join(summary.banks);
    const bool pages = mine.pages.Join(summary.pages);
    if (banks || pages) Push(backward_, node, kInBackward);
  }

  // The callee's return goes on at the call's fall-through, in the caller's
  // subroutine.
  void Call(Node& node, int entry, const FlowState& state, uint32_t flag) {
    const int a = node.address;
    if (Claim(node, flag)) AddLink(&Node::caller_head, entry, node);
    calls_.push_back(static_cast<uint16_t>(a));
    Propagate(entry, {ValueRelation::Identity(state.banks.Image()),
                      PageRelation::Identity(state.pages.Image()), state.pclath_low, state.w});
    if (Node* callee = NodeOf(entry)) Return(node, SummaryOf(*callee));
  }

  // The fall-through of the call `call` once a callee with `summary` returns.
  void Return(const Node& call, const Summary& summary) {
    FlowState after = rules_.Forgotten(call.state);
    after.banks = call.state.banks.Then(summary.banks);
    after.pages = call.state.pages.Then(summary.pages);
    if (!after.banks.Empty() && !after.pages.Empty()) Propagate(Next(call.address), after);
  }

  // A write to PCL or BRW: where W and PCLATH say when they are known; a
  // jump that adds to PCL (or BRW) also into the table after it, whose
  // entries other paths may choose.
  void ComputedJump(Node& node, const FlowState& after) {
    const int a = node.address;
    const std::optional<int> to = rules_.KnownDestination(a, node.instruction, after);
    if (to) GoTo(node, *to, after, kDestinationLinked);
    if (to && rules_.ReplacesPcl(node.instruction)) return;
    FlowState any_w = after;
    any_w.w = ByteSet::Any();
    const int end = TableEnd(a);
    const bool link = Claim(node, kTableLinked);
    for (int t = a + 1; t < end; ++t) {
      if (link) AddLink(&Node::pred_head, t, node);
      Propagate(t, any_w);
    }
  }

  void Forward(Node& node) {
    const int a = node.address;
    const Instruction& instruction = node.instruction;
    const FlowKind kind = node.kind;
    if (kind == FlowKind::kInvalid || kind == FlowKind::kReset) return;
    if (kind == FlowKind::kReturn) {
      const FlowState returned = rules_.Returned(instruction, node.state);
      Summarise(node, {returned.banks, returned.pages});
      return;
    }
    const FlowState after = rules_.After(instruction, node.state);
    switch (kind) {
      case FlowKind::kJumpOnW:
        ComputedJump(node, after);
        break;
      case FlowKind::kSkip:
        Propagate(Next(Next(a)), after);
        [[fallthrough]];
      case FlowKind::kNext:
        Propagate(Next(a), after);
        break;
      case FlowKind::kRelativeJump:
        GoTo(node, rules_.BranchTarget(a, instruction, 0), after, kBraLinked);
        break;
      case FlowKind::kGoto: {
        const int target = rules_.BranchTarget(a, instruction, after.pages.Image());
        GoTo(node, target, after, PageFlag(target));
        break;
      }
      case FlowKind::kCall: {
        const int target = rules_.BranchTarget(a, instruction, after.pages.Image());
        Call(node, target, after, PageFlag(target));
        break;
      }
      case FlowKind::kCallOnW:
        if (const std::optional<int> entry = rules_.KnownDestination(a, instruction, after)) {
          Call(node, *entry, after, kDestinationLinked);
        } else {
          Propagate(Next(a), rules_.Forgotten(after));
        }
        break;
      default:
        break;
    }
  }

  // Whether the reached word at `from` goes on to the next word (or, for a
  // skip, the one after) without returning: the links that no list holds.
  Node* FallingInto(int from, bool over_one) {
    const int32_t slot = slot_[static_cast<size_t>(from)];
    if (slot < 0) return nullptr;
    Node& node = nodes_[static_cast<size_t>(slot)];
    const FlowKind kind = node.kind;
    const bool falls = kind == FlowKind::kSkip ||
                       (!over_one && (kind == FlowKind::kCall || kind == FlowKind::kCallOnW ||
                                      kind == FlowKind::kNext));
    return falls && !node.state.banks.Empty() ? &node : nullptr;
  }

  void Backward(Node& node) {
    const Summary summary = SummaryOf(node);
    const int a = node.address;
    if (Node* from = FallingInto(Previous(a), false)) Summarise(*from, summary);
    if (Node* from = FallingInto(Previous(Previous(a)), true)) Summarise(*from, summary);
    ForEachLink(node.pred_head, [&](Node& from) { Summarise(from, summary); });
    ForEachLink(node.caller_head, [&](Node& call) { Return(call, summary); });
  }

  void Drain() {
    while (!forward_.empty() || !backward_.empty()) {
      const bool backward = !backward_.empty();
      std::vector<int32_t>& list = backward ? backward_ : forward_;
      Node& node = nodes_[static_cast<size_t>(list.back())];
      list.pop_back();
      node.queued &= static_cast<uint8_t>(backward ? ~kInBackward : ~kInForward);
      backward ? Backward(node) : Forward(node);
    }
  }

  // A call whose callee was never seen to return still goes on after it,
  // with the banks and pages unknown: the return may be one the analysis
  // cannot follow. True when that started new work.
  bool ResumeAfterEndlessCalls() {
    std::vector<uint16_t> calls;
    calls.swap(calls_);
    bool resumed = false;
    for (const int a : calls) {
      const Node* next = NodeOf(Next(a));
      if (next == nullptr || !next->state.banks.Empty()) continue;
      Propagate(Next(a), rules_.Forgotten(NodeOf(a)->state));
      resumed = true;
    }
    return resumed;
  }

  // Where a reached word goes, by its final state.
  int32_t FinalTarget(const Node& node) const {
    const Instruction& instruction = node.instruction;
    switch (node.kind) {
      case FlowKind::kCall:
      case FlowKind::kGoto:
      case FlowKind::kRelativeJump:
        return rules_.BranchTarget(node.address, instruction, node.state.pages.Image());
      case FlowKind::kJumpOnW:
      case FlowKind::kCallOnW:
        return rules_.KnownDestination(node.address, instruction, node.state).value_or(-1);
      default:
        return -1;
    }
  }

  void Publish() {
    std::vector<std::pair<int32_t, uint16_t>> references;  // target, source
    for (const Node& node : nodes_) {
      if (node.state.banks.Empty()) continue;
      FlowAnalysis::WordFlow& word = out_.words_[node.address];
      word.banks = rules_.PartBanks(node.state.banks.Image());
      word.pages = static_cast<uint16_t>(rules_.PartPages(node.state.pages.Image()));
      word.target = FinalTarget(node);
      if (word.target >= 0) references.emplace_back(word.target, node.address);
    }
    // By target, then by source: a count per target, and the few sources
    // of each target put in order where they land.
    std::vector<uint32_t>& start = out_.reference_start_;
    start.assign(static_cast<size_t>(n_) + 1, 0);
    for (const auto& [target, from] : references) ++start[static_cast<size_t>(target) + 1];
    for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    std::vector<uint32_t> end(start.begin(), start.end() - 1);
    out_.references_.assign(references.size(), 0);
    for (const auto& [target, from] : references) {
      const auto first = out_.references_.begin() + start[static_cast<size_t>(target)];
      auto at = out_.references_.begin() + end[static_cast<size_t>(target)]++;
      for (; at != first && *(at - 1) > from; --at) *at = *(at - 1);
      *at = from;
    }
  }

  const FlowRules rules_;
  const int n_;
  FlowAnalysis& out_;
  std::vector<int32_t> slot_;  // per word: its node, kNoNode or kAbsent
  std::vector<Node> nodes_;
  std::vector<Link> links_;
  std::vector<int32_t> forward_;
  std::vector<int32_t> backward_;
  std::vector<uint16_t> calls_;  // calls run since the last check for endless callees
};

// An unreached CALL, GOTO or BRA goes where it would from its own page.
std::optional<int> FlowAnalysis::Target(int address) const {
  if (address < 0 || address >= ProgramWords()) return std::nullopt;
  const WordFlow& word = words_[static_cast<size_t>(address)];
  int target = word.target;
  if (word.banks == 0) {
    target = IsBranch(word.instruction)
                 ? FlowRules(facts_).BranchTarget(address, word.instruction, 0)
                 : -1;
  }
  if (target < 0) return std::nullopt;
  return target;
}

std::span<const uint16_t> FlowAnalysis::ReferencesTo(int address) const {
  if (address < 0 || address >= ProgramWords()) return {};
  const auto at = static_cast<size_t>(address);
  return std::span<const uint16_t>(references_)
      .subspan(reference_start_[at], reference_start_[at + 1] - reference_start_[at]);
}

FlowAnalysis AnalyseFlow(const ProgramImage& image, const CoreFacts& facts) {
  FlowAnalysis analysis;
  FlowSolver(image, facts, analysis).Run();
  return analysis;
}

}  // namespace tessarin
