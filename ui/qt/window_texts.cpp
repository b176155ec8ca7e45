#include "ui/qt/window_texts.h"

#include "pass/listing_line.h"
#include "ui/cp1252.h"

namespace tessarin {
namespace {

// The report names this many weak candidates and counts the rest.
constexpr int kWeakShown = 5;

std::string_view ReasonText(ProposalReason reason) {
  switch (reason) {
    case ProposalReason::kIdLocations:
      return "mots d'identification (ID)";
    case ProposalReason::kConfiguration:
      return "mot de configuration";
    case ProposalReason::kEeprom:
      return "données de l'EEPROM";
    case ProposalReason::kOutsideMemory:
      return "mots hors de la mémoire programme";
    case ProposalReason::kNotExact:
      return "mots qui ne se réassemblent pas à l'identique";
    case ProposalReason::kErased:
      return "mots effacés (3FFF)";
    case ProposalReason::kText:
      return "texte";
    case ProposalReason::kUnreachedCode:
      return "code jamais atteint depuis les vecteurs";
  }
  return {};
}

std::string AddedText(int added) {
  if (added == 0) return "Aucune zone de datas à ajouter.";
  if (added == 1) return "1 zone de datas ajoutée : appuyer sur Valider pour l'appliquer.";
  return std::to_string(added) +
         " zones de datas ajoutées : appuyer sur Valider pour les appliquer.";
}

// "(et 1 autre)" or "(et N autres)".
std::string OthersText(size_t more) {
  std::string text = "(et ";
  text += std::to_string(more);
  text += more == 1 ? " autre)" : " autres)";
  return text;
}

std::string WeakCandidatesText(const std::vector<ZoneProposal>& proposals) {
  std::string text = "\n\nZones possibles (faibles), à saisir si elles conviennent :";
  size_t weak = 0;
  for (const ZoneProposal& proposal : proposals) {
    if (proposal.kind != ProposalKind::kWeak || ++weak > kWeakShown) continue;
    text += '\n';
    text += proposal.ZoneText();
    text += "  ";
    text += ReasonText(proposal.reason);
  }
  if (weak == 0) return {};
  if (weak > kWeakShown) {
    text += '\n';
    text += OthersText(weak - kWeakShown);
  }
  return text;
}

}  // namespace

std::string ProposalsReport(int added, const std::vector<ZoneProposal>& proposals) {
  return AddedText(added) + WeakCandidatesText(proposals);
}

std::string UnappliedZonesMessage(const std::vector<UnappliedZone>& unapplied) {
  std::string message = "Zones non appliquées : ";
  for (size_t k = 0; k < unapplied.size(); ++k) {
    if (k > 0) message += ", ";
    message += Cp1252ToUtf8(unapplied[k].zone);
  }
  return message;
}

std::string InexactSourceMessage(const std::vector<int>& addresses) {
  std::string text = "Le source enregistré ne redonnera pas exactement le fichier HEX : ";
  text += addresses.size() == 1 ? "adresse " : "adresses ";
  text += AddressText(addresses[0]);
  if (addresses.size() > 1) {
    text += ' ';
    text += OthersText(addresses.size() - 1);
  }
  text +=
      ". Pour un source exact : Outils > Proposer les zones de datas, puis Valider, ou "
      "Outils > Listing symbolique.";
  return text;
}

std::string SaveChangesQuestion(std::string_view source_name) {
  std::string text = "Enregistrer les modifications de ";
  text += source_name;
  text += " ?";
  return text;
}

}  // namespace tessarin
