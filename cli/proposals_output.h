#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "proposals/zone_proposals.h"

namespace tessarin {

/// The strong proposals as a companion file holds zones: one zone text per
/// line, each ended by CR LF.
std::string StrongProposalsText(const std::vector<ZoneProposal>& proposals);

/// Every proposal on a line of its own: zone text, kind and reason.
void ReportProposals(const std::vector<ZoneProposal>& proposals, std::ostream& err);

}  // namespace tessarin
