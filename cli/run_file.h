#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/options.h"
#include "ui/services.h"
#include "ui/shared_state.h"

namespace tessarin {

/// Runs one HEX file through the options of the call: open it (with its
/// zones), disassemble it, apply or propose zones, and write the source, the
/// listing or the proposals to `output` (standard output `out` when nothing
/// or "-"). Every message goes to `err`, warnings counted for this file
/// alone. `state` is fresh. Returns 0 when written, 1 when not.
int RunFile(const Options& options, const std::string& hex_path,
            const std::optional<std::string>& output, std::ostream& out, std::ostream& err,
            Clock& clock, SharedState& state);

}  // namespace tessarin
