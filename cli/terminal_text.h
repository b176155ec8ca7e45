#pragma once

#include <string>
#include <string_view>

namespace tessarin {

/// `text` made safe to echo to a terminal: control characters (C0, DEL,
/// C1), bytes that are not part of well-formed UTF-8 and the backslash are
/// written as "\x1B" or "\\"; everything else stands as it is.
std::string TerminalText(std::string_view text);

}  // namespace tessarin
