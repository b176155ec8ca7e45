#include "ui/qt/window_arguments.h"

namespace tessarin {

WindowArguments ParseWindowArguments(const std::vector<std::string>& args) {
  WindowArguments parsed;
  std::vector<std::string> files;
  bool only_files = false;
  for (const std::string& arg : args) {
    if (only_files || arg.size() < 2 || arg[0] != '-') {
      files.push_back(arg);
    } else if (arg == "--") {
      only_files = true;
    } else if (arg == "--help" || arg == "-h") {
      return {WindowArguments::Action::kHelp, {}, {}};
    } else if (arg == "--version") {
      return {WindowArguments::Action::kVersion, {}, {}};
    } else if (parsed.error.empty()) {
      parsed.error = "unknown option " + arg;
    }
  }
  if (parsed.error.empty() && files.size() > 1) parsed.error = "only one HEX file can be named";
  if (parsed.error.empty() && files.size() == 1 && files[0].empty()) {
    parsed.error = "the file name is empty";
  }
  if (!parsed.error.empty()) {
    parsed.action = WindowArguments::Action::kUsageError;
  } else if (!files.empty()) {
    parsed.file = files[0];
  }
  return parsed;
}

std::string_view WindowUsage() {
  return "Usage: tessarin [options] [FILE.hex]\n"
         "Opens the window of Tessarin, which turns the program memory image (Intel HEX)\n"
         "of a 14-bit mid-range or enhanced mid-range PIC (PIC10F32x, PIC12F6xx,\n"
         "PIC16F6xx-9xx, PIC12F1xxx, PIC16F1xxx) back into assembler source. A FILE\n"
         "named on the command line is opened at start, as the \"Ouvrir\" command opens\n"
         "a chosen file: its name in the caption, the zones of its companion .dat file,\n"
         "the listing, for the part last chosen for that file if there is one.\n"
         "\n"
         "The part chosen for each HEX file in the \"Processeur\" dialog is kept in the\n"
         "user's settings (~/.config/Tessarin/Tessarin.conf), by the file's full path.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "The toolkit's own options (-style, -platform, ...) are accepted too.\n";
}

}  // namespace tessarin
