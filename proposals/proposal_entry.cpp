#include "proposals/proposal_entry.h"

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "pass/record_reader.h"
#include "symbolic/symbolic_words.h"
#include "zones/zone_list.h"

namespace tessarin {

std::vector<ZoneProposal> ProposeZonesForOpenedFile(const SharedState& state) {
  const ProgramImage image = BuildProgramImage(state);
  return ProposeZones(image, AnalyseFlow(image, ChosenProcessor(state)), state.List4.Items());
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
