#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/shared_state.h"
#include "ui/text_slice.h"

namespace tessarin {

/// Zone entry (Enter in the zone box): inserts `typed`, upper-cased, as
/// `InsertZone` does.
void EnterZone(SharedState& state, std::string_view typed);

/// Inserts `zone`, without its leading and trailing blanks, at its sorted
/// place in `List4`. A text that is empty or only blanks is not inserted.
void InsertZone(SharedState& state, std::string_view zone);

/// The start address of a zone text "SSSS EEEE", as typed.
constexpr std::string_view ZoneStart(std::string_view zone) { return Mid(zone, 1, 4); }
/// The end address of a zone text, as typed.
constexpr std::string_view ZoneEnd(std::string_view zone) { return Mid(zone, 6, 4); }

/// Zone removal (double-click in the zone list): removes the selected entry
/// of `List4`; without a selection nothing happens.
void RemoveSelectedZone(SharedState& state);

/// The companion file's name for the file named `file_title` (no folder):
/// its last four characters dropped, ".dat" appended. Nothing when the title
/// has fewer than four characters.
std::optional<std::string> CompanionFileName(std::string_view file_title);

}  // namespace tessarin
