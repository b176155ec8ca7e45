#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tessarin {

/// Several HEX files in one call, or one with an output folder: the source
/// of each goes to NAME.asm (NAME.lst for a listing), NAME being the HEX
/// file's name without its extension, beside the HEX file or in the folder.
struct BatchJob {
  std::vector<std::string> inputs;
  /// The -o value: a folder, or nothing for "beside each HEX file".
  std::optional<std::string> output;
  /// The options every file runs with (all but -o).
  std::vector<std::string> file_args;
  bool listing = false;
};

/// Whether a call with `input_count` HEX files and this -o value is a batch.
bool IsBatch(size_t input_count, const std::optional<std::string>& output);

/// What is wrong with the job as a call, or nothing.
std::optional<std::string> BatchUsageError(const BatchJob& job);

/// Runs each file as a call of its own, which reports its failure on one
/// line of `err`; the others go on. Returns 0 when every source was written,
/// 1 when any failed.
int RunBatch(const BatchJob& job, std::ostream& out, std::ostream& err,
             const char* source_date_epoch);

}  // namespace tessarin
