#include "zones/zone_list.h"

#include <algorithm>

#include "ui/file_io.h"

namespace tessarin {
namespace {

// Upper case in Windows-1252: the ASCII letters, the accented letters
// 0xE0-0xFE (0xF7 is the division sign) and the four lower-case letters
// whose capitals stand elsewhere (š Š, œ Œ, ž Ž, ÿ Ÿ).
char UpperCase1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 0x20);
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 0x20);
  switch (byte) {
    case 0x9A:
      return static_cast<char>(0x8A);
    case 0x9C:
      return static_cast<char>(0x8C);
    case 0x9E:
      return static_cast<char>(0x8E);
    case 0xFF:
      return static_cast<char>(0x9F);
    default:
      return c;
  }
}

}  // namespace

void EnterZone(SharedState& state, std::string_view typed) {
  std::string zone(typed);
  std::transform(zone.begin(), zone.end(), zone.begin(), UpperCase1252);
  InsertZone(state, zone);
}

void InsertZone(SharedState& state, std::string_view zone) {
  // A blank before the start address would keep the zone from ever
  // matching a line; an empty entry matches nothing at all.
  const size_t first = zone.find_first_not_of(' ');
  if (first == std::string_view::npos) return;
  const size_t last = zone.find_last_not_of(' ');
  state.List4.Add(std::string(zone.substr(first, last - first + 1)));
}

void RemoveSelectedZone(SharedState& state) { state.List4.Remove(state.List4.SelectedIndex()); }

std::optional<std::string> CompanionFileName(std::string_view file_title) {
  std::optional<std::string> name = BaseName(file_title);
  if (name) *name += ".dat";
  return name;
}

}  // namespace tessarin
