#include "cli/run_file.h"

#include <filesystem>

#include "cli/fit_warning.h"
#include "cli/messages.h"
#include "cli/proposals_output.h"
#include "cli/reporter.h"
#include "files/hex_check.h"
#include "files/image_fit.h"
#include "files/inexact_words.h"
#include "files/open_hex_file.h"
#include "files/source_writer.h"
#include "pass/assembler.h"
#include "processors/processor.h"
#include "proposals/proposal_entry.h"
#include "symbolic/symbolic_words.h"
#include "ui/file_io.h"
#include "zones/apply_data_zones.h"
#include "zones/companion_file.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// Where the zones of `hex_path` come from: -z, none, or its companion file
// (standard input has none).
ZoneSource ZonesOf(const Options& options, const std::string& hex_path) {
  if (options.zones) return {ZoneSource::Kind::kFile, *options.zones};
  ZoneSource zones;
  if (options.no_zones || hex_path == "-") zones.kind = ZoneSource::Kind::kNone;
  return zones;
}

// Warns when the file's image holds words that the part it is listed for
// cannot hold.
void ReportFit(const ImageFit& fit, const std::string& hex_path, Reporter& report) {
  if (fit.misfits.empty()) return;
  report.Warn(hex_path + ": " + FitWarning(*fit.processor, fit.misfits, fit.fitting));
}

// Why the pass stopped, in the command line's words.
std::string_view PassFaultText(PassFault fault) {
  switch (fault) {
    case PassFault::kFileTooBig:
      return "more than 16 MB";
    case PassFault::kTooManyLines:
      return "more than 10,001 lines";
    case PassFault::kAddressTooHigh:
      return "load address beyond the 16-bit word address range";
    case PassFault::kBeyondChip:
      return "address beyond the chip";
  }
  return {};
}

// "line 2: address beyond the chip".
std::string PassFailureText(const PassFailure& failure) {
  std::string text(PassFaultText(failure.fault));
  if (failure.line > 0) text = "line " + std::to_string(failure.line) + ": " + text;
  return text;
}

// Opens the file into `state`; false, reported, when that fails.
bool Open(const Options& options, const std::string& hex_path, const std::string& hex_file,
          Clock& clock, SharedState& state, Reporter& report) {
  if (options.symbolic) state.Style = ListingStyle::kSymbolic;
  if (options.processor) state.ProcessorName = FindProcessor(*options.processor)->name;
  const ZoneSource zones = ZonesOf(options, hex_path);
  NoYield yield;
  const OpenOutcome opened = OpenHexFile(state, hex_file, zones, yield, clock);
  for (const FoundDefect& defect : opened.defects) {
    report.Warn(hex_path + ": " + DescribeDefect(defect));
  }
  switch (opened.step) {
    case OpenStep::kReadHex:
      report.Fail(1, hex_path, opened.status.message());
      return false;
    case OpenStep::kReadZones:
      report.Fail(1, zones.path, opened.status.message());
      return false;
    case OpenStep::kPass:
      report.Fail(1, hex_path, PassFailureText(opened.pass_failure));
      // Standard input cannot be read again.
      if (hex_path != "-") ReportFit(CheckHexFileFit(hex_file, state), hex_path, report);
      return false;
    case OpenStep::kDone:
      break;
  }
  ReportFit(CheckImageFit(state), hex_path, report);
  return true;
}

// The text the call writes: the proposals, the listing or the source, once
// the zones are entered and applied as the options ask.
std::string OutputText(const Options& options, SharedState& state, std::ostream& err,
                       Reporter& report) {
  if (options.auto_zones) EnterStrongProposals(state);
  if (options.propose_zones) {
    const std::vector<ZoneProposal> proposals = ProposeZonesForOpenedFile(state);
    ReportProposals(proposals, err);
    return StrongProposalsText(proposals);
  }
  if (state.List4.Count() > 0) {
    for (const UnappliedZone& unapplied : ApplyDataZones(state)) {
      report.Warn("zone \"" + unapplied.zone +
                  "\" was not applied: " + std::string(ZoneFaultText(unapplied.fault)));
    }
  }
  return options.listing ? ListingText(state.List1) : GeneratedSource(state.List1);
}

// A source (not a listing, not proposals) that gpasm will not assemble back
// to the image is worth a warning, which --strict makes fatal.
void WarnIfInexact(const Options& options, const std::string& hex_path, const SharedState& state,
                   Reporter& report) {
  if (options.listing || options.propose_zones) return;
  const std::vector<int> inexact = InexactWords(state);
  if (!inexact.empty()) report.Warn(hex_path + ": " + InexactSourceWarning(inexact));
}

// Writes `text` to the output file, which never replaces the HEX file or the
// zones it was made from.
int WriteOutput(const Options& options, const std::string& output, const std::string& hex_file,
                const SharedState& state, const std::string& text, Reporter& report) {
  const fs::path zone_file =
      options.zones ? fs::path(*options.zones)
                    : CompanionFilePath(state.WorkingFolder, state.CommonDialog1.FileTitle);
  for (const fs::path& input : {fs::path(hex_file), zone_file}) {
    if (IsSameRegularFile(output, input)) {
      return report.Fail(1, output, "is the HEX file or a zone file; not replaced");
    }
  }
  const Status written = WriteFileAtomically(output, text);
  if (!written.ok()) return report.Fail(1, output, written.message());
  return 0;
}

}  // namespace

int RunFile(const Options& options, const std::string& hex_path,
            const std::optional<std::string>& output, std::ostream& out, std::ostream& err,
            Clock& clock, SharedState& state) {
  Reporter report(err);
  const std::string hex_file = hex_path == "-" ? "/dev/stdin" : hex_path;
  if (!Open(options, hex_path, hex_file, clock, state, report)) return 1;
  const std::string text = OutputText(options, state, err, report);
  WarnIfInexact(options, hex_path, state, report);
  if (options.strict && report.warnings() > 0) {
    return report.Fail(1, hex_path, "--strict: warnings, no output written");
  }
  if (output && *output != "-") return WriteOutput(options, *output, hex_file, state, text, report);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out.flush()) return report.Fail(1, "standard output", "write error");
  return 0;
}

}  // namespace tessarin
