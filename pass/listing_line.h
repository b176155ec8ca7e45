#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessarin {

// The listing's lines. A word line is laid out by columns (from 1):
//   1-4   word address, four upper-case hex digits
//   7-10  the word as four characters from the record
//   13-14 its high and low byte as characters
//   17-21 label field: a label name or five blanks
//   22    TAB
//   23-   the instruction text
// Columns 1-16 are the address area, which the saved source leaves out.

/// The number of header lines that open every listing.
inline constexpr int kHeaderLineCount = 5;

/// The header line that names the generator, the date and the time.
std::string HeaderLine1(std::string_view date, std::string_view time);
/// Lines 2 to 5 of the header (`number` 2 to 5).
std::string_view HeaderLine(int number);

/// `address` as four upper-case hex digits, zero-padded.
std::string AddressText(int address);

/// The character that shows a byte in the listing: the byte itself when its
/// value is above 31, else ".".
char DisplayChar(unsigned byte_value);

/// The display character of a byte given as two hex characters.
char ByteChar(std::string_view two_hex);

/// A word line. `label` is the label name or empty for five blanks.
std::string WordLine(int address, std::string_view word, std::string_view label,
                     std::string_view instruction);

/// The `ORG` line for a record at `address`; an empty line goes before it.
std::string OrgLine(int address);

/// The line for the end record.
std::string EndLine();

/// The line that defines a label whose address holds no word of the file.
std::string EquLine(std::string_view label, unsigned address);

}  // namespace tessarin
