#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/image_fit.h"
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

/// What the processor dialog says of a part outside the PIC16F87x family,
/// whose listing is the 16F876's in the classic style.
inline constexpr std::string_view kAlwaysSymbolicNote =
    "Hors de la famille 16F87x, le listing est toujours symbolique.";

/// Why "Listing symbolique" cannot be unchecked while `part` is chosen.
std::string AlwaysSymbolicTip(std::string_view part);

/// The message after a pass when the image holds words that the part
/// `fit.processor` cannot hold (`fit.misfits`, not empty): each kind with its
/// first address and how many more, then the parts that hold the image.
std::string MisfitMessage(const ImageFit& fit);

/// The question before work not saved would be lost: the source named
/// `source_name` is the one "&Enregistrer" writes.
std::string SaveChangesQuestion(std::string_view source_name);

}  // namespace tessarin
