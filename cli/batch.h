#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/options.h"
#include "ui/services.h"

namespace tessarin {

// Several HEX files in one call, or one with an output folder: the source of
// each goes to NAME.asm (NAME.lst for a listing), NAME being the HEX file's
// name without its extension, beside the HEX file or in the folder. An
// existing file of that name that the tool did not write is left alone,
// unless --force is given.

/// Whether the call is a batch.
bool IsBatch(const Options& options);

/// What is wrong with the batch as a call, or nothing.
std::optional<std::string> BatchUsageError(const Options& options);

/// Runs each file of the batch on its own, reporting its failure on one line
/// of `err`; the others go on. Returns 0 when every output was written, 1
/// when any failed.
int RunBatch(const Options& options, std::ostream& out, std::ostream& err, Clock& clock);

}  // namespace tessarin
