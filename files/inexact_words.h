#pragma once

#include <vector>

#include "ui/shared_state.h"

namespace tessarin {

/// The addresses of the words of the listing `List1` that its saved source
/// will not give back when gpasm assembles it, in listing order:
/// - a word listed as an instruction (not as DW, DATA, DE or __CONFIG) that
///   its instruction does not encode back to, or at 0x2000 and above, where
///   no instruction belongs (the configuration word read as ADDLW);
/// - a word that is no 14-bit word or no word at all (gpasm keeps 14 bits);
/// - every word after an ORG line that gpasm places elsewhere: gpasm counts
///   ORG in bytes over the data EEPROM, so a classic ORG past the EEPROM's
///   first word, and a symbolic ORG the printer cannot reach, miss.
/// DW lines of applied zones count by their words too.
std::vector<int> InexactWords(const SharedState& state);

}  // namespace tessarin
