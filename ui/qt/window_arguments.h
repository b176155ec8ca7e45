#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

/// What the window's command line asks for: `tessarin [FILE.hex]`.
struct WindowArguments {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  /// The HEX file to open at start, in the file system's encoding; empty: none.
  std::string file;
  /// What is wrong, for a usage error.
  std::string error;
};

/// Reads the arguments that follow the program's name. --help and --version
/// win wherever they stand, so that they can be answered before the toolkit
/// starts (and needs a display); the toolkit's own options (-style, ...) must
/// be taken out before the rest is read.
WindowArguments ParseWindowArguments(const std::vector<std::string>& args);

/// The text of --help.
std::string_view WindowUsage();

}  // namespace tessarin
