#pragma once

#include "ui/shared_state.h"

namespace tessarin {

/// Blanks the label field of the selected listing line, when
/// it is a word or DW line; any other line, or no selection, is left alone.
void RemoveLabel(SharedState& state);

}  // namespace tessarin
