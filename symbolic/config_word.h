#pragma once

#include <cstdint>
#include <string>

#include "processors/processor.h"

namespace tessarin {

/// The __CONFIG line (from the mnemonic on) for configuration word `index`
/// (from 0) of the processor holding `word`, preceded on a part with several
/// configuration words by the word's name ("_CONFIG1, "). The operand is the
/// word's settings by the names of the processor's header, ANDed as people
/// write them ("_FOSC_HS & _WDTE_OFF & ..."), when gpasm gives back exactly
/// `word` from them, the number then in a comment; otherwise the number,
/// with the settings in the comment and "?" for a field that none matches.
std::string ConfigDirective(uint16_t word, int index, const Processor& processor);

}  // namespace tessarin
