#pragma once

#include <string_view>

#include "ui/shared_state.h"

namespace tessarin {

/// Empties `List4`, then fills it from the text of a zone file, read as the
/// companion file is: fields end at a comma or a line end, leading blanks are
/// skipped, a field opening with a double quote runs to the next one, and
/// empty fields are skipped.
void LoadZoneText(SharedState& state, std::string_view text);

}  // namespace tessarin
