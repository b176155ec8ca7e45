#include "pass/line_store.h"

#include <string>

namespace tessarin {

void ResetLineStore(SharedState& state) { state.HexLines.clear(); }

Status StoreLine(SharedState& state, int index, std::string_view line) {
  if (index < 0 || index >= kHexLineSlots) return Status::Failure(std::string(kTooManyLines));
  // The store grows as lines arrive; slots skipped over read as empty.
  if (static_cast<size_t>(index) >= state.HexLines.size()) {
    state.HexLines.resize(static_cast<size_t>(index) + 1);
  }
  std::string& slot = state.HexLines[static_cast<size_t>(index)];
  slot.assign(line.substr(0, kHexLineWidth));
  slot.resize(kHexLineWidth, ' ');
  return Status::Ok();
}

std::optional<std::string_view> ReadSlot(const SharedState& state, int index) {
  if (index < 0 || index >= kHexLineSlots) return std::nullopt;
  if (static_cast<size_t>(index) >= state.HexLines.size()) return std::string_view();
  return std::string_view(state.HexLines[static_cast<size_t>(index)]);
}

}  // namespace tessarin
