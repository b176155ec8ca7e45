#include "files/replace_check.h"

#include <string>
#include <string_view>
#include <system_error>

#include "files/hex_file.h"
#include "pass/listing_line.h"
#include "ui/file_io.h"

namespace tessarin {
namespace {

constexpr size_t kLongestZoneText = 80;

// Printable in Windows-1252: no control character, no DEL.
bool IsPrintable(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte != 0x7F;
}

bool IsOurZoneFile(std::string_view bytes) {
  for (std::string_view line : SplitLines(bytes)) {
    if (line.size() > kLongestZoneText) return false;
    for (char c : line) {
      if (!IsPrintable(c)) return false;
    }
  }
  return true;
}

// A regular file at `path`, which a save would replace, that `is_ours` does
// not recognise. Nothing there is nothing to lose; a device or a pipe is
// written in place, not replaced, and is never read here (a pipe would wait
// for a writer); a folder cannot be replaced at all.
bool IsForeign(const std::filesystem::path& path, bool (*is_ours)(std::string_view)) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const Result<std::string> bytes = ReadFileBytes(path);
  return !bytes.ok() || !is_ours(*bytes);
}

}  // namespace

bool MayReplace(MessageBox& message_box, const std::filesystem::path& source,
                const std::filesystem::path& zones, const std::filesystem::path& hex_file) {
  std::string names;
  const auto check = [&](const std::filesystem::path& path, bool (*is_ours)(std::string_view)) {
    // The HEX file's records would pass for zone texts: it is never ours.
    if (!IsSameRegularFile(path, hex_file) && !IsForeign(path, is_ours)) return;
    if (!names.empty()) names += " et ";
    names += path.filename().string();
  };
  check(source, StartsWithGeneratedByLine);
  if (!zones.empty()) check(zones, IsOurZoneFile);
  if (names.empty()) return true;
  return message_box.Ask(
      "Le fichier " + names + " existe déjà et n'a pas été créé par Tessarin. Le remplacer ?",
      kAppTitle);
}

}  // namespace tessarin
