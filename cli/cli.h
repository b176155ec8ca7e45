#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ui/shared_state.h"

namespace tessarin {

/// Runs the batch tool with its arguments (without the program name):
/// open a HEX file, disassemble it, apply its data zones, and write the
/// generated source (or the listing). Reports to `err`; writes the result to
/// `out` unless an output file is named. `source_date_epoch` is the value of
/// the SOURCE_DATE_EPOCH variable, or nullptr when it is not set.
/// `state` is the working state to use, fresh. Returns the exit status:
/// 0 done, 1 failed, 2 usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const char* source_date_epoch, SharedState& state);

}  // namespace tessarin
