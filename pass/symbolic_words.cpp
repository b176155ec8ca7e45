#include "pass/symbolic_words.h"

#include <algorithm>

#include "decode/symbolic_printer.h"
#include "pass/cross_references.h"
#include "pass/hex_record.h"
#include "pass/listing_line.h"
#include "pass/program_image.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// The word that four hex characters give, or nothing for any other text.
std::optional<uint16_t> ReadWordText(std::string_view word) {
  if (word.size() != 4 || !std::all_of(word.begin(), word.end(), IsHexDigit)) return std::nullopt;
  return static_cast<uint16_t>(ReadHexField(word));
}

}  // namespace

const Processor& ChosenProcessor(const SharedState& state) {
  const Processor* named = FindProcessor(state.ProcessorName);
  return named != nullptr ? *named : DefaultProcessor();
}

std::optional<SymbolicWords> SymbolicStyle(const SharedState& state) {
  if (state.Style != ListingStyle::kSymbolic) return std::nullopt;
  return std::optional<SymbolicWords>(std::in_place, state, ChosenProcessor(state));
}

SymbolicWords::SymbolicWords(const SharedState& state, const Processor& processor)
    : processor_(processor),
      image_(BuildProgramImage(state)),
      flow_(AnalyseFlow(image_, processor.program_words)) {}

std::string SymbolicWords::Label(int address, std::string_view word) const {
  const std::optional<uint16_t> value = ReadWordText(word);
  if (!value || address >= processor_.program_words) return {};
  const Instruction instruction = DecodeInstruction(*value);
  if (OperandsOf(instruction.mnemonic) != OperandKind::kAddress11) return {};
  return BranchLabel(
      BranchTarget(instruction, address, WordFacts{kAnyBank, flow_.Target(address)}));
}

std::string SymbolicWords::Text(int address, std::string_view word, bool labelled) const {
  const std::optional<uint16_t> value = ReadWordText(word);
  if (!value) {
    // No word at all: the characters as they stand, for the reader to mend.
    std::string text = "DW\t0x";
    text.append(word);
    return text + "\t; *** not a hexadecimal word";
  }
  const WordFacts facts{flow_.Banks(address), flow_.Target(address)};
  return WithComment(SymbolicText(*value, address, DecodeInstruction(*value), facts, processor_),
                     CrossReferenceComment(image_, flow_, address, labelled));
}

std::string SymbolicWords::OrgLine(int address) const {
  return tessarin::OrgLine(SymbolicOrgAddress(address, processor_),
                           SymbolicOrgWarning(address, processor_));
}

}  // namespace tessarin
