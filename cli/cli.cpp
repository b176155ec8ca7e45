#include "cli/cli.h"

#include <cctype>
#include <clocale>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>

#include "cli/batch.h"
#include "cli/options.h"
#include "cli/reporter.h"
#include "cli/run_file.h"
#include "processors/processor.h"
#include "ui/services.h"

namespace tessarin {
namespace {

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

// The instant of the header, when SOURCE_DATE_EPOCH is set and not empty
// (an empty value counts as unset, as the convention has it); otherwise the
// clock reads the time in the user's locale.
Result<std::optional<std::time_t>> ReadEpoch(const char* source_date_epoch) {
  if (source_date_epoch == nullptr || *source_date_epoch == '\0') {
    std::setlocale(LC_TIME, "");
    return std::optional<std::time_t>();
  }
  const Result<std::time_t> parsed = ParseEpoch(source_date_epoch);
  if (!parsed.ok()) return parsed.status();
  return std::optional<std::time_t>(*parsed);
}

// Every processor, in lower case as -p takes it, one a line.
int WriteProcessors(std::ostream& out) {
  for (const Processor& processor : Processors()) {
    std::string name(processor.name);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    out << name << "\n";
  }
  return out.flush() ? 0 : 1;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const char* source_date_epoch, SharedState& state) {
  Reporter report(err);
  const Result<Options> options = ParseArguments(args);
  if (!options.ok()) return report.Usage(options.message());
  if (options->help) {
    out << UsageText();
    return out.flush() ? 0 : 1;
  }
  if (options->list_processors) return WriteProcessors(out);
  if (options->version) {
    out << kCliProgram << " " << kAppVersion << "\n";
    return out.flush() ? 0 : 1;
  }
  const Result<std::optional<std::time_t>> epoch = ReadEpoch(source_date_epoch);
  if (!epoch.ok()) return report.Usage(epoch.message());
  CliClock clock(*epoch);
  if (IsBatch(*options)) {
    if (const std::optional<std::string> problem = BatchUsageError(*options)) {
      return report.Usage(*problem);
    }
    return RunBatch(*options, out, err, clock);
  }
  return RunFile(*options, options->inputs.front(), options->output, out, err, clock, state);
}

}  // namespace tessarin
