#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/status.h"

namespace tessarin {

/// A call of tessarin-cli, as its arguments give it.
struct Options {
  std::vector<std::string> inputs;  ///< the HEX files, at least one
  std::optional<std::string> output;
  std::optional<std::string> zones;
  bool no_zones = false;
  bool listing = false;
  bool symbolic = false;
  std::optional<std::string> processor;
  bool strict = false;
  bool auto_zones = false;
  bool propose_zones = false;
  bool list_processors = false;
  bool force = false;  ///< replace outputs whose names the tool picks, whoever wrote them
  bool help = false;
  bool version = false;
};

/// The help text.
std::string_view UsageText();

/// Reads the arguments (without the program name); a usage error otherwise.
Result<Options> ParseArguments(const std::vector<std::string>& args);

}  // namespace tessarin
