#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "proposals/zone_proposals.h"
#include "zones/apply_data_zones.h"

namespace tessarin {

// The window's words, in French and UTF-8, for what the core reports.

/// The report of "Proposer les zones de datas": how many zones were added
/// (`added`) and the first weak candidates of `proposals` with their reasons.
std::string ProposalsReport(int added, const std::vector<ZoneProposal>& proposals);

/// "Zones non appliquées : " and the texts of the zones, separated by ", ".
std::string UnappliedZonesMessage(const std::vector<UnappliedZone>& unapplied);

/// The message after saving a source that will not give back the image:
/// the first of `addresses` (not empty), how many more, and what makes the
/// source exact.
std::string InexactSourceMessage(const std::vector<int>& addresses);

/// The question before work not saved would be lost: the source named
/// `source_name` is the one "&Enregistrer" writes.
std::string SaveChangesQuestion(std::string_view source_name);

}  // namespace tessarin
