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
    case ProposalReason::kCalibration:
      return "valeur de calibration de l'oscillateur";
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

// Where the words of a misfit lie, as seen from the part that cannot hold them.
std::string MisfitPlace(MisfitKind kind, const Processor& processor) {
  switch (kind) {
    case MisfitKind::kBeyondProgram:
      return "au-delà de sa mémoire programme";
    case MisfitKind::kOtherCore:
      return processor.core == Core::kMidRange
                 ? "aux adresses d'ID, de configuration ou d'EEPROM du cœur milieu de gamme "
                   "amélioré"
                 : "aux adresses d'ID, de configuration ou d'EEPROM du cœur milieu de gamme";
    case MisfitKind::kBeyondEeprom:
      return processor.eeprom.empty() ? "dans l'EEPROM, qu'il n'a pas" : "au-delà de son EEPROM";
    case MisfitKind::kNoMemory:
      return "là où il n'a pas de mémoire";
  }
  return {};
}

}  // namespace

std::string AlwaysSymbolicTip(std::string_view part) {
  std::string text = "Le ";
  text += part;
  text += " est hors de la famille 16F87x : son listing est toujours symbolique.";
  return text;
}

std::string MisfitMessage(const ImageFit& fit) {
  std::string text = "Le fichier contient des mots que le ";
  text += fit.processor->name;
  text += " ne peut pas contenir :";
  for (const Misfit& misfit : fit.misfits) {
    text += "\n- ";
    text += MisfitPlace(misfit.kind, *fit.processor);
    text += " : ";
    text += AddressText(misfit.first);
    if (misfit.count > 1) {
      text += ' ';
      text += OthersText(static_cast<size_t>(misfit.count - 1));
    }
  }
  if (fit.fitting.empty()) return text + "\n\nAucun processeur ne contient toute l'image.";
  text += "\n\nProcesseurs qui contiennent toute l'image : ";
  for (size_t k = 0; k < fit.fitting.size(); ++k) {
    if (k > 0) text += ", ";
    text += fit.fitting[k]->name;
  }
  return text + " (Outils > Processeur).";
}

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
