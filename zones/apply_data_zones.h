#pragma once

#include "ui/shared_state.h"

namespace tessarin {

/// "Valider": rewrites the words of every data zone of `List4` in the listing
/// `List1` as DW lines of up to eight words, and keeps in `List4` only the
/// zones applied. Uses `List5` and `List6` as work lists; they are empty
/// before and after.
///
/// DW lines left by an earlier run are first turned back into one word line
/// per word, so every zone of the list applies again and label removals
/// stay. Zones apply in list order: a zone whose first address is never met
/// blocks the zones behind it, and all of them are dropped. A zone whose end
/// is never met is dropped too; the lines after its last finished DW line
/// stay as they were. The line store, `List2` and `List3` are left alone.
void ApplyDataZones(SharedState& state);

}  // namespace tessarin
