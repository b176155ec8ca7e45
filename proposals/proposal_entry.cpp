#include "proposals/proposal_entry.h"

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "pass/record_reader.h"
#include "symbolic/symbolic_words.h"
#include "zones/apply_data_zones.h"
#include "zones/zone_list.h"

namespace tessarin {

std::vector<ZoneProposal> ProposeZonesForOpenedFile(const SharedState& state) {
  return ProposeZonesForOpenedFile(state, CoreFactsOf(ChosenProcessor(state)));
}

std::vector<ZoneProposal> ProposeZonesForOpenedFile(const SharedState& state,
                                                    const CoreFacts& facts) {
  const ProgramImage image = BuildProgramImage(state);
  // Only the zones that apply keep their words from being proposed, and a
  // proposal follows the listing's order, so that each one applies.
  const std::vector<int> listed = ListedWordAddresses(state.List1);
  return ProposeZones(image, AnalyseFlow(image, facts), ZonesThatApply(listed, state.List4.Items()),
                      ListingOrder(listed));
}

EnteredProposals EnterStrongProposals(SharedState& state) {
  EnteredProposals entered;
  entered.proposals = ProposeZonesForOpenedFile(state);
  for (const ZoneProposal& proposal : entered.proposals) {
    if (proposal.kind != ProposalKind::kStrong) continue;
    EnterZone(state, proposal.ZoneText());
    ++entered.added;
  }
  return entered;
}

}  // namespace tessarin
