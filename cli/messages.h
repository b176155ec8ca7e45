#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "proposals/zone_proposals.h"
#include "zones/apply_data_zones.h"

namespace tessarin {

/// The command line's words for what the core reports, in English.

/// Why a zone was not applied: "start not found", "end not found" or
/// "overlaps an applied zone".
std::string_view ZoneFaultText(ZoneFault fault);

/// "strong" or "weak".
std::string_view ProposalKindText(ProposalKind kind);

/// Why a stretch is proposed as a data zone, in a few words.
std::string_view ProposalReasonText(ProposalReason reason);

/// The warning for a source that will not give back the image: the first
/// of `addresses` (not empty) and how many more, and the options that make
/// the source exact.
std::string InexactSourceWarning(const std::vector<int>& addresses);

}  // namespace tessarin
