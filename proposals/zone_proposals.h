#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "zones/zone_text.h"

namespace tessarin {

/// Why a stretch of words is proposed as a data zone.
enum class ProposalReason : uint8_t {
  kIdLocations,    // 0x2000-0x2003 (0x8000-0x8003 on the enhanced core)
  kConfiguration,  // 0x2007 and on (0x8007 and on)
  kEeprom,         // 0x2100 and on (0xF000 and on)
  kOutsideMemory,  // past the program memory, and no ID, configuration or EEPROM word
  kCalibration,    // the oscillator calibration word the factory writes
  kNotExact,       // a word no instruction assembles back to, with its unreached neighbours
  kErased,         // unreached 3FFF words
  kText,           // unreached words that read as characters
  kUnreachedCode,  // unreached words that read as code, or end as a routine does (weak)
};

/// Strong proposals make the source reassemble to the same image or hold
/// no code at all; weak ones are code that the vectors do not reach, which
/// may still be data or be reached through a pointer.
enum class ProposalKind : uint8_t { kStrong, kWeak };

struct ZoneProposal {
  ZoneRange range;
  ProposalKind kind = ProposalKind::kStrong;
  ProposalReason reason = ProposalReason::kNotExact;

  std::string ZoneText() const { return FormatZoneText(range); }
};

/// Where the words stand in the listing that a zone is applied to: a zone
/// runs from the first line of its start address over the lines after it,
/// so it can only span words whose first lines follow each other there.
class ListingOrder {
 public:
  /// From the word addresses of the listing's lines, in listing order.
  explicit ListingOrder(const std::vector<int>& listed);
  /// Whether the first line of `address` comes right after the first line of
  /// `address` - 1.
  bool Follows(int address) const;

 private:
  std::vector<int> first_;  // per word address: where its first line stands, or -1
};

/// The words of `image` that should be data zones, in ascending address
/// order, each proposal a run of words present without a gap and without a
/// change of listing order (`order`), none overlapping another or any zone
/// of `existing` (zone texts, as `List4` holds them; texts that name no
/// range are passed over).
std::vector<ZoneProposal> ProposeZones(const ProgramImage& image, const FlowAnalysis& flow,
                                       const std::vector<std::string>& existing,
                                       const ListingOrder& order);

}  // namespace tessarin
