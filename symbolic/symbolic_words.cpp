#include "symbolic/symbolic_words.h"

#include <utility>

#include "cross_references/cross_references.h"
#include "flow/program_image.h"
#include "symbolic/symbolic_printer.h"
#include "ui/text_slice.h"

namespace tessarin {

const Processor& ChosenProcessor(const SharedState& state) {
  const Processor* named = FindProcessor(state.ProcessorName);
  return named != nullptr ? *named : DefaultProcessor();
}

CoreFacts FlowFactsOf(const Processor& processor) {
  return processor.core == Core::kEnhanced ? EnhancedFacts(processor.program_words)
                                           : Pic16F87xFacts(processor.program_words);
}

SymbolicWords::SymbolicWords(ProgramImage image, const Processor& processor)
    : processor_(processor),
      image_(std::move(image)),
      flow_(AnalyseFlow(image_, FlowFactsOf(processor))) {}

std::string SymbolicWords::Label(int address, std::string_view word) const {
  const std::optional<uint16_t> value = ReadFourHexDigits(word);
  if (!value || address >= processor_.program_words) return {};
  return TargetLabel(DecodeInstruction(*value, processor_.core), address,
                     WordFacts{kAnyBank, flow_.Target(address)}, processor_.core);
}

std::string SymbolicWords::Text(int address, std::string_view word, bool labelled) const {
  const std::optional<uint16_t> value = ReadFourHexDigits(word);
  if (!value) {
    // No word at all: the characters as they stand, for the reader to mend.
    std::string text = "DW\t0x";
    text.append(word);
    return text + "\t; *** not a hexadecimal word";
  }
  // The register names know four banks so far: a set beyond them reads as any.
  const ValueSet banks = flow_.Banks(address);
  const WordFacts facts{banks > kAnyBank ? kAnyBank : static_cast<BankSet>(banks),
                        flow_.Target(address)};
  return WithComment(
      SymbolicText(*value, address, DecodeInstruction(*value, processor_.core), facts, processor_),
      CrossReferenceComment(image_, flow_, address, labelled));
}

}  // namespace tessarin
