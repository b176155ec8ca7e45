#include "zones/zone_text.h"

#include "ui/text_slice.h"

namespace tessarin {

std::string FormatZoneText(const ZoneRange& range) {
  return FourHexDigits(static_cast<unsigned>(range.first)) + " " +
         FourHexDigits(static_cast<unsigned>(range.last));
}

std::optional<ZoneRange> ParseZoneText(std::string_view text) {
  const std::optional<uint16_t> first = ReadFourUpperHexDigits(ZoneStart(text));
  const std::optional<uint16_t> last = ReadFourUpperHexDigits(ZoneEnd(text));
  if (!first || !last || *first > *last) return std::nullopt;
  return ZoneRange{*first, *last};
}

}  // namespace tessarin
