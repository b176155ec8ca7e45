#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "decode/processor.h"
#include "pass/flow_analysis.h"
#include "pass/program_image.h"
#include "ui/shared_state.h"

namespace tessarin {

/// The symbolic listing's view of the opened image: the flow of its program
/// memory followed once, so that every word prints with the banks and the
/// branch targets its paths give it.
class SymbolicWords {
 public:
  /// Follows the flow of the words that the line store holds.
  SymbolicWords(const SharedState& state, const Processor& processor);

  /// The label of the CALL or GOTO word `word` at `address`; empty for
  /// any other word, and where the word is no instruction of the program.
  std::string Label(int address, std::string_view word) const;

  /// The instruction text of the word `word` (four hex characters from the
  /// record) at `address`, with the cross-reference comment of a line that
  /// carries a label (`labelled`) or starts a run of unreached code.
  std::string Text(int address, std::string_view word, bool labelled) const;

  /// The ORG line for a word at `address` that does not follow the one before.
  std::string OrgLine(int address) const;

  const Processor& processor() const { return processor_; }

 private:
  const Processor& processor_;
  ProgramImage image_;
  FlowAnalysis flow_;
};

/// The symbolic view of the image the line store holds, when the listing
/// style is symbolic; nothing in the classic style.
std::optional<SymbolicWords> SymbolicStyle(const SharedState& state);

/// The processor that `state` names, or the 16F876 for a name it does not know.
const Processor& ChosenProcessor(const SharedState& state);

}  // namespace tessarin
