#include "files/replace_check.h"

#include <string>
#include <string_view>
#include <system_error>

#include "files/hex_file.h"
#include "pass/listing_line.h"
#include "ui/file_io.h"
#include "zones/companion_file.h"

namespace tessarin {
namespace {

constexpr size_t kLongestZoneText = 80;

// Printable in Windows-1252: no control character, no DEL.
bool IsPrintable(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte != 0x7F;
}

bool IsZoneText(std::string_view bytes) {
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
template <typename IsOurs>
bool IsForeign(const std::filesystem::path& path, IsOurs is_ours) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const Result<std::string> bytes = ReadFileBytes(path);
  return !bytes.ok() || !is_ours(*bytes);
}

}  // namespace

bool IsForeignSource(const std::filesystem::path& path) {
  return IsForeign(path, StartsWithGeneratedByLine);
}

bool MayReplace(MessageBox& message_box, const std::filesystem::path& source,
                const std::filesystem::path& zones, const std::filesystem::path& hex_file,
                const std::vector<std::string>& zone_list) {
  std::vector<std::string> names;
  const auto check = [&](const std::filesystem::path& path, bool foreign) {
    // The HEX file's records would pass for zone texts: it is never ours.
    if (foreign || IsSameRegularFile(path, hex_file)) names.push_back(path.filename().string());
  };
  check(source, IsForeignSource(source));
  if (!zones.empty()) {
    const bool hex_companion = IsSameRegularFile(
        zones, CompanionFilePath(hex_file.parent_path(), hex_file.filename().string()));
    check(zones, IsForeign(zones, [&](std::string_view bytes) {
            SharedState read;
            LoadZoneText(read, bytes);
            return bytes.empty() || read.List4.Items() == zone_list ||
                   (hex_companion && IsZoneText(bytes));
          }));
  }
  if (names.empty()) return true;
  return message_box.Ask(
      names.size() == 1 ? "Le fichier " + names[0] +
                              " existe déjà et n'a pas été créé par Tessarin. Le remplacer ?"
                        : "Les fichiers " + names[0] + " et " + names[1] +
                              " existent déjà et n'ont pas été créés par Tessarin. Les remplacer ?",
      kAppTitle);
}

}  // namespace tessarin
