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

bool IsFourteenBitWord(std::string_view word) {
  const std::optional<uint16_t> value = ReadFourHexDigits(word);
  return value && *value <= 0x3FFF;
}

bool ListedAsInstruction(std::string_view text) {
  for (std::string_view directive : kDataDirectives) {
    if (text.starts_with(directive)) return false;
  }
  return true;
}

bool WordLineIsExact(int address, std::string_view word, std::string_view text) {
  if (!IsFourteenBitWord(word)) return false;
  if (!ListedAsInstruction(text)) return true;
  return address < kIdFirst && IsExactInstruction(*ReadFourHexDigits(word));
}

// Whether gpasm places the words after an ORG line at their own addresses,
// `first` being the address of the first of them. The classic listing's ORG
// names that word address, which gpasm reads as a byte offset inside the
// data EEPROM of the 16F876 its LIST line names; the symbolic printer
// writes the byte offset and says where none reaches.
bool OrgReaches(int first, const SharedState& state) {
  if (state.Style == ListingStyle::kSymbolic) {
    return SymbolicOrgWarning(first, ChosenProcessor(state)).empty();
  }
  return first <= kEepromFirst || first >= kEepromFirst + DefaultProcessor().eeprom_bytes;
}

}  // namespace

std::vector<int> InexactWords(const SharedState& state) {
  std::vector<int> inexact;
  const std::vector<std::string>& lines = state.List1.Items();
  bool org_reaches = true;
  bool after_org = false;
  for (size_t i = kHeaderLineCount; i < lines.size(); ++i) {
    const ListingLine line(lines[i]);
    const LineKind kind = line.Kind(static_cast<int>(i));
    if (kind == LineKind::kOrg) after_org = true;
    if (kind != LineKind::kWord && kind != LineKind::kDw) continue;
    const int address = line.Address();
    if (after_org) org_reaches = OrgReaches(address, state);
    after_org = false;
    if (kind == LineKind::kWord) {
      if (!org_reaches || !WordLineIsExact(address, line.Word(), line.Instruction())) {
        inexact.push_back(address);
      }
      continue;
    }
    const std::vector<std::string> words = line.DwWords();
    for (size_t k = 0; k < words.size(); ++k) {
      if (!org_reaches || !IsFourteenBitWord(words[k])) {
        inexact.push_back(address + static_cast<int>(k));
      }
    }
  }
  return inexact;
}

}  // namespace tessarin
