#include "zones/zone_text.h"

#include <cstdio>

#include "pass/hex_record.h"

namespace tessarin {

std::string FormatZoneText(const ZoneRange& range) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X %04X", static_cast<unsigned>(range.first) & 0xFFFF,
                static_cast<unsigned>(range.last) & 0xFFFF);
  return text;
}

std::optional<ZoneRange> ParseZoneText(std::string_view text) {
  const std::optional<int> first = ReadAddressText(ZoneStart(text));
  const std::optional<int> last = ReadAddressText(ZoneEnd(text));
  if (!first || !last || *first > *last) return std::nullopt;
  return ZoneRange{*first, *last};
}

}  // namespace tessarin
