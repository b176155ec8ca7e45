#include "cli/batch.h"

#include <algorithm>
#include <filesystem>

#include "cli/cli.h"
#include "cli/reporter.h"
#include "ui/file_io.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::optional<std::string>& output) {
  std::error_code error;
  return output && *output != "-" && fs::is_directory(*output, error);
}

fs::path OutputFor(const BatchJob& job, const std::string& input) {
  const fs::path hex(input);
  const fs::path folder = job.output ? fs::path(*job.output) : hex.parent_path();
  return folder / hex.stem().concat(job.listing ? ".lst" : ".asm");
}

}  // namespace

bool IsBatch(size_t input_count, const std::optional<std::string>& output) {
  return input_count > 1 || IsFolder(output);
}

std::optional<std::string> BatchUsageError(const BatchJob& job) {
  if (job.output && !IsFolder(job.output)) {
    return "with several HEX files, -o must name a folder";
  }
  for (const std::string& input : job.inputs) {
    if (input == "-") return "standard input (-) can only be read alone, without an output folder";
  }
  // Two HEX files of one name in different folders would write one output
  // file, the second replacing the first. (An output that is a HEX file of
  // the call is refused file by file.)
  const auto normal = [](const fs::path& path) { return path.lexically_normal(); };
  for (size_t k = 0; k < job.inputs.size(); ++k) {
    const fs::path output = normal(OutputFor(job, job.inputs[k]));
    const auto is_output = [&](const std::string& input) { return normal(input) == output; };
    if (std::any_of(job.inputs.begin(), job.inputs.end(), is_output)) continue;
    for (size_t j = 0; j < k; ++j) {
      const bool same_input = normal(job.inputs[j]) == normal(job.inputs[k]);
      if (!same_input && normal(OutputFor(job, job.inputs[j])) == output) {
        return job.inputs[j] + " and " + job.inputs[k] + " would both be written to " +
               output.string();
      }
    }
  }
  return std::nullopt;
}

int RunBatch(const BatchJob& job, std::ostream& out, std::ostream& err,
             const char* source_date_epoch) {
  int status = 0;
  for (const std::string& input : job.inputs) {
    const std::string output = OutputFor(job, input).string();
    // Each call refuses to replace its own HEX file; none may replace the
    // HEX file of another either (a.asm given as HEX file beside a.hex).
    const auto replaces = [&output](const std::string& hex) {
      return IsSameRegularFile(output, hex);
    };
    if (std::any_of(job.inputs.begin(), job.inputs.end(), replaces)) {
      status = Reporter(err).Fail(1, output, "is a HEX file; not replaced");
      continue;
    }
    // A folder of that name would make the call below a batch of its own,
    // writing into the folder instead of failing.
    if (std::error_code error; fs::is_directory(output, error)) {
      status = Reporter(err).Fail(1, output, "is a folder; not replaced");
      continue;
    }
    std::vector<std::string> args = job.file_args;
    args.insert(args.end(), {"-o", output, "--", input});
    SharedState state;
    if (RunCli(args, out, err, source_date_epoch, state) != 0) status = 1;
  }
  return status;
}

}  // namespace tessarin
