#include "cli/options.h"

#include "processors/processor.h"

namespace tessarin {
namespace {

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

// The options that take a value, in their short and long forms.
struct ValueOption {
  std::string_view short_name;
  std::string_view long_name;
  std::string_view what;
  std::optional<std::string> Options::*value;
};
constexpr ValueOption kValueOptions[] = {
    {"-o", "--output", "a file name", &Options::output},
    {"-z", "--zones", "a file name", &Options::zones},
    {"-p", "--processor", "a processor name", &Options::processor},
};

// The options that set a flag.
struct FlagOption {
  std::string_view short_name;  // empty when there is none
  std::string_view long_name;
  bool Options::*flag;
};
constexpr FlagOption kFlagOptions[] = {
    {"-l", "--listing", &Options::listing},
    {"-s", "--symbolic", &Options::symbolic},
    {"", "--strict", &Options::strict},
    {"", "--auto-zones", &Options::auto_zones},
    {"", "--propose-zones", &Options::propose_zones},
    {"", "--no-zones", &Options::no_zones},
    {"-h", "--help", &Options::help},
    {"", "--version", &Options::version},
};

// Reads a value option at `args[i]` ("-o FILE", "-oFILE", "--output FILE",
// "--output=FILE"), moving `i` past a value given apart. Nothing when
// `args[i]` is not that option.
std::optional<Result<std::string>> ReadValue(const ValueOption& option,
                                             const std::vector<std::string>& args, size_t& i) {
  const std::string& arg = args[i];
  std::string value;
  if (arg == option.short_name || arg == option.long_name) {
    if (i + 1 >= args.size()) {
      return Status::Failure("option " + arg + " needs " + std::string(option.what));
    }
    value = args[++i];
  } else if (arg.starts_with(std::string(option.long_name) + "=")) {
    value = arg.substr(option.long_name.size() + 1);
  } else if (arg.size() > 2 && arg.starts_with(option.short_name)) {
    value = arg.substr(2);
  } else {
    return std::nullopt;
  }
  if (value.empty()) {
    return Status::Failure("option " + std::string(option.long_name) + " needs " +
                           std::string(option.what));
  }
  return value;
}

// Reads the option at `args[i]` into `options`.
Status ReadOption(const std::vector<std::string>& args, size_t& i, Options& options) {
  for (const ValueOption& option : kValueOptions) {
    std::optional<Result<std::string>> value = ReadValue(option, args, i);
    if (!value) continue;
    if (!value->ok()) return value->status();
    options.*option.value = std::move(**value);
    return Status::Ok();
  }
  for (const FlagOption& option : kFlagOptions) {
    if (args[i] == option.long_name ||
        (!option.short_name.empty() && args[i] == option.short_name)) {
      options.*option.flag = true;
      return Status::Ok();
    }
  }
  return Status::Failure("unknown option " + args[i]);
}

// The usage errors of a call whose options all read well.
Status CheckOptions(const Options& options) {
  if (options.processor && FindProcessor(*options.processor) == nullptr) {
    return Status::Failure("unknown processor " + *options.processor);
  }
  if (options.zones && options.no_zones) {
    return Status::Failure("--zones and --no-zones exclude each other");
  }
  if (options.propose_zones && options.auto_zones) {
    return Status::Failure("--propose-zones and --auto-zones exclude each other");
  }
  if (options.inputs.empty()) return Status::Failure("no HEX file named");
  return Status::Ok();
}

}  // namespace

std::string_view UsageText() { return kUsage; }

Result<Options> ParseArguments(const std::vector<std::string>& args) {
  Options options;
  bool only_operands = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_operands || arg.empty() || arg[0] != '-' || arg == "-") {
      options.inputs.push_back(arg);
    } else if (arg == "--") {
      only_operands = true;
    } else if (Status read = ReadOption(args, i, options); !read.ok()) {
      return read;
    }
  }
  if (options.help || options.version) return options;
  if (Status checked = CheckOptions(options); !checked.ok()) return checked;
  return options;
}

}  // namespace tessarin
