#include "cli/batch.h"

#include <algorithm>
#include <filesystem>

#include "cli/reporter.h"
#include "cli/run_file.h"
#include "files/replace_check.h"
#include "ui/file_io.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::optional<std::string>& output) {
  std::error_code error;
  return output && *output != "-" && fs::is_directory(*output, error);
}

fs::path OutputFor(const Options& options, const std::string& input) {
  const fs::path hex(input);
  const fs::path folder = options.output ? fs::path(*options.output) : hex.parent_path();
  return folder / hex.stem().concat(options.listing ? ".lst" : ".asm");
}

}  // namespace

bool IsBatch(const Options& options) {
  return options.inputs.size() > 1 || IsFolder(options.output);
}

std::optional<std::string> BatchUsageError(const Options& options) {
  if (options.propose_zones) return "--propose-zones takes one HEX file";
  if (options.output && !IsFolder(options.output)) {
    return "with several HEX files, -o must name a folder";
  }
  for (const std::string& input : options.inputs) {
    if (input == "-") return "standard input (-) can only be read alone, without an output folder";
  }
  // Two HEX files of one name in different folders would write one output
  // file, the second replacing the first. (An output that is a HEX file of
  // the call is refused file by file.)
  const auto normal = [](const fs::path& path) { return path.lexically_normal(); };
  for (size_t k = 0; k < options.inputs.size(); ++k) {
    const fs::path output = normal(OutputFor(options, options.inputs[k]));
    const auto is_output = [&](const std::string& input) { return normal(input) == output; };
    if (std::any_of(options.inputs.begin(), options.inputs.end(), is_output)) continue;
    for (size_t j = 0; j < k; ++j) {
      const bool same_input = normal(options.inputs[j]) == normal(options.inputs[k]);
      if (!same_input && normal(OutputFor(options, options.inputs[j])) == output) {
        return options.inputs[j] + " and " + options.inputs[k] + " would both be written to " +
               output.string();
      }
    }
  }
  return std::nullopt;
}

int RunBatch(const Options& options, std::ostream& out, std::ostream& err, Clock& clock) {
  int status = 0;
  for (const std::string& input : options.inputs) {
    const std::string output = OutputFor(options, input).string();
    // Each call refuses to replace its own HEX file; none may replace the
    // HEX file of another either (a.asm given as HEX file beside a.hex).
    const auto replaces = [&output](const std::string& hex) {
      return IsSameRegularFile(output, hex);
    };
    if (std::any_of(options.inputs.begin(), options.inputs.end(), replaces)) {
      status = Reporter(err).Fail(1, output, "is a HEX file; not replaced");
      continue;
    }
    if (std::error_code error; fs::is_directory(output, error)) {
      status = Reporter(err).Fail(1, output, "is a folder; not replaced");
      continue;
    }
    // A name the tool picked may be a hand-written source of the user's.
    if (!options.force && IsForeignSource(output)) {
      status = Reporter(err).Fail(
          1, output, "not written by tessarin-cli; not replaced (--force replaces it)");
      continue;
    }
    SharedState state;
    if (RunFile(options, input, output, out, err, clock, state) != 0) status = 1;
  }
  return status;
}

}  // namespace tessarin
