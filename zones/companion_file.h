#pragma once

#include <filesystem>
#include <string_view>

#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// The path of the companion file of `file_title` in `folder`; empty for an
/// empty title.
std::filesystem::path CompanionFilePath(const std::filesystem::path& folder,
                                        std::string_view file_title);

/// Empties `List4`, then fills it from the companion file of `file_title`
/// in `folder`. The file is read as fields: a comma or a line end (CR LF, LF
/// or CR) ends a field, a field opening with a double quote runs to the next
/// one and loses the quotes, and each field goes in as `InsertZone` puts it.
/// A missing or unreadable file, one that is no regular file (a pipe, a
/// device), or an empty title, leaves the list empty
/// without a word.
void LoadZoneFile(SharedState& state, const std::filesystem::path& folder,
                  std::string_view file_title);

/// Empties `List4`, then fills it from `text` read as a zone file, as
/// `LoadZoneFile` reads the companion file.
void LoadZoneText(SharedState& state, std::string_view text);

/// Writes `List4` as the companion file of `file_title` in `folder`: one
/// entry per line, CR LF after each, in list order, bytes as they stand. The
/// file is replaced only once fully written; a failure leaves the old file
/// and is returned for the caller to report. An empty title writes nothing
/// and is no failure.
Status SaveZoneFile(const SharedState& state, const std::filesystem::path& folder,
                    std::string_view file_title);

}  // namespace tessarin
