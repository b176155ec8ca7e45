#include "zones/companion_file.h"

#include <optional>
#include <string>

#include "ui/file_io.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

bool EndsField(char c) { return c == ',' || c == '\r' || c == '\n'; }

// Reads the field that starts at `pos` and moves `pos` past the character
// that ends it. A field ends at a comma or a line end (CR, LF or both: the
// empty field between CR and LF is skipped like any empty field). Blanks
// before it are skipped; a field that opens with a double quote runs to the
// next double quote, whatever lies between, and anything after the closing
// quote up to the end of the field is dropped.
std::string_view NextField(std::string_view text, size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  std::string_view field;
  if (pos < text.size() && text[pos] == '"') {
    const size_t open = pos + 1;
    size_t close = text.find('"', open);
    if (close == std::string_view::npos) close = text.size();
    field = text.substr(open, close - open);
    pos = close;
    while (pos < text.size() && !EndsField(text[pos])) ++pos;
  } else {
    const size_t start = pos;
    while (pos < text.size() && !EndsField(text[pos])) ++pos;
    field = text.substr(start, pos - start);
  }
  ++pos;
  return field;
}

}  // namespace

std::filesystem::path CompanionFilePath(const std::filesystem::path& folder,
                                        std::string_view file_title) {
  const std::optional<std::string> name = CompanionFileName(file_title);
  return name ? folder / *name : std::filesystem::path();
}

void LoadZoneFile(SharedState& state, const std::filesystem::path& folder,
                  std::string_view file_title) {
  state.List4.Clear();
  // Only a regular file is read: opening a pipe of that name would wait for
  // a writer, and a device may never end. A missing or unreadable companion
  // file means no zones.
  const std::filesystem::path path = CompanionFilePath(folder, file_title);
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return;
  const Result<std::string> bytes = ReadFileBytes(path);
  if (bytes.ok()) LoadZoneText(state, *bytes);
}

void LoadZoneText(SharedState& state, std::string_view text) {
  state.List4.Clear();
  // The zones go to their sorted places in one sort and merge at the end:
  // inserting them one at a time would shift the list once per zone of a
  // file written in descending order.
  const TextList::AdditionRun run(state.List4);
  size_t pos = 0;
  while (pos < text.size()) {
    InsertZone(state, NextField(text, pos));
  }
}

Status SaveZoneFile(const SharedState& state, const std::filesystem::path& folder,
                    std::string_view file_title) {
  const std::filesystem::path path = CompanionFilePath(folder, file_title);
  if (path.empty()) return Status::Ok();
  std::string bytes;
  for (const std::string& zone : state.List4.Items()) {
    bytes += zone;
    bytes += "\r\n";
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace tessarin
