#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/text_slice.h"

namespace tessarin {

// A zone text, "0001 00F2": columns 1-4 the first word address and 6-9 the
// last, four upper-case hex digits each; nothing after column 9 counts.

/// The start address of a zone text, as typed.
constexpr std::string_view ZoneStart(std::string_view zone) { return Mid(zone, 1, 4); }
/// The end address of a zone text, as typed.
constexpr std::string_view ZoneEnd(std::string_view zone) { return Mid(zone, 6, 4); }

struct ZoneRange {
  int first = 0;
  int last = 0;
};

/// "AAAA BBBB" for the addresses (0-0xFFFF), as the listing writes them.
std::string FormatZoneText(const ZoneRange& range);

/// The range a zone text names, when both addresses are four hex digits as
/// a listing line would match them and the first is not past the last.
std::optional<ZoneRange> ParseZoneText(std::string_view text);

}  // namespace tessarin
