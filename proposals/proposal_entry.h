#pragma once

#include <vector>

#include "proposals/zone_proposals.h"
#include "ui/shared_state.h"

namespace tessarin {

/// The zone proposals for the opened HEX file, as a program of the chosen
/// processor, for its listing `List1`: leaving out the words of the zones of
/// `List4` that apply to it, and never spanning a change of its order.
std::vector<ZoneProposal> ProposeZonesForOpenedFile(const SharedState& state);

/// The same, for a program of the part that `facts` describe.
std::vector<ZoneProposal> ProposeZonesForOpenedFile(const SharedState& state,
                                                    const CoreFacts& facts);

/// What entering the strong proposals did.
struct EnteredProposals {
  /// Strong proposals entered into `List4`.
  int added = 0;
  /// Every proposal that was made, weak ones included.
  std::vector<ZoneProposal> proposals;
};

/// Enters every strong proposal for the opened file into `List4` through
/// the zone entry, so that it sorts, applies and saves as a typed zone
/// would. Nothing is applied: the listing is left as it is.
EnteredProposals EnterStrongProposals(SharedState& state);

}  // namespace tessarin
