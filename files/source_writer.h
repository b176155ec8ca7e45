#pragma once

#include <string>

#include "ui/text_list.h"

namespace tessarin {

/// The generated source file for a listing: the header lines whole, every
/// later line without its address area, each line followed by CR LF. Bytes as they stand in the
/// listing.
std::string GeneratedSource(const TextList& listing);

/// The listing as the window shows it, every line whole, each followed by
/// CR LF.
std::string ListingText(const TextList& listing);

}  // namespace tessarin
