#include "flow/flow_analysis.h"

#include <limits>
#include <numeric>
#include <utility>

#include "flow/flow_rules.h"
#include "flow/flow_state.h"
#include "instructions/decoded_words.h"
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
// the callee's entry. Node and link numbers count from 1, so that 0 is
// none.
class FlowSolver {
 public:
  FlowSolver(const ProgramImage& image, const CoreFacts& facts, FlowAnalysis& out)
      : rules_(facts), n_(rules_.ProgramWords()), out_(out), node_of_(static_cast<size_t>(n_)) {
    out_.rules_ = rules_;
    out_.words_.resize(static_cast<size_t>(n_));
    const DecodedWords& decoded = DecodedWords::Of(facts.core);
    for (int a = 0; a < n_; ++a) {
      if (!image.Has(a)) {
        node_of_[static_cast<size_t>(a)] = kAbsent;
        continue;
      }
      out_.words_[static_cast<size_t>(a)].instruction = decoded[image.Word(a)].instruction;
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

    // As `FlowState::Join`, a summary still empty takes the other as it is.
    bool Join(const Summary& other) {
      if (banks.Empty() && pages.Empty()) {
        *this = other;
        return !(other.banks.Empty() && other.pages.Empty());
      }
      const bool banks_grew = banks.Join(other.banks);
      const bool pages_grew = pages.Join(other.pages);
      return banks_grew || pages_grew;
    }
  };
  // A reached word: what the forward pass reads and writes on the first
  // cache line, the summary and the links that the backward pass reads on
  // the second.
  struct alignas(64) Node {
    FlowState state;
    Instruction instruction;
    uint16_t address;
    FlowKind kind;  // kJumpOnW for any computed jump
    bool in_forward = false;
    bool in_backward = false;
    Summary summary;
    uint32_t jumps_here = 0;  // the words that jump to this one (not those that fall into it)
    uint32_t calls_here = 0;  // the calls that enter here
  };
  struct Link {
    uint32_t from;  // node
    uint32_t next;  // link
  };
  // `node_of_` of a word that the image lacks.
  static constexpr uint32_t kAbsent = std::numeric_limits<uint32_t>::max();

  // Program memory wraps around; a and its neighbours are program words.
  int Next(int a) const { return a + 1 == n_ ? 0 : a + 1; }
  int Previous(int a) const { return a == 0 ? n_ - 1 : a - 1; }

  const Instruction& At(int a) const { return out_.words_[static_cast<size_t>(a)].instruction; }
  uint32_t Number(const Node& node) const {
    return static_cast<uint32_t>(&node - nodes_.data()) + 1;
  }
  Node& NodeNumber(uint32_t number) { return nodes_[number - 1]; }

  // The node of a word of the image, made on first use; nullptr elsewhere.
  Node* NodeOf(int a) {
    if (a < 0 || a >= n_) return nullptr;
    uint32_t& number = node_of_[static_cast<size_t>(a)];
    if (number == kAbsent) return nullptr;
    if (number == 0) {
      Node& node = nodes_.emplace_back();
      number = Number(node);
      node.instruction = At(a);
      node.address = static_cast<uint16_t>(a);
      node.kind = rules_.IsComputedJump(At(a)) ? FlowKind::kJumpOnW : FlowOf(At(a).mnemonic);
    }
    return &NodeNumber(number);
  }

  int TableEnd(int a) const {
    int end = a + 1;
    while (end < n_ && end <= a + kLongestTable && IsTableEntry(At(end))) ++end;
    return end;
  }

  // Adds `from` to the list of word `to` that `head` picks. A word that
  // runs again adds itself again, unless it is still first in the list:
  // visiting it twice in a row would only repeat the same step.
  void AddLink(uint32_t Node::*head, int to, const Node& from) {
    Node* target = NodeOf(to);
    if (target == nullptr) return;
    const uint32_t first = target->*head;
    if (first != 0 && links_[first - 1].from == Number(from)) return;
    links_.push_back({Number(from), first});
    target->*head = static_cast<uint32_t>(links_.size());
  }

  template <typename Visit>
  void ForEachLink(uint32_t head, Visit visit) {
    for (uint32_t k = head; k != 0; k = links_[k - 1].next) visit(NodeNumber(links_[k - 1].from));
  }

  void Propagate(int a, const FlowState& state) {
    if (state.banks.Empty()) return;  // no path
    Node* node = NodeOf(a);
    if (node == nullptr || !node->state.Join(state) || node->in_forward) return;
    node->in_forward = true;
    forward_.push_back(Number(*node));
  }

  // Control goes on from `from` to `to` without returning.
  void GoTo(const Node& from, int to, const FlowState& state) {
    AddLink(&Node::jumps_here, to, from);
    Propagate(to, state);
  }

  void Summarise(Node& node, const Summary& summary) {
    if (!node.summary.Join(summary) || node.in_backward) return;
    node.in_backward = true;
    backward_.push_back(Number(node));
  }

  // The callee's return goes on at the call's fall-through, in the
  // caller's subroutine.
  void Call(Node& node, int entry, const FlowState& state) {
    AddLink(&Node::calls_here, entry, node);
    calls_.push_back(node.address);
    Propagate(entry, {ValueRelation::Identity(state.banks.Image()),
                      PageRelation::Identity(state.pages.Image()), state.pclath_low, state.w});
    if (const Node* callee = NodeOf(entry)) Return(node, callee->summary);
  }

  // The fall-through of the call `call` once a callee with `summary` returns.
  void Return(const Node& call, const Summary& summary) {
    Propagate(Next(call.address), rules_.AfterReturn(call.state.banks.Then(summary.banks),
                                                     call.state.pages.Then(summary.pages)));
  }

  // A write to PCL or BRW: where W and PCLATH say when they are known; a
  // jump that adds to PCL (or BRW) also into the table after it, whose
  // entries other paths may choose.
  void ComputedJump(const Node& node, const FlowState& after) {
    const int a = node.address;
    const std::optional<int> to = rules_.KnownDestination(a, node.instruction, after);
    if (to) GoTo(node, *to, after);
    if (to && rules_.ReplacesPcl(node.instruction)) return;
    FlowState any_w = after;
    any_w.w = ByteSet::Any();
    const int end = TableEnd(a);
    for (int t = a + 1; t < end; ++t) GoTo(node, t, any_w);
  }

  void Forward(Node& node) {
    const int a = node.address;
    const Instruction& instruction = node.instruction;
    if (node.kind == FlowKind::kReturn) {
      const FlowState returned = rules_.Returned(instruction, node.state);
      Summarise(node, {returned.banks, returned.pages});
      return;
    }
    const FlowState after = rules_.After(instruction, node.state);
    switch (node.kind) {
      case FlowKind::kJumpOnW:
        ComputedJump(node, after);
        break;
      case FlowKind::kSkip:
        Propagate(Next(Next(a)), after);
        [[fallthrough]];
      case FlowKind::kNext:
        Propagate(Next(a), after);
        break;
      case FlowKind::kGoto:
      case FlowKind::kRelativeJump:
        GoTo(node, rules_.BranchTarget(a, instruction, after.pages.Image()), after);
        break;
      case FlowKind::kCall:
        Call(node, rules_.BranchTarget(a, instruction, after.pages.Image()), after);
        break;
      case FlowKind::kCallOnW:
        if (const std::optional<int> entry = rules_.KnownDestination(a, instruction, after)) {
          Call(node, *entry, after);
        } else {
          Propagate(Next(a), rules_.Forgotten(after));
        }
        break;
      default:  // no instruction, RESET: the path ends
        break;
    }
  }

  // The reached word at `from` when it goes on to the next word (or, for a
  // skip, the one after) without returning: the links that no list holds.
  // (Every node is reached: one is made only for a path into its word.)
  Node* FallingInto(int from, bool over_one) {
    const uint32_t number = node_of_[static_cast<size_t>(from)];
    if (number == 0 || number == kAbsent) return nullptr;
    Node& node = NodeNumber(number);
    const FlowKind kind = node.kind;
    const bool falls = kind == FlowKind::kSkip ||
                       (!over_one && (kind == FlowKind::kCall || kind == FlowKind::kCallOnW ||
                                      kind == FlowKind::kNext));
    return falls ? &node : nullptr;
  }

  void Backward(Node& node) {
    const Summary summary = node.summary;
    const int a = node.address;
    if (Node* from = FallingInto(Previous(a), false)) Summarise(*from, summary);
    if (Node* from = FallingInto(Previous(Previous(a)), true)) Summarise(*from, summary);
    ForEachLink(node.jumps_here, [&](Node& from) { Summarise(from, summary); });
    ForEachLink(node.calls_here, [&](const Node& call) { Return(call, summary); });
  }

  void Drain() {
    while (!forward_.empty() || !backward_.empty()) {
      const bool backward = !backward_.empty();
      std::vector<uint32_t>& list = backward ? backward_ : forward_;
      Node& node = NodeNumber(list.back());
      list.pop_back();
      if (backward) {
        node.in_backward = false;
        Backward(node);
      } else {
        node.in_forward = false;
        Forward(node);
      }
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
  std::optional<int> FinalTarget(const Node& node) const {
    switch (node.kind) {
      case FlowKind::kCall:
      case FlowKind::kGoto:
      case FlowKind::kRelativeJump:
        return rules_.BranchTarget(node.address, node.instruction, node.state.pages.Image());
      case FlowKind::kJumpOnW:
      case FlowKind::kCallOnW:
        return rules_.KnownDestination(node.address, node.instruction, node.state);
      default:
        return std::nullopt;
    }
  }

  void Publish() {
    std::vector<std::pair<int, uint16_t>> references;  // target, source
    references.reserve(nodes_.size());
    for (const Node& node : nodes_) {
      FlowAnalysis::WordFlow& word = out_.words_[node.address];
      word.banks = rules_.PartBanks(node.state.banks.Image());
      word.pages = static_cast<uint16_t>(rules_.PartPages(node.state.pages.Image()));
      word.target = FinalTarget(node);
      if (word.target) references.emplace_back(*word.target, node.address);
    }
    // By target, then by source: a count per target, and the few sources
    // of each target put in order where they land.
    std::vector<uint32_t>& start = out_.reference_start_;
    start.resize(static_cast<size_t>(n_) + 1);
    for (const auto& [target, from] : references) ++start[static_cast<size_t>(target) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<uint32_t> end = start;
    out_.references_.resize(references.size());
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
  std::vector<uint32_t> node_of_;  // per word: its node number, 0 for none yet, or kAbsent
  std::vector<Node> nodes_;
  std::vector<Link> links_;
  std::vector<uint32_t> forward_;   // node numbers
  std::vector<uint32_t> backward_;  // node numbers
  std::vector<uint16_t> calls_;     // calls run since the last check for endless callees
};

// An unreached CALL, GOTO or BRA goes where it would from its own page.
std::optional<int> FlowAnalysis::Target(int address) const {
  if (!InMemory(address)) return std::nullopt;
  const WordFlow& word = words_[static_cast<size_t>(address)];
  if (word.banks != 0 || !IsBranch(word.instruction)) return word.target;
  return rules_.BranchTarget(address, word.instruction, 0);
}

std::span<const uint16_t> FlowAnalysis::ReferencesTo(int address) const {
  if (!InMemory(address)) return {};
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
