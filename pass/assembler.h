#pragma once

#include <optional>
#include <string>

#include "pass/record_reader.h"
#include "symbolic/symbolic_words.h"
#include "ui/services.h"
#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// The symbolic view of the image the line store holds, when the listing
/// style is symbolic; nothing in the classic style.
std::optional<SymbolicWords> SymbolicStyle(const SharedState& state);

/// The disassembly pass: rebuilds the listing `List1` and the label list
/// `List3` from the line store.
///
/// A first sweep collects the branch targets of all words into `List2`;
/// they become the label list, each name once, and the queue of labels to
/// place (the event loop runs once per name meanwhile). A second sweep writes
/// the listing: the five header lines, an `EQU` line for every label whose
/// address holds no word of the file, then one line per word, with an `ORG`
/// line before every word whose address does not follow the previous word's
/// and an `end` line at the end record, or after the last line when there is
/// none. Each label goes on the first word line at its address. Address
/// records carry no words; an extended address record adds its base to the
/// load addresses of the data records after it. The classic style lists
/// every record's words where the record stands; the symbolic style lists
/// the image a device programmer loads: a word that a later record loads
/// again, or that comes at or after the end record, is left out with a
/// comment, and the data EEPROM words come together in address order.
/// Afterwards `List2` holds the labels that no word line carries.
///
/// A failure (an address beyond 16 bits or beyond the chip, more than 10,001
/// stored lines, a file too big for the store) ends the pass where it
/// strikes; the lists keep what was written until then.
PassStatus Assembler(SharedState& state, EventLoopYield& yield, Clock& clock);

}  // namespace tessarin
