#include "cli/fit_warning.h"

#include "pass/listing_line.h"

namespace tessarin {
namespace {

std::string KindText(MisfitKind kind, const Processor& processor) {
  switch (kind) {
    case MisfitKind::kBeyondProgram:
      return "program words past its program memory";
    case MisfitKind::kOtherCore:
      return processor.core == Core::kMidRange
                 ? "words where the enhanced core keeps ID, configuration or EEPROM"
                 : "words where the mid-range core keeps ID, configuration or EEPROM";
    case MisfitKind::kBeyondEeprom:
      return processor.eeprom.empty() ? "EEPROM bytes, and it has no EEPROM"
                                      : "EEPROM bytes past its EEPROM";
    case MisfitKind::kNoMemory:
      return "words where it has no memory";
  }
  return {};
}

}  // namespace

std::string FitWarning(const Processor& processor, const std::vector<Misfit>& misfits,
                       const std::vector<const Processor*>& fitting) {
  std::string text = "the " + std::string(processor.name) + " cannot hold ";
  for (size_t k = 0; k < misfits.size(); ++k) {
    const Misfit& misfit = misfits[k];
    if (k > 0) text += ", ";
    text += KindText(misfit.kind, processor) + " at " + AddressText(misfit.first);
    if (misfit.count > 1) text += " (and " + std::to_string(misfit.count - 1) + " more)";
  }
  if (fitting.empty()) return text + "; no part holds the whole image";
  text += "; parts that hold the image: ";
  for (size_t k = 0; k < fitting.size(); ++k) {
    text += (k > 0 ? ", " : "") + std::string(fitting[k]->name);
  }
  return text + " (-p NAME)";
}

}  // namespace tessarin
