#pragma once

#include "ui/shared_state.h"

namespace tessarin {

/// "Valider": rewrites the words of every data zone of `List4` in the listing
/// `List1` as DW lines of up to eight words, and keeps in `List4` only the
/// zones applied. Uses `List5` and `List6` as work lists.
void ApplyDataZones(SharedState& state);

}  // namespace tessarin
