#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// The store holds at most this many lines, at indices 0 to 10000.
inline constexpr int kHexLineSlots = 10001;
/// Every stored line is cut or extended with blanks to this width.
inline constexpr int kHexLineWidth = 255;

/// Empties every slot; `HexLineCount` is left as it was.
void ResetLineStore(SharedState& state);

/// `line` without the blanks and tabs in front of its start code.
inline std::string_view WithoutLeadingBlanks(std::string_view line) {
  // Nearly every line starts with its start code.
  if (line.empty() || (line[0] != ' ' && line[0] != '\t')) return line;
  const size_t start = line.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

/// `text` without the UTF-8 byte-order mark it may start with.
std::string_view WithoutByteOrderMark(std::string_view text);

/// Stores `line`, without its leading blanks and then cut or extended to 255
/// characters, at slot `index`. Fails, storing nothing, for an index outside
/// 0-10000.
Status StoreLine(SharedState& state, int index, std::string_view line);

/// The text of slot `index`: 255 characters, or the empty text for a slot
/// never filled since the last reset. Nothing for an index outside 0-10000.
inline std::optional<std::string_view> ReadSlot(const SharedState& state, int index) {
  if (index < 0 || index >= kHexLineSlots) return std::nullopt;
  if (static_cast<size_t>(index) >= state.HexLines.size()) return std::string_view();
  return std::string_view(state.HexLines[static_cast<size_t>(index)]);
}

}  // namespace tessarin
