#include "files/source_writer.h"

#include "pass/listing_line.h"

namespace tessarin {
namespace {

template <typename LineOf>
std::string JoinLines(const TextList& listing, LineOf line_of) {
  std::string text;
  const std::vector<std::string>& lines = listing.Items();
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    text.append(line_of(static_cast<int>(i), lines[i]));
    text += "\r\n";
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
