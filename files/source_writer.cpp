#include "files/source_writer.h"

#include <cstring>
#include <string_view>

#include "pass/listing_line.h"

namespace tessarin {
namespace {

// The lines `line_of` makes of the listing's, each followed by CR LF, in
// one text sized once and filled in place.
template <typename LineOf>
std::string JoinLines(const TextList& listing, LineOf line_of) {
  const std::vector<std::string>& lines = listing.Items();
  size_t size = 0;
  for (size_t i = 0; i < lines.size(); ++i)
    size += line_of(static_cast<int>(i), lines[i]).size() + 2;
  std::string text(size, '\0');
  char* out = text.data();
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = line_of(static_cast<int>(i), lines[i]);
    if (!line.empty()) std::memcpy(out, line.data(), line.size());
    out += line.size();
    *out++ = '\r';
    *out++ = '\n';
  }
  return text;
}

}  // namespace

std::string GeneratedSource(const TextList& listing) {
  return JoinLines(listing,
                   [](int index, const std::string& line) { return SavedSourceLine(index, line); });
}

std::string ListingText(const TextList& listing) {
  return JoinLines(listing, [](int, const std::string& line) { return std::string_view(line); });
}

}  // namespace tessarin
