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
  // A line ends at the first CR before the next LF, else at that LF. Both
  // are searched with memchr; the next LF is searched once per LF, not once
  // per line, so that a text of lone CRs is not read again and again.
  size_t next_lf = text.find('\n');
  size_t start = 0;
  while (start < text.size()) {
    if (next_lf < start) next_lf = text.find('\n', start);
    const size_t end = std::min({text.substr(0, next_lf).find('\r', start), next_lf, text.size()});
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

HexFileText::HexFileText(std::string_view text) : too_big(text.size() > kMaxInputBytes) {
  if (!too_big) lines = SplitLines(WithoutByteOrderMark(text));
}

Result<std::string> ReadHexFile(const std::filesystem::path& path) {
  // Counts line endings as SplitLines does: every CR, and every LF but one
  // that ends a CR LF, also when the CR ends the piece before. A text with
  // more endings than the store has slots has more lines.
  size_t endings = 0;
  char previous = '\0';
  auto enough = [&](std::string_view piece) {
    for (size_t lf = piece.find('\n'); lf != std::string_view::npos;
         lf = piece.find('\n', lf + 1)) {
      ++endings;
    }
    if (previous == '\r' && piece.starts_with('\n')) --endings;
    for (size_t cr = piece.find('\r'); cr != std::string_view::npos;
         cr = piece.find('\r', cr + 1)) {
      if (cr + 1 == piece.size() || piece[cr + 1] != '\n') ++endings;
    }
    if (!piece.empty()) previous = piece.back();
    return endings > static_cast<size_t>(kHexLineSlots);
  };
  return ReadFileStart(path, kMaxInputBytes, enough);
}

Status TakeHexFile(SharedState& state, const std::string& path, const HexFileText& text) {
  state.CommonDialog1.Remember(path);
  state.HexFile = path;
  state.WorkingFolder = state.HexFile.parent_path();
  state.List1.Clear();
  state.List2.Clear();
  return FillLineStore(state, text);
}

Status FillLineStore(SharedState& state, std::string_view text) {
  return FillLineStore(state, HexFileText(text));
}

Status FillLineStore(SharedState& state, const HexFileText& text) {
  ResetLineStore(state);
  state.HexFileTooBig = text.too_big;
  if (state.HexFileTooBig) {
    state.HexLineCount = -1;
    return Status::Failure("more than 16 MB");
  }
  const std::vector<std::string_view>& lines = text.lines;
  state.HexLines.reserve(std::min<size_t>(lines.size(), kHexLineSlots));
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
