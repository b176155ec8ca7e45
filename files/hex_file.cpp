#include "files/hex_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>

#include "pass/line_store.h"
#include "ui/file_io.h"

namespace tessarin {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

Result<std::string> ReadHexFile(const std::filesystem::path& path) {
  // Counts line endings as SplitLines does, a CR LF split between two pieces
  // once; a text with more endings than the store has slots has more lines.
  size_t endings = 0;
  char previous = '\0';
  auto enough = [&](std::string_view piece) {
    for (char c : piece) {
      if (c == '\r' || (c == '\n' && previous != '\r')) ++endings;
      previous = c;
    }
    return endings > static_cast<size_t>(kHexLineSlots);
  };
  return ReadFileStart(path, kMaxInputBytes, enough);
}

Status TakeHexFile(SharedState& state, const std::string& path, std::string_view text) {
  state.CommonDialog1.Remember(path);
  state.HexFile = path;
  state.WorkingFolder = state.HexFile.parent_path();
  state.List1.Clear();
  state.List2.Clear();
  return FillLineStore(state, text);
}

Status FillLineStore(SharedState& state, std::string_view text) {
  ResetLineStore(state);
  state.HexFileTooBig = text.size() > kMaxInputBytes;
  if (state.HexFileTooBig) {
    state.HexLineCount = -1;
    return Status::Failure("more than 16 MB");
  }
  const std::vector<std::string_view> lines = SplitLines(WithoutByteOrderMark(text));
  Status stored = Status::Ok();
  for (size_t i = 0; i < lines.size() && stored.ok(); ++i) {
    stored = StoreLine(state, static_cast<int>(i), lines[i]);
  }
  // The count stays within 16 bits; any count past the store makes the pass
  // stop at the first missing slot.
  const size_t last = lines.empty() ? 0 : lines.size() - 1;
  state.HexLineCount =
      lines.empty()
          ? int16_t{-1}
          : static_cast<int16_t>(std::min<size_t>(last, std::numeric_limits<int16_t>::max()));
  return stored;
}

}  // namespace tessarin
