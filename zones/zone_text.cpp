#include "zones/zone_text.h"

#include <cstdio>

#include "pass/hex_record.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

std::optional<int> AddressField(std::string_view digits) {
  if (digits.size() != 4) return std::nullopt;
  for (char c : digits) {
    if (!IsUpperHexDigit(c)) return std::nullopt;
  }
  return static_cast<int>(ReadHexField(digits));
}

}  // namespace

std::string FormatZoneText(const ZoneRange& range) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X %04X", static_cast<unsigned>(range.first) & 0xFFFF,
                static_cast<unsigned>(range.last) & 0xFFFF);
  return text;
}

std::optional<ZoneRange> ParseZoneText(std::string_view text) {
  const std::optional<int> first = AddressField(Mid(text, 1, 4));
  const std::optional<int> last = AddressField(Mid(text, 6, 4));
  if (!first || !last || *first > *last) return std::nullopt;
  return ZoneRange{*first, *last};
}

}  // namespace tessarin
