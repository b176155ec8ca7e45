#include "cli/cli.h"

#include <clocale>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string_view>

#include "cli/batch.h"
#include "cli/proposals_output.h"
#include "cli/reporter.h"
#include "files/hex_check.h"
#include "files/open_hex_file.h"
#include "files/source_writer.h"
#include "pass/assembler.h"
#include "processors/processor.h"
#include "proposals/proposal_entry.h"
#include "ui/file_io.h"
#include "ui/services.h"
#include "zones/apply_data_zones.h"
#include "zones/companion_file.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "Usage: tessarin-cli [options] FILE.hex...\n"
    "Disassembles a PIC16F87x program memory image (Intel HEX, INHX8M or INHX32)\n"
    "into assembler source, applying the data zones of FILE's companion .dat file.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE  write the source to FILE instead of standard output (-)\n"
    "  -z, --zones FILE   take the data zones from FILE instead of the companion file\n"
    "      --no-zones     apply no data zones\n"
    "  -l, --listing      write the listing (address area included) instead of the source\n"
    "  -s, --symbolic     write the symbolic style: named, bank- and page-aware source\n"
    "                     that gpasm -p PROCESSOR assembles back to the same image\n"
    "  -p, --processor NAME  the processor of the symbolic style and of the zone\n"
    "                     proposals (default 16F876): 16f877a, p16f877a or PIC16F877A\n"
    "      --strict       treat every warning as an error: exit 1 and write nothing\n"
    "      --auto-zones   apply the strong data-zone proposals too\n"
    "      --propose-zones  write the strong data-zone proposals, as a zone file holds\n"
    "                     them, instead of the source; every proposal with its kind\n"
    "                     and reason goes to standard error (one FILE only)\n"
    "      --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "FILE - reads standard input, whose zones come only from -z. With several\n"
    "FILEs, or -o naming a folder, each source goes to NAME.asm (NAME.lst with -l)\n"
    "beside its FILE or in that folder, and a FILE that fails does not stop the others.\n"
    "\n"
    "The header's date and time come from SOURCE_DATE_EPOCH (UTC) when it is set\n"
    "and not empty.\n"
    "Warnings (defects of the HEX file passed over, zones not applied) go to standard\n"
    "error and leave the exit status alone unless --strict is given.\n"
    "An output is never the HEX file or a zone file: that is refused.\n"
    "Exit status: 0 done; 1 a file could not be read, disassembled or written, or\n"
    "--strict met a warning; 2 usage error.\n";

struct Options {
  std::vector<std::string> inputs;     ///< the HEX files, at least one
  std::vector<std::string> file_args;  ///< the options but -o, for each file of a batch
  std::optional<std::string> output;
  std::optional<std::string> zones;
  bool no_zones = false;
  bool listing = false;
  bool symbolic = false;
  std::optional<std::string> processor;
  bool strict = false;
  bool auto_zones = false;
  bool propose_zones = false;
  bool help = false;
  bool version = false;
};

// Parses the arguments; on a usage error returns nothing and sets `error`.
std::optional<Options> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool only_operands = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_operands || arg.empty() || arg[0] != '-' || arg == "-") {
      options.inputs.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_operands = true;
      continue;
    }
    // Options that take a value: "-o FILE", "-oFILE", "--output FILE", "--output=FILE".
    auto value_of = [&](std::string_view short_name, std::string_view long_name,
                        std::optional<std::string>& value, std::string_view what = "a file name") {
      std::optional<std::string> found;
      if (arg == short_name || arg == long_name) {
        if (i + 1 >= args.size()) {
          error = "option " + arg + " needs " + std::string(what);
          return true;
        }
        found = args[++i];
      } else if (arg.rfind(std::string(long_name) + "=", 0) == 0) {
        found = arg.substr(long_name.size() + 1);
      } else if (arg.size() > 2 && arg.rfind(short_name, 0) == 0) {
        found = arg.substr(2);
      } else {
        return false;
      }
      if (found->empty())
        error = "option " + std::string(long_name) + " needs " + std::string(what);
      value = found;
      return true;
    };
    const size_t first = i;
    if (value_of("-o", "--output", options.output)) {
      if (!error.empty()) return std::nullopt;
      continue;
    }
    if (value_of("-z", "--zones", options.zones) ||
        value_of("-p", "--processor", options.processor, "a processor name")) {
      if (!error.empty()) return std::nullopt;
    } else if (arg == "-l" || arg == "--listing") {
      options.listing = true;
    } else if (arg == "-s" || arg == "--symbolic") {
      options.symbolic = true;
    } else if (arg == "--strict") {
      options.strict = true;
    } else if (arg == "--auto-zones") {
      options.auto_zones = true;
    } else if (arg == "--propose-zones") {
      options.propose_zones = true;
    } else if (arg == "--no-zones") {
      options.no_zones = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else {
      error = "unknown option " + arg;
      return std::nullopt;
    }
    options.file_args.insert(options.file_args.end(),
                             args.begin() + static_cast<std::ptrdiff_t>(first),
                             args.begin() + static_cast<std::ptrdiff_t>(i + 1));
  }
  if (options.help || options.version) return options;
  if (options.processor && FindProcessor(*options.processor) == nullptr) {
    error = "unknown processor " + *options.processor;
    return std::nullopt;
  }
  if (options.zones && options.no_zones) {
    error = "--zones and --no-zones exclude each other";
    return std::nullopt;
  }
  if (options.inputs.empty()) {
    error = "no HEX file named";
    return std::nullopt;
  }
  return options;
}

// The date and time of the header: the user's locale forms, or the instant
// of SOURCE_DATE_EPOCH in UTC for reproducible output.
class CliClock : public Clock {
 public:
  explicit CliClock(std::optional<std::time_t> fixed) : fixed_(fixed) {}
  std::string DateText() override { return Format(fixed_ ? "%Y-%m-%d" : "%x"); }
  std::string TimeText() override { return Format(fixed_ ? "%H:%M:%S" : "%X"); }

 private:
  std::string Format(const char* format) {
    const std::time_t when = fixed_.value_or(std::time(nullptr));
    std::tm parts{};
    if (fixed_) {
      gmtime_r(&when, &parts);
    } else {
      localtime_r(&when, &parts);
    }
    char text[64];
    const size_t length = std::strftime(text, sizeof text, format, &parts);
    return std::string(text, length);
  }
  std::optional<std::time_t> fixed_;
};

// The instant that SOURCE_DATE_EPOCH names: whole seconds since 1970 in
// decimal digits, at most the last second of the year 9999, so that the
// header's date keeps its four-digit year. Otherwise the cause.
Result<std::time_t> ParseEpoch(std::string_view text) {
  constexpr std::int64_t kLastSecond = 253402300799;  // 9999-12-31 23:59:59 UTC
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  std::int64_t seconds = 0;
  bool too_large = false;
  for (char c : text) {
    if (c < '0' || c > '9') return Status::Failure("SOURCE_DATE_EPOCH is not a number of seconds");
    too_large = too_large || seconds > kLastSecond / 10;
    if (!too_large) seconds = seconds * 10 + (c - '0');
  }
  if (text.empty()) return Status::Failure("SOURCE_DATE_EPOCH is not a number of seconds");
  if (negative) return Status::Failure("SOURCE_DATE_EPOCH is negative");
  if (too_large || seconds > kLastSecond) {
    return Status::Failure("SOURCE_DATE_EPOCH is too large (past the year 9999)");
  }
  return static_cast<std::time_t>(seconds);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const char* source_date_epoch, SharedState& state) {
  Reporter report(err);
  std::string usage_error;
  const std::optional<Options> options = ParseArguments(args, usage_error);
  if (!options) return report.Usage(usage_error);
  if (options->help) {
    out << kUsage << "\nProcessors:";
    for (const Processor& processor : Processors()) out << " " << processor.name;
    out << "\n";
    return out.flush() ? 0 : 1;
  }
  if (options->version) {
    out << kCliProgram << " " << kAppVersion << "\n";
    return out.flush() ? 0 : 1;
  }

  // An empty value counts as unset, as the convention has it.
  std::optional<std::time_t> epoch;
  if (source_date_epoch != nullptr && *source_date_epoch != '\0') {
    const Result<std::time_t> parsed = ParseEpoch(source_date_epoch);
    if (!parsed.ok()) return report.Usage(parsed.message());
    epoch = *parsed;
  } else {
    std::setlocale(LC_TIME, "");
  }
  if (IsBatch(options->inputs.size(), options->output)) {
    if (options->propose_zones) return report.Usage("--propose-zones takes one HEX file");
    const BatchJob job{options->inputs, options->output, options->file_args, options->listing};
    if (const std::optional<std::string> problem = BatchUsageError(job))
      return report.Usage(*problem);
    return RunBatch(job, out, err, source_date_epoch);
  }

  const std::string& hex_path = options->inputs.front();
  if (options->symbolic) state.Style = ListingStyle::kSymbolic;
  if (options->processor) state.ProcessorName = FindProcessor(*options->processor)->name;

  ZoneSource zones;
  if (options->zones) {
    zones = {ZoneSource::Kind::kFile, *options->zones};
  } else if (options->no_zones || hex_path == "-") {
    zones.kind = ZoneSource::Kind::kNone;  // standard input has no companion file
  }
  NoYield yield;
  CliClock clock(epoch);
  const std::string hex_file = hex_path == "-" ? "/dev/stdin" : hex_path;
  const OpenOutcome opened = OpenHexFile(state, hex_file, zones, yield, clock);
  for (const FoundDefect& defect : opened.defects) {
    report.Warn(hex_path + ": " + DescribeDefect(defect));
  }
  switch (opened.step) {
    case OpenStep::kReadHex:
      return report.Fail(1, hex_path, opened.status.message());
    case OpenStep::kReadZones:
      return report.Fail(1, zones.path, opened.status.message());
    case OpenStep::kPass:
      return report.Fail(1, hex_path, PassFailedText(opened.status));
    case OpenStep::kDone:
      break;
  }

  if (options->auto_zones) EnterStrongProposals(state);
  std::string proposed;
  if (options->propose_zones) {
    const std::vector<ZoneProposal> proposals = ProposeZonesForOpenedFile(state);
    ReportProposals(proposals, err);
    proposed = StrongProposalsText(proposals);
  }

  if (!options->propose_zones && state.List4.Count() > 0) {
    for (const UnappliedZone& unapplied : ApplyDataZones(state)) {
      report.Warn("zone \"" + unapplied.zone +
                  "\" was not applied: " + std::string(ZoneFaultText(unapplied.fault)));
    }
  }

  if (options->strict && report.warnings() > 0) {
    return report.Fail(1, hex_path, "--strict: warnings, no output written");
  }
  const std::string text = options->propose_zones ? proposed
                           : options->listing     ? ListingText(state.List1)
                                                  : GeneratedSource(state.List1);
  if (options->output && *options->output != "-") {
    // The output never replaces the HEX file or the zones it was made from.
    const fs::path zone_file =
        options->zones ? fs::path(*options->zones)
                       : CompanionFilePath(state.WorkingFolder, state.CommonDialog1.FileTitle);
    for (const fs::path& input : {fs::path(hex_file), zone_file}) {
      if (IsSameRegularFile(*options->output, input)) {
        return report.Fail(1, *options->output, "is the HEX file or a zone file; not replaced");
      }
    }
    const Status written = WriteFileAtomically(*options->output, text);
    if (!written.ok()) return report.Fail(1, *options->output, written.message());
    return 0;
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out.flush()) return report.Fail(1, "standard output", "write error");
  return 0;
}

}  // namespace tessarin
