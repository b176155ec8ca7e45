#include "proposals/zone_proposals.h"

#include <algorithm>
#include <optional>

#include "instructions/instruction.h"
#include "processors/processor.h"

namespace tessarin {
namespace {

constexpr uint16_t kErasedWord = 0x3FFF;
// Shorter runs of character-like words are as likely to be code.
constexpr int kShortestText = 4;

ProposalReason AreaOf(int address, const Processor& processor) {
  if (processor.id_locations.Contains(address)) return ProposalReason::kIdLocations;
  if (IsConfigurationWord(processor, address)) return ProposalReason::kConfiguration;
  if (processor.eeprom.Contains(address)) return ProposalReason::kEeprom;
  return ProposalReason::kOutsideMemory;
}

bool IsPrintable(unsigned c) { return c >= 0x20 && c <= 0x7E; }

// One character in the low byte (DW, DE), or two 7-bit characters packed as
// DA packs them, the second possibly a closing 0.
bool ReadsAsText(uint16_t word) {
  if (word > 0x3FFF) return false;
  if ((word >> 8) == 0) return IsPrintable(word);
  const unsigned low = word & 0x7F;
  return IsPrintable(word >> 7) && (IsPrintable(low) || low == 0);
}

// What an unreached run of program words holds.
ZoneProposal ClassifyUnreached(const ProgramImage& image, ZoneRange run, Core core) {
  bool exact = true;
  bool erased = true;
  bool text = run.last - run.first + 1 >= kShortestText;
  int retlw = 0;
  for (int a = run.first; a <= run.last; ++a) {
    const uint16_t word = image.Word(a);
    exact = exact && IsExactInstruction(word, core);
    erased = erased && word == kErasedWord;
    text = text && ReadsAsText(word);
    if (DecodeInstruction(word, core).mnemonic == Mnemonic::kRetlw) ++retlw;
  }
  // Packed text has RETLW words among others ("ll" is one); a run of them
  // is a table of the program's own.
  text = text && 2 * retlw < run.last - run.first + 1;
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
  for (int a = 0; a < n; ++a) {
    if (!image.Has(a)) continue;
    if (flow.Reached(a)) {
      if (!IsExactInstruction(image.Word(a), flow.processor().core)) {
        pieces.push_back({{a, a}, ProposalKind::kStrong, ProposalReason::kNotExact});
      }
      continue;
    }
    int last = a;
    while (last + 1 < n && image.Has(last + 1) && !flow.Reached(last + 1) &&
           order.Follows(last + 1)) {
      ++last;
    }
    pieces.push_back(ClassifyUnreached(image, {a, last}, flow.processor().core));
    a = last;
  }

  std::vector<ZoneProposal> merged;
  for (const ZoneProposal& piece : pieces) {
    if (!merged.empty()) {
      ZoneProposal& previous = merged.back();
      const bool next_to =
          previous.range.last + 1 == piece.range.first && order.Follows(piece.range.first);
      if (next_to && (previous.reason == ProposalReason::kNotExact ||
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
void ProposeOutsideProgram(const ProgramImage& image, const Processor& processor,
                           const ListingOrder& order, std::vector<ZoneProposal>& proposals) {
  for (int a = processor.program_words; a < image.End(); ++a) {
    if (!image.Has(a)) continue;
    const ProposalReason area = AreaOf(a, processor);
    int last = a;
    while (last + 1 < image.End() && image.Has(last + 1) && AreaOf(last + 1, processor) == area &&
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
  ProposeOutsideProgram(image, flow.processor(), order, proposals);
  return OutsideExisting(proposals, existing);
}

}  // namespace tessarin
