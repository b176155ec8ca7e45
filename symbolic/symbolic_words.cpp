#include "symbolic/symbolic_words.h"

#include <utility>

#include "cross_references/cross_references.h"
#include "flow/program_image.h"
#include "instructions/decoded_words.h"
#include "symbolic/symbolic_printer.h"
#include "ui/text_slice.h"

namespace tessarin {

const Processor& ChosenProcessor(const SharedState& state) {
  const Processor* named = FindProcessor(state.ProcessorName);
  return named != nullptr ? *named : DefaultProcessor();
}

ListingStyle PassStyle(const SharedState& state) {
  if (state.Style == ListingStyle::kClassic && InClassicFamily(ChosenProcessor(state))) {
    return ListingStyle::kClassic;
  }
  return ListingStyle::kSymbolic;
}

SymbolicWords::SymbolicWords(ProgramImage image, const Processor& processor)
    : processor_(processor),
      image_(std::move(image)),
      flow_(AnalyseFlow(image_, processor)),
      names_(processor) {}

std::optional<int> SymbolicWords::CallTarget(int address, const Instruction& instruction) const {
  if (OperandsOf(instruction.mnemonic) != OperandKind::kAddress11) return std::nullopt;
  return flow_.Target(address);
}

std::string SymbolicWords::Label(int address, std::string_view word) const {
  const std::optional<uint16_t> value = ReadFourHexDigits(word);
  if (!value || address >= processor_.program_words) return {};
  const Instruction& instruction = DecodedWords::Of(processor_.core)[*value].instruction;
  return TargetLabel(instruction, address, WordFacts{kAnyBank, CallTarget(address, instruction)},
                     processor_);
}

std::string SymbolicWords::Text(int address, std::string_view word, bool labelled) const {
  std::string text;
  AppendText(text, address, word, labelled);
  return text;
}

void SymbolicWords::AppendText(std::string& line, int address, std::string_view word,
                               bool labelled) const {
  const std::optional<uint16_t> value = ReadFourHexDigits(word);
  if (!value) {
    // No word at all: the characters as they stand, for the reader to mend.
    line += "DW\t0x";
    line.append(word);
    line += "\t; *** not a hexadecimal word";
    return;
  }
  const size_t text_start = line.size();
  const Instruction& instruction = DecodedWords::Of(processor_.core)[*value].instruction;
  const WordFacts facts{flow_.Banks(address), CallTarget(address, instruction)};
  AppendSymbolicText(line, *value, address, instruction, facts, names_);
  AppendComment(line, text_start, CrossReferenceComment(image_, flow_, address, labelled));
}

}  // namespace tessarin
