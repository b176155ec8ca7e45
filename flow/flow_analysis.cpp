#include "flow/flow_analysis.h"

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
        image_(image),
        out_(out),
        slot_(static_cast<size_t>(n_), -1) {
    out_.facts_ = rules_.facts();
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
    ValueRelation pages;
  };
  struct Node {
    FlowState state;
    Summary summary;
    Instruction instruction;
    int32_t pred_head = -1;    // the words that go on to this one without returning
    int32_t caller_head = -1;  // the calls that enter here
    uint32_t linked = 0;
    uint16_t address = 0;
    uint8_t queued = 0;
  };
  struct Link {
    int32_t from;  // node
    int32_t next;
  };
  // Bits of `linked`: 0-15 a CALL or GOTO linked to its target in that
  // page, then the successors that do not depend on the state, the table
  // after a computed jump and its known destination.
  static constexpr uint32_t kStaticLinked = 1u << 16;
  static constexpr uint32_t kTableLinked = 1u << 17;
  static constexpr uint32_t kDestinationLinked = 1u << 18;
  static constexpr uint8_t kInForward = 1;
  static constexpr uint8_t kInBackward = 2;

  static uint32_t PageFlag(int target) { return 1u << ((target >> 11) & 15); }

  int Next(int a) const { return (a + 1) % n_; }

  Instruction Decode(int a) const { return DecodeInstruction(image_.Word(a), rules_.facts().core); }

  // The node of a word of the image, made on first use; nullptr elsewhere.
  Node* NodeOf(int a) {
    if (a < 0 || a >= n_ || !image_.Has(a)) return nullptr;
    int32_t& slot = slot_[static_cast<size_t>(a)];
    if (slot < 0) {
      slot = static_cast<int32_t>(nodes_.size());
      Node& node = nodes_.emplace_back();
      node.instruction = Decode(a);
      node.address = static_cast<uint16_t>(a);
    }
    return &nodes_[static_cast<size_t>(slot)];
  }

  int TableEnd(int a) const {
    int end = a + 1;
    while (end < n_ && end <= a + kLongestTable && IsTableEntry(Decode(end))) ++end;
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

  void Summarise(Node& node, const Summary& summary) {
    const bool banks = node.summary.banks.Join(summary.banks);
    const bool pages = node.summary.pages.Join(summary.pages);
    if (banks || pages) Push(backward_, node, kInBackward);
  }

  // A call links its fall-through as a successor: the callee's return goes
  // on there, in the caller's subroutine.
  void Call(Node& node, int entry, const FlowState& state, uint32_t flag) {
    const int a = node.address;
    if (Claim(node, kStaticLinked)) AddLink(&Node::pred_head, Next(a), node);
    if (Claim(node, flag)) AddLink(&Node::caller_head, entry, node);
    calls_.push_back(static_cast<uint16_t>(a));
    Propagate(entry, {ValueRelation::Identity(state.banks.Image()),
                      ValueRelation::Identity(state.pages.Image()), state.pclath_low, state.w});
    if (const Node* callee = NodeOf(entry)) Return(node, callee->summary);
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
    const Instruction& instruction = node.instruction;
    const int a = node.address;
    const FlowKind kind = FlowOf(instruction.mnemonic);
    if (kind == FlowKind::kInvalid || kind == FlowKind::kReset) return;
    if (kind == FlowKind::kReturn) {
      const FlowState returned = rules_.Returned(instruction, node.state);
      Summarise(node, {returned.banks, returned.pages});
      return;
    }
    const FlowState after = rules_.After(instruction, node.state);
    if (rules_.IsComputedJump(instruction)) {
      ComputedJump(node, after);
      return;
    }
    switch (kind) {
      case FlowKind::kSkip:
        if (Claim(node, kStaticLinked)) {
          AddLink(&Node::pred_head, Next(a), node);
          AddLink(&Node::pred_head, Next(Next(a)), node);
        }
        Propagate(Next(Next(a)), after);
        Propagate(Next(a), after);
        break;
      case FlowKind::kNext:
        GoTo(node, Next(a), after, kStaticLinked);
        break;
      case FlowKind::kRelativeJump:
        GoTo(node, rules_.BranchTarget(a, instruction, 0), after, kStaticLinked);
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
          GoTo(node, Next(a), rules_.Forgotten(after), kStaticLinked);
        }
        break;
      default:
        break;
    }
  }

  void Backward(Node& node) {
    const Summary summary = node.summary;
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
    if (IsBranch(instruction)) {
      return rules_.BranchTarget(node.address, instruction, node.state.pages.Image());
    }
    if (!rules_.IsComputedJump(instruction) && instruction.mnemonic != Mnemonic::kCallw) return -1;
    return rules_.KnownDestination(node.address, instruction, node.state).value_or(-1);
  }

  void Publish() {
    out_.words_.assign(static_cast<size_t>(n_), {});
    for (int a = 0; a < n_; ++a) out_.words_[static_cast<size_t>(a)].word = image_.Word(a);
    std::vector<uint32_t> count(static_cast<size_t>(n_) + 1, 0);
    for (const Node& node : nodes_) {
      if (node.state.banks.Empty()) continue;
      FlowAnalysis::WordFlow& word = out_.words_[node.address];
      word.banks = rules_.PartBanks(node.state.banks.Image());
      word.pages = static_cast<uint16_t>(rules_.PartPages(node.state.pages.Image()));
      word.target = FinalTarget(node);
      if (word.target >= 0) ++count[static_cast<size_t>(word.target) + 1];
    }
    for (size_t k = 1; k < count.size(); ++k) count[k] += count[k - 1];
    out_.reference_start_ = count;
    out_.references_.resize(count.back());
    for (int a = 0; a < n_; ++a) {
      const FlowAnalysis::WordFlow& word = out_.words_[static_cast<size_t>(a)];
      if (word.banks != 0 && word.target >= 0) {
        out_.references_[count[static_cast<size_t>(word.target)]++] = static_cast<uint16_t>(a);
      }
    }
  }

  const FlowRules rules_;
  const int n_;
  const ProgramImage& image_;
  FlowAnalysis& out_;
  std::vector<int32_t> slot_;  // per word: its node, or -1
  std::vector<Node> nodes_;
  std::vector<Link> links_;
  std::vector<int32_t> forward_;
  std::vector<int32_t> backward_;
  std::vector<uint16_t> calls_;  // calls run since the last check for endless callees
};

bool FlowAnalysis::Reached(int address) const {
  return address >= 0 && address < ProgramWords() &&
         words_[static_cast<size_t>(address)].banks != 0;
}

ValueSet FlowAnalysis::Banks(int address) const {
  return Reached(address) ? words_[static_cast<size_t>(address)].banks : 0;
}

ValueSet FlowAnalysis::Pages(int address) const {
  return Reached(address) ? words_[static_cast<size_t>(address)].pages : 0;
}

// An unreached CALL, GOTO or BRA goes where it would from its own page.
std::optional<int> FlowAnalysis::Target(int address) const {
  if (address < 0 || address >= ProgramWords()) return std::nullopt;
  const WordFlow& word = words_[static_cast<size_t>(address)];
  int target = word.target;
  if (word.banks == 0) {
    const Instruction instruction = DecodeInstruction(word.word, facts_.core);
    target = IsBranch(instruction) ? FlowRules(facts_).BranchTarget(address, instruction, 0) : -1;
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
