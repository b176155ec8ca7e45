#include "cli/proposals_output.h"

#include "cli/messages.h"

namespace tessarin {

std::string StrongProposalsText(const std::vector<ZoneProposal>& proposals) {
  std::string text;
  for (const ZoneProposal& proposal : proposals) {
    if (proposal.kind == ProposalKind::kStrong) text += proposal.ZoneText() + "\r\n";
  }
  return text;
}

void ReportProposals(const std::vector<ZoneProposal>& proposals, std::ostream& err) {
  for (const ZoneProposal& proposal : proposals) {
    err << proposal.ZoneText() << "  " << ProposalKindText(proposal.kind) << "  "
        << ProposalReasonText(proposal.reason) << "\n";
  }
}

}  // namespace tessarin
