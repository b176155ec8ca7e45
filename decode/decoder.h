#pragma once

#include <string>
#include <string_view>

#include "ui/shared_state.h"

namespace tessarin {

/// Decodes one program word, given as four hexadecimal characters high byte
/// first ("1683"), into one assembler line: the mnemonic alone, or the
/// mnemonic, one TAB and the operand ("BSF\tSTATUS,RP0"). A word that is no
/// instruction becomes "DATA\t0x.." (first two characters "00") or
/// "DW\t0x....". Any text is accepted; characters past its end simply match
/// nothing.
///
/// Reads `CurrentAddress` for the page letter of CALL/GOTO labels; while
/// `PassNumber` is 1 adds each such label name to `List2`. Empties
/// `NameWarning` first and appends any lookup warning to bit-instruction lines.
std::string DecodeWord(std::string_view word, SharedState& state);

/// What `DecodeWord` does to `List2` in the first sweep, without building the
/// line: adds the label name of a CALL or GOTO word, and nothing for any
/// other word. The pass's first sweep uses it, as it discards the lines.
void CollectBranchTarget(std::string_view word, SharedState& state);

/// The file-register operand of a byte-oriented instruction from its low
/// byte `c3 c4`: "0x" + register + ",0" or ",1", or "None" when c3 is not an
/// upper-case hex digit.
std::string FormatFileOperand(std::string_view low_byte);

}  // namespace tessarin
