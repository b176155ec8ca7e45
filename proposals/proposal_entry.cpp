#include "proposals/proposal_entry.h"

#include "flow/flow_analysis.h"
#include "flow/program_image.h"
#include "pass/record_reader.h"
#include "symbolic/symbolic_words.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

// The report names this many weak candidates and counts the rest.
constexpr int kWeakShown = 5;

std::string AddedText(int added) {
  if (added == 0) return "Aucune zone de datas à ajouter.";
  if (added == 1) return "1 zone de datas ajoutée : appuyer sur Valider pour l'appliquer.";
  return std::to_string(added) +
         " zones de datas ajoutées : appuyer sur Valider pour les appliquer.";
}

std::string WeakCandidatesText(const std::vector<ZoneProposal>& proposals) {
  std::string text;
  int weak = 0;
  for (const ZoneProposal& proposal : proposals) {
    if (proposal.kind != ProposalKind::kWeak) continue;
    if (++weak <= kWeakShown) {
      text += "\n" + proposal.ZoneText() + "  " + std::string(ReasonText(proposal.reason));
    }
  }
  if (weak == 0) return {};
  const int more = weak - kWeakShown;
  if (more == 1) text += "\n(et 1 autre)";
  if (more > 1) text += "\n(et " + std::to_string(more) + " autres)";
  return "\n\nZones possibles (faibles), à saisir si elles conviennent :" + text;
}

}  // namespace

std::vector<ZoneProposal> ProposeZonesForOpenedFile(const SharedState& state) {
  const ProgramImage image = BuildProgramImage(state);
  return ProposeZones(image, AnalyseFlow(image, FlowFactsOf(ChosenProcessor(state))),
                      state.List4.Items());
}

std::string_view KindText(ProposalKind kind) {
  return kind == ProposalKind::kStrong ? "forte" : "faible";
}

EnteredProposals EnterStrongProposals(SharedState& state) {
  EnteredProposals entered;
  entered.proposals = ProposeZonesForOpenedFile(state);
  for (const ZoneProposal& proposal : entered.proposals) {
    if (proposal.kind != ProposalKind::kStrong) continue;
    EnterZone(state, proposal.ZoneText());
    ++entered.added;
  }
  entered.message = AddedText(entered.added) + WeakCandidatesText(entered.proposals);
  return entered;
}

}  // namespace tessarin
