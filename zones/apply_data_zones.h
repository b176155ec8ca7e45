#pragma once

#include <string>
#include <vector>

#include "ui/shared_state.h"

namespace tessarin {

/// Why a zone of the list was not applied.
enum class ZoneFault {
  kStartNotFound,  ///< no word line has the zone's start address
  kEndNotFound,    ///< no word line from its start on has its end address
  kOverlap,        ///< its lines meet those of a zone applied before it
};

/// A zone of the list that "Valider" left alone, and why.
struct UnappliedZone {
  std::string zone;
  ZoneFault fault;

  bool operator==(const UnappliedZone&) const = default;
};

/// "Valider": rewrites the words of every data zone of `List4` in the listing
/// `List1` as DW lines of up to eight words. Uses `List5` as the new listing;
/// it is empty before and after. `List4` keeps every zone, applied or not.
///
/// Each zone is looked for on its own: it runs from the first word line
/// whose address is its start to the first word line from there on whose
/// address is its end. Header, EQU, ORG, empty and end lines never start or
/// end a zone. A zone whose start or end is not found, or whose lines meet
/// those of a zone applied before it in list order, is not applied and
/// leaves all its lines as they were; every other zone still applies.
///
/// DW lines left by an earlier run are first turned back into one word line
/// per word, so every zone of the list applies again and label removals
/// stay. The line store, `List2` and `List3` are left alone. Returns the
/// zones not applied, in list order.
[[nodiscard]] std::vector<UnappliedZone> ApplyDataZones(SharedState& state);

/// The word addresses of `listing`, in listing order: one for each word
/// line, one for each word of a DW line.
std::vector<int> ListedWordAddresses(const TextList& listing);

/// The zones of `zones` that "Valider" applies, in list order, to a listing
/// whose words have the addresses `listed` in order (see
/// `ListedWordAddresses`).
std::vector<std::string> ZonesThatApply(const std::vector<int>& listed,
                                        const std::vector<std::string>& zones);

}  // namespace tessarin
