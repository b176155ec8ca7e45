#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/status.h"

namespace tessarin {

/// No file that this program reads is larger: 10,001 HEX lines of 255
/// characters take about 2.6 MB.
inline constexpr size_t kMaxInputBytes = size_t{16} << 20;

/// The whole content of a file, or the cause (without the path) when it
/// cannot be opened or read or holds more than `kMaxInputBytes` bytes.
Result<std::string> ReadFileBytes(const std::filesystem::path& path);

/// The start of a file's content: read piece by piece until the end of the
/// file, until more than `max_bytes` bytes were read (then exactly
/// `max_bytes` + 1), or until `enough` returns true for the piece just read;
/// `enough` sees every piece once, in order. The cause (without the path)
/// when the file cannot be opened or read.
Result<std::string> ReadFileStart(const std::filesystem::path& path, size_t max_bytes,
                                  const std::function<bool(std::string_view)>& enough);

/// Writes `bytes` as the new content of `path` so that no failure can leave
/// a half-written file: the bytes go to a temporary file in the same folder,
/// which replaces the target only once every byte was written and the file
/// closed cleanly. On failure an existing file stays as it was. A target
/// that exists but is no regular file (a device, a pipe) is written in place.
/// Through a symbolic link the file it names is written, created if needed,
/// and the link stays a link.
/// A new file gets the usual permissions; a replaced one keeps its own. A
/// failure's message is the cause alone, without the path.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

/// Both paths name one regular file (same device and inode), directly or
/// through links. A device or a pipe is never the same file: writing it
/// replaces nothing.
bool IsSameRegularFile(const std::filesystem::path& a, const std::filesystem::path& b);

/// The base name of a chosen file: its name without folder (`file_title`)
/// less its extension, from the last dot on, whatever its length
/// ("prog.ihex" gives "prog"); a name without one, or whose only dot leads
/// it (".hex"), is kept whole. Nothing for an empty title.
std::optional<std::string> BaseName(std::string_view file_title);

}  // namespace tessarin
