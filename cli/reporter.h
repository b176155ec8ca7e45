#pragma once

#include <ostream>
#include <string_view>

#include "cli/terminal_text.h"

namespace tessarin {

inline constexpr std::string_view kCliProgram = "tessarin-cli";

/// Writes every message to standard error with the program's name, its
/// texts made safe for a terminal: file names and zone texts come from
/// outside.
class Reporter {
 public:
  explicit Reporter(std::ostream& err) : err_(err) {}
  /// "tessarin-cli: SUBJECT: CAUSE"; returns `status`.
  int Fail(int status, std::string_view subject, std::string_view cause) {
    err_ << kCliProgram << ": " << TerminalText(subject) << ": " << TerminalText(cause) << "\n";
    return status;
  }
  /// The cause and where help is found; returns 2, the usage error's status.
  int Usage(std::string_view cause) {
    err_ << kCliProgram << ": " << TerminalText(cause) << "\n"
         << "Try '" << kCliProgram << " --help' for more information.\n";
    return 2;
  }
  void Warn(std::string_view text) {
    err_ << kCliProgram << ": warning: " << TerminalText(text) << "\n";
    ++warnings_;
  }
  int warnings() const { return warnings_; }

 private:
  std::ostream& err_;
  int warnings_ = 0;
};

}  // namespace tessarin
