#include "cli/messages.h"

#include "pass/listing_line.h"

namespace tessarin {

std::string_view ZoneFaultText(ZoneFault fault) {
  switch (fault) {
    case ZoneFault::kStartNotFound:
      return "start not found";
    case ZoneFault::kEndNotFound:
      return "end not found";
    case ZoneFault::kOverlap:
      return "overlaps an applied zone";
  }
  return {};
}

std::string_view ProposalKindText(ProposalKind kind) {
  return kind == ProposalKind::kStrong ? "strong" : "weak";
}

std::string_view ProposalReasonText(ProposalReason reason) {
  switch (reason) {
    case ProposalReason::kIdLocations:
      return "ID locations";
    case ProposalReason::kConfiguration:
      return "configuration word";
    case ProposalReason::kEeprom:
      return "data EEPROM";
    case ProposalReason::kOutsideMemory:
      return "words outside the program memory";
    case ProposalReason::kNotExact:
      return "words that do not reassemble to themselves";
    case ProposalReason::kErased:
      return "erased words (3FFF)";
    case ProposalReason::kCalibration:
      return "oscillator calibration value";
    case ProposalReason::kText:
      return "text";
    case ProposalReason::kUnreachedCode:
      return "code never reached from the vectors";
  }
  return {};
}

std::string InexactSourceWarning(const std::vector<int>& addresses) {
  std::string text = "source will not reassemble to the same image at ";
  text += AddressText(addresses[0]);
  if (addresses.size() > 1) {
    text += " (and ";
    text += std::to_string(addresses.size() - 1);
    text += " more)";
  }
  text += ": use --auto-zones or -s";
  return text;
}

}  // namespace tessarin
