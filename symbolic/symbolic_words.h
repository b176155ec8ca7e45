#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "processors/processor.h"
#include "symbolic/symbolic_printer.h"
#include "ui/shared_state.h"

namespace tessarin {

/// The symbolic listing's view of the opened image: the flow of its program
/// memory followed once, so that every word prints with the banks and the
/// branch targets its paths give it.
class SymbolicWords {
 public:
  /// Follows the flow of the program memory of `image`.
  SymbolicWords(ProgramImage image, const Processor& processor);

  /// The label of the CALL, GOTO or BRA word `word` at `address`; empty
  /// for any other word, and where the word is no instruction of the
  /// program.
  std::string Label(int address, std::string_view word) const;

  /// The instruction text of the word `word` (four hex characters from the
  /// record) at `address`, with the cross-reference comment of a line that
  /// carries a label (`labelled`) or starts a run of unreached code.
  std::string Text(int address, std::string_view word, bool labelled) const;
  /// The same, appended to `line` (the listing line's columns before it).
  void AppendText(std::string& line, int address, std::string_view word, bool labelled) const;

  const Processor& processor() const { return processor_; }

  /// The image holds words past 0x7FFF, which only INHX32 can carry.
  bool Wide() const { return image_.End() > 0x8000; }

 private:
  // The target the flow gives a CALL or GOTO at `address`: the printer reads
  // no other word's (a BRA's target is in its offset).
  std::optional<int> CallTarget(int address, const Instruction& instruction) const;

  const Processor& processor_;
  ProgramImage image_;
  FlowAnalysis flow_;
  // Filled as the listing names registers: one thread at a time lists.
  mutable RegisterNames names_;
};

/// The processor that `state` names, or the 16F876 for a name it does not know.
const Processor& ChosenProcessor(const SharedState& state);

/// The style the pass really lists `state` in: the style chosen, except that
/// a processor outside the PIC16F87x family always lists in the symbolic
/// style, since the classic listing is the 16F876's.
ListingStyle PassStyle(const SharedState& state);

}  // namespace tessarin
