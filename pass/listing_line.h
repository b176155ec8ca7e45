#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pass/hex_record.h"
#include "ui/text_slice.h"

namespace tessarin {

// The listing is a list of texts; this header alone knows how they are laid
// out. After the header lines, a word line reads by columns (from 1):
//   1-4   word address, four upper-case hex digits
//   7-10  the word as four characters from the record
//   13-14 its high and low byte as characters
//   17-21 label field: a label name or five blanks
//   22    TAB
//   23-   the instruction text
// Columns 1-16 are the address area, which the saved source leaves out. A DW
// line keeps columns 1-22 of its first word's line (13-14 blanked) and holds
// up to eight words from column 23 (see `DwText`). ORG, EQU and end lines
// leave the address area blank; the empty line before each ORG line is empty.

/// The number of header lines that open every listing.
inline constexpr int kHeaderLineCount = 5;

/// The header lines of a listing, in order.
using ListingHeader = std::array<std::string, kHeaderLineCount>;

/// The classic header: the line that names the generator with the date and
/// the time, an empty line, the LIST and include directives, an empty line.
ListingHeader ClassicHeader(std::string_view date, std::string_view time);

/// Whether a text (a saved source) opens with the header line this tool
/// writes, whatever its date and time.
bool StartsWithGeneratedByLine(std::string_view text);

/// The symbolic header: the same first line, the errorlevel directive that
/// keeps gpasm quiet about what symbolic source does on purpose, LIST and
/// the include of the processor's header, an empty line.
ListingHeader SymbolicHeader(std::string_view date, std::string_view time,
                             std::string_view errorlevel, std::string_view list,
                             std::string_view include);

/// What a listing line is.
enum class LineKind { kHeader, kEmpty, kWord, kDw, kOrg, kEqu, kEnd, kOther };

/// `address` as four upper-case hex digits, zero-padded.
std::string AddressText(int address);

/// The character that shows a byte in the listing: the byte itself when its
/// value is above 31, else ".".
constexpr char DisplayChar(unsigned byte_value) {
  return byte_value > 31 ? static_cast<char>(byte_value) : '.';
}

/// The display character of a byte given as two hex characters: two hex
/// digits are the rule; anything else is read as a hex field is.
constexpr char ByteChar(std::string_view two_hex) {
  if (two_hex.size() == 2) {
    const int high = HexDigitOrNone(two_hex[0]);
    const int low = HexDigitOrNone(two_hex[1]);
    if (high >= 0 && low >= 0) return DisplayChar(static_cast<unsigned>(high * 16 + low));
  }
  return DisplayChar(ReadHexField(two_hex) & 0xFF);
}

/// The columns of a word line before its instruction text: columns 1-22,
/// up to and with the TAB.
using WordLineColumns = std::array<char, 22>;

/// The columns of a word line. `label` is the label name or empty for five
/// blanks.
WordLineColumns WordColumns(int address, std::string_view word, std::string_view label);

/// A word line: its columns and `instruction`, the text the listing style
/// prints for the word.
std::string WordLine(int address, std::string_view word, std::string_view label,
                     std::string_view instruction);

/// The `ORG` line for a record at `address`; an empty line goes before it.
/// A `comment`, if any, follows the operand after "\t; ".
std::string OrgLine(int address, std::string_view comment = {});

/// The line for the end record.
std::string EndLine();

/// A comment line: the address area blank, then "; " and `comment`.
std::string CommentLine(std::string_view comment);

/// The line that defines a label whose address holds no word of the file.
std::string EquLine(std::string_view label, unsigned address);

/// Blanks the label field of `line`, as far as the line reaches into it.
void BlankLabel(std::string& line);

/// Writes `label` into the blank label field of word line `line`, as
/// `WordColumns` writes it there.
void PutLabel(std::string& line, std::string_view label);

/// Reads the fields of one listing line. A view: the text must outlive it.
/// Fields past the end of a short line read as empty.
class ListingLine {
 public:
  constexpr explicit ListingLine(std::string_view text) : text_(text) {}

  /// Columns 1-4 hold four hex digits: a word line or a DW line, not a
  /// header, `EQU`, `ORG`, `end` or empty line.
  constexpr bool HasWordAddress() const { return WordAddress().has_value(); }

  /// The value of the four hex digits of columns 1-4, on a word or DW line.
  constexpr std::optional<int> WordAddress() const {
    const std::optional<uint16_t> digits = ReadFourHexDigits(AddressField());
    if (!digits) return std::nullopt;
    return *digits;
  }

  /// A DW line as `DwText` writes it: a word address, then "DW   " at the
  /// instruction. The decoder's own "DW" and a TAB, on a word line, is not.
  constexpr bool IsDw() const { return Mid(text_, 23, 5) == "DW   " && HasWordAddress(); }

  /// The kind of the line when it stands at `index` in the listing.
  LineKind Kind(int index) const;

  /// The address area's four address characters, as they stand.
  constexpr std::string_view AddressField() const { return Mid(text_, 1, 4); }
  /// The value of the address characters read as hex.
  int Address() const;
  /// The word's four characters.
  constexpr std::string_view Word() const { return Mid(text_, 7, 4); }
  /// The label field as it stands: a name, blanks, or less on a short line.
  constexpr std::string_view LabelField() const { return Mid(text_, 17, 5); }
  /// The label field starts with a blank (a short line's does not).
  constexpr bool LabelFieldBlank() const { return CharAt(text_, 17) == ' '; }
  /// A label name followed by the TAB: the line carries a label.
  constexpr bool HasLabel() const { return CharAt(text_, 22) == '\t' && !LabelFieldBlank(); }
  /// The instruction text after the TAB.
  constexpr std::string_view Instruction() const { return MidFrom(text_, 23); }
  /// The line without its address area.
  constexpr std::string_view WithoutAddressArea() const { return MidFrom(text_, 17); }

  /// The words of a DW line, in order, as they stand: four characters after
  /// "0x", then four after each further ",0x". Reading stops where the
  /// separator is missing.
  std::vector<std::string> DwWords() const;

 private:
  std::string_view text_;
};

/// Line `index` of a listing as the saved source holds it: the header lines
/// whole, every later line without its address area.
constexpr std::string_view SavedSourceLine(int index, std::string_view line) {
  return index < kHeaderLineCount ? line : ListingLine(line).WithoutAddressArea();
}

/// The most words one DW line holds.
inline constexpr int kMaxDwWords = 8;

/// A DW line being gathered from the word lines of a zone. Its columns:
///   1-12  columns 1-12 of the first word's line: its address and word
///   13-14 blanks, where the word line shows its bytes as characters
///   15-22 columns 15-22 of that line: its label field and the TAB
///   23-27 "DW   "
///   28-33 "0x" and the first word, then ",0x" and the word for each further
///         word, seven columns apiece
///   then  blanks up to column 82 at least, "; " and one character per word
///         for its low byte.
class DwText {
 public:
  /// Starts with the word of `line`: its columns 1-22 (all of it if shorter),
  /// "DW   ", "0x" and its word.
  explicit DwText(std::string_view line);

  /// Appends ",0x" and the word of `line`.
  void AddWord(std::string_view line);

  int WordCount() const { return word_count_; }

  /// The finished line: columns 13-14 blanked, blanks up to column 82, then
  /// "; " and the display character of each word's low byte.
  std::string Finish() &&;

 private:
  std::string text_;
  int word_count_ = 1;
};

}  // namespace tessarin
