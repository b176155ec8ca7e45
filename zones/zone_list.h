#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/shared_state.h"

namespace tessarin {

/// Zone entry (Enter in the zone box): inserts `typed`, upper-cased, as
/// `InsertZone` does.
void EnterZone(SharedState& state, std::string_view typed);

/// Inserts `zone`, without its leading and trailing blanks, at its sorted
/// place in `List4`. A text that is empty or only blanks is not inserted.
void InsertZone(SharedState& state, std::string_view zone);

/// Zone removal (double-click in the zone list): removes the selected entry
/// of `List4`; without a selection nothing happens.
void RemoveSelectedZone(SharedState& state);

/// The companion file's name for the file named `file_title` (no folder):
/// its base name (see `BaseName`) and ".dat". Nothing for an empty title.
std::optional<std::string> CompanionFileName(std::string_view file_title);

}  // namespace tessarin
