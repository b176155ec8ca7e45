#include "files/inexact_words.h"

#include <optional>
#include <string_view>

#include "instructions/instruction.h"
#include "pass/listing_line.h"
#include "processors/processor.h"
#include "symbolic/symbolic_printer.h"
#include "symbolic/symbolic_words.h"

namespace tessarin {
namespace {

// The texts of a word that either style writes as data, not as an instruction.
constexpr std::string_view kDataDirectives[] = {"DW\t", "DATA\t", "DE\t", "__CONFIG\t"};

// The word a word text gives, when gpasm can write it: 14 bits, or 16 for an
// enhanced configuration word.
std::optional<uint16_t> AssemblableWord(int address, std::string_view word) {
  const std::optional<uint16_t> value = ReadFourHexDigits(word);
  if (!value || (*value > 0x3FFF && !HoldsSixteenBits(address))) return std::nullopt;
  return value;
}

bool ListedAsInstruction(std::string_view text) {
  for (std::string_view directive : kDataDirectives) {
    if (text.starts_with(directive)) return false;
  }
  return true;
}

// The processor whose memory map the listing follows: the chosen one in the
// symbolic style, the 16F876 of its LIST line in the classic one.
const Processor& ListedProcessor(const SharedState& state) {
  return PassStyle(state) == ListingStyle::kSymbolic ? ChosenProcessor(state) : DefaultProcessor();
}

// The processor whose memory map the listing follows, with the first of its
// ID locations, where instructions end.
struct ListedChip {
  const Processor& processor;
  int id_first;
};

bool WordLineIsExact(int address, const ListingLine& line, const ListedChip& chip) {
  const std::optional<uint16_t> value = ReadFourHexDigits(line.Word());
  if (!value) return false;
  // An instruction that encodes back to its word, or a word written as data;
  // the table lookup settles most words before the text is read.
  if (address < chip.id_first && IsExactInstruction(*value, chip.processor.core)) return true;
  if (*value > 0x3FFF && !HoldsSixteenBits(address)) return false;
  return !ListedAsInstruction(line.Instruction());
}

// Whether gpasm places the words after an ORG line at their own addresses,
// `first` being the address of the first of them. The classic listing's ORG
// names that word address, which gpasm reads as a byte offset inside the
// data EEPROM of the 16F876 its LIST line names; the symbolic printer
// writes the byte offset and says where none reaches.
bool OrgReaches(int first, const SharedState& state, const Processor& processor) {
  if (PassStyle(state) == ListingStyle::kSymbolic)
    return SymbolicOrgWarning(first, processor).empty();
  return first <= processor.eeprom.first || first > processor.eeprom.last;
}

}  // namespace

std::vector<int> InexactWords(const SharedState& state) {
  std::vector<int> inexact;
  const std::vector<std::string>& lines = state.List1.Items();
  const Processor& processor = ListedProcessor(state);
  const ListedChip chip{processor, TraitsOf(processor).id_first};
  bool org_reaches = true;
  bool after_org = false;
  for (size_t i = kHeaderLineCount; i < lines.size(); ++i) {
    const ListingLine line(lines[i]);
    // Word and DW lines have a word address; of the others, ORG lines count.
    const std::optional<int> word_address = line.WordAddress();
    if (!word_address) {
      if (line.Kind(static_cast<int>(i)) == LineKind::kOrg) after_org = true;
      continue;
    }
    const int address = *word_address;
    if (after_org) org_reaches = OrgReaches(address, state, processor);
    after_org = false;
    if (!line.IsDw()) {
      if (!org_reaches || !WordLineIsExact(address, line, chip)) {
        inexact.push_back(address);
      }
      continue;
    }
    const std::vector<std::string> words = line.DwWords();
    for (size_t k = 0; k < words.size(); ++k) {
      if (!org_reaches || !AssemblableWord(address + static_cast<int>(k), words[k])) {
        inexact.push_back(address + static_cast<int>(k));
      }
    }
  }
  return inexact;
}

}  // namespace tessarin
