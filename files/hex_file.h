#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// The lines of a text: each ends at CR LF, a lone CR or a lone LF. A last
/// line without an ending is still a line; a final ending adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

/// The text of the HEX file at `path`, read only as far as it can be an
/// input: reading stops once the text holds more lines than the store or
/// more than `kMaxInputBytes` bytes, which `FillLineStore` then refuses.
/// The cause (without the path) when the file cannot be opened or read.
Result<std::string> ReadHexFile(const std::filesystem::path& path);

/// A HEX file's text in lines, split once for the line store and the defect
/// check: without a leading byte-order mark, as `SplitLines` splits it. A
/// text of more than `kMaxInputBytes` bytes is not split at all.
struct HexFileText {
  explicit HexFileText(std::string_view text);

  bool too_big;
  std::vector<std::string_view> lines;  ///< views into the text, which must outlive them
};

/// Takes `text`, the content of the HEX file at `path`, as the opened file:
/// the dialog object remembers the file, the working folder becomes its
/// folder, the listing and the label queue are emptied
/// and the line store holds its lines. Fails when the file has more lines
/// than the store holds (see `FillLineStore`).
Status TakeHexFile(SharedState& state, const std::string& path, const HexFileText& text);

/// Replaces the line store by the lines of a HEX file's text, less a leading
/// byte-order mark, and sets `HexLineCount` to the number of lines minus one.
/// Fails when the file has more lines than the store holds: the lines beyond
/// are dropped, but counted, so that the pass refuses such a file. A text of
/// more than `kMaxInputBytes` bytes is not split at all: the store stays
/// empty, marked too big, and the pass refuses it too.
Status FillLineStore(SharedState& state, std::string_view text);

/// The same for a text already split.
Status FillLineStore(SharedState& state, const HexFileText& text);

}  // namespace tessarin
