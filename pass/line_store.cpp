#include "pass/line_store.h"

#include <string>

namespace tessarin {

void ResetLineStore(SharedState& state) { state.HexLines.clear(); }

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

Status StoreLine(SharedState& state, int index, std::string_view line) {
  if (index < 0 || index >= kHexLineSlots) return Status::Failure("more than 10,001 lines");
  // The store grows as lines arrive; slots skipped over read as empty.
  if (static_cast<size_t>(index) >= state.HexLines.size()) {
    state.HexLines.resize(static_cast<size_t>(index) + 1);
  }
  std::string& slot = state.HexLines[static_cast<size_t>(index)];
  // Blanks in front of the start code would shift every field.
  const std::string_view text = WithoutLeadingBlanks(line).substr(0, kHexLineWidth);
  slot.assign(kHexLineWidth, ' ');
  slot.replace(0, text.size(), text);
  return Status::Ok();
}

}  // namespace tessarin
