#include "proposals/zone_proposals.h"

#include <algorithm>
#include <optional>

#include "instructions/decoded_words.h"
#include "instructions/instruction.h"
#include "processors/processor.h"

namespace tessarin {
namespace {

constexpr uint16_t kErasedWord = 0x3FFF;
// Shorter runs of character-like words are as likely to be code.
constexpr int kShortestText = 4;

ProposalReason AreaOf(int address, const CoreFacts& facts) {
  if (facts.calibration.Contains(address)) return ProposalReason::kCalibration;
  if (facts.id_locations.Contains(address)) return ProposalReason::kIdLocations;
  if (facts.configuration.Contains(address)) return ProposalReason::kConfiguration;
  if (facts.eeprom.Contains(address)) return ProposalReason::kEeprom;
  return ProposalReason::kOutsideMemory;
}

bool IsPrintable(unsigned c) { return c >= 0x20 && c <= 0x7E; }

// One character in the low byte (DW, DE), or two 7-bit characters packed as
// DA packs them, the second possibly a closing 0 (a packed first character
// puts the word past any single one).
bool ReadsAsText(uint16_t word) {
  const unsigned low = word & 0x7F;
  return IsPrintable(word) || (IsPrintable(word >> 7) && (IsPrintable(low) || low == 0));
}

// The last word of a routine: it leaves by a jump or a return.
bool EndsRoutine(Mnemonic mnemonic) {
  return mnemonic == Mnemonic::kGoto || mnemonic == Mnemonic::kReturn ||
         mnemonic == Mnemonic::kRetlw || mnemonic == Mnemonic::kRetfie ||
         mnemonic == Mnemonic::kBra;
}

// What an unreached run of program words holds. Words that all assemble
// back and end the way a routine ends may be code that the analysis cannot
// see reached (through a pointer, say), whatever they read as: weak.
ZoneProposal ClassifyUnreached(const ProgramImage& image, const FlowAnalysis& flow, ZoneRange run) {
  const DecodedWords& decoded = DecodedWords::Of(flow.Facts().core);
  bool exact = true;
  bool erased = true;
  bool text = run.last - run.first + 1 >= kShortestText;
  int retlw = 0;
  Mnemonic last = Mnemonic::kInvalid;
  for (int a = run.first; a <= run.last; ++a) {
    const uint16_t word = image.Word(a);
    const Instruction& instruction = flow.InstructionAt(a);
    exact = exact && decoded[word].exact;
    erased = erased && word == kErasedWord;
    text = text && ReadsAsText(word);
    if (instruction.mnemonic == Mnemonic::kRetlw) ++retlw;
    last = instruction.mnemonic;
  }
  // Packed text has RETLW words among others ("ll" is one); a run of them
  // is a table of the program's own.
  text = text && 2 * retlw < run.last - run.first + 1 && !EndsRoutine(last);
  if (erased) return {run, ProposalKind::kStrong, ProposalReason::kErased};
  if (!exact) return {run, ProposalKind::kStrong, ProposalReason::kNotExact};
  if (text) return {run, ProposalKind::kStrong, ProposalReason::kText};
  return {run, ProposalKind::kWeak, ProposalReason::kUnreachedCode};
}

// Program memory: reached words that do not assemble back, and every run of
// unreached words; a word that does not assemble back takes its unreached
// neighbours into its zone.
std::vector<ZoneProposal> ProposeInProgram(const ProgramImage& image, const FlowAnalysis& flow,
                                           const ListingOrder& order) {
  std::vector<ZoneProposal> pieces;
  const int n = flow.ProgramWords();
  const CoreFacts& facts = flow.Facts();
  const DecodedWords& decoded = DecodedWords::Of(facts.core);
  // The calibration words are data even where a CALL reads them.
  const auto calibrated = [&](int a) { return image.Has(a) && facts.calibration.Contains(a); };
  const auto unreached = [&](int a) {
    return image.Has(a) && !flow.Reached(a) && !facts.calibration.Contains(a);
  };
  for (int a = 0; a < n; ++a) {
    if (!image.Has(a)) continue;
    if (calibrated(a)) {
      int last = a;
      while (last + 1 < n && calibrated(last + 1) && order.Follows(last + 1)) ++last;
      pieces.push_back({{a, last}, ProposalKind::kStrong, ProposalReason::kCalibration});
      a = last;
      continue;
    }
    if (flow.Reached(a)) {
      if (!decoded[image.Word(a)].exact) {
        pieces.push_back({{a, a}, ProposalKind::kStrong, ProposalReason::kNotExact});
      }
      continue;
    }
    int last = a;
    while (last + 1 < n && unreached(last + 1) && order.Follows(last + 1)) ++last;
    pieces.push_back(ClassifyUnreached(image, flow, {a, last}));
    a = last;
  }

  std::vector<ZoneProposal> merged;
  for (const ZoneProposal& piece : pieces) {
    if (!merged.empty()) {
      ZoneProposal& previous = merged.back();
      const bool next_to =
          previous.range.last + 1 == piece.range.first && order.Follows(piece.range.first);
      const bool beside_calibration = previous.reason == ProposalReason::kCalibration ||
                                      piece.reason == ProposalReason::kCalibration;
      if (next_to && !beside_calibration &&
          (previous.reason == ProposalReason::kNotExact ||
           piece.reason == ProposalReason::kNotExact)) {
        previous = {{previous.range.first, piece.range.last},
                    ProposalKind::kStrong,
                    ProposalReason::kNotExact};
        continue;
      }
    }
    merged.push_back(piece);
  }
  return merged;
}

// Past program memory: every run of words, split where the area changes.
void ProposeOutsideProgram(const ProgramImage& image, const CoreFacts& facts,
                           const ListingOrder& order, std::vector<ZoneProposal>& proposals) {
  for (int a = facts.program_words; a < image.End(); ++a) {
    if (!image.Has(a)) continue;
    const ProposalReason area = AreaOf(a, facts);
    int last = a;
    while (last + 1 < image.End() && image.Has(last + 1) && AreaOf(last + 1, facts) == area &&
           order.Follows(last + 1)) {
      ++last;
    }
    proposals.push_back({{a, last}, ProposalKind::kStrong, area});
    a = last;
  }
}

// Leaves out of every proposal the words that an existing zone holds.
std::vector<ZoneProposal> OutsideExisting(const std::vector<ZoneProposal>& proposals,
                                          const std::vector<std::string>& existing) {
  std::vector<ZoneRange> taken;
  for (const std::string& text : existing) {
    if (std::optional<ZoneRange> range = ParseZoneText(text)) taken.push_back(*range);
  }
  std::sort(taken.begin(), taken.end(),
            [](const ZoneRange& x, const ZoneRange& y) { return x.first < y.first; });

  std::vector<ZoneProposal> kept;
  for (const ZoneProposal& proposal : proposals) {
    int first = proposal.range.first;
    for (const ZoneRange& zone : taken) {
      if (zone.last < first) continue;
      if (zone.first > proposal.range.last) break;
      if (zone.first > first)
        kept.push_back({{first, zone.first - 1}, proposal.kind, proposal.reason});
      first = std::max(first, zone.last + 1);
    }
    if (first <= proposal.range.last) {
      kept.push_back({{first, proposal.range.last}, proposal.kind, proposal.reason});
    }
  }
  return kept;
}

}  // namespace

ListingOrder::ListingOrder(const std::vector<int>& listed)
    : first_(ProgramImage::kAddressCount, -1) {
  for (size_t k = 0; k < listed.size(); ++k) {
    const int address = listed[k];
    if (address < 0 || address >= ProgramImage::kAddressCount) continue;
    int& first = first_[static_cast<size_t>(address)];
    if (first < 0) first = static_cast<int>(k);
  }
}

bool ListingOrder::Follows(int address) const {
  if (address <= 0 || address >= ProgramImage::kAddressCount) return false;
  const int previous = first_[static_cast<size_t>(address - 1)];
  return previous >= 0 && first_[static_cast<size_t>(address)] == previous + 1;
}

std::vector<ZoneProposal> ProposeZones(const ProgramImage& image, const FlowAnalysis& flow,
                                       const std::vector<std::string>& existing,
                                       const ListingOrder& order) {
  std::vector<ZoneProposal> proposals = ProposeInProgram(image, flow, order);
  ProposeOutsideProgram(image, flow.Facts(), order, proposals);
  return OutsideExisting(proposals, existing);
}

}  // namespace tessarin
