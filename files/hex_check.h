#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

/// What a HEX file can hold that the reading passes over without a word:
/// the window reads such files as it can, the command-line tool warns.
/// From `kOddAddress` on, the defects make a listing that does not give back
/// the image a device programmer loads.
enum class HexDefect {
  kNoStartColon,
  kNotHexDigit,
  kByteCountMismatch,
  kCutAt255,
  kWrongChecksum,
  kWordAbove3FFF,
  kOddAddress,       ///< a data record at an odd byte address: its bytes straddle words
  kOddByteCount,     ///< a data record with an odd byte count: its last byte is dropped
  kRepeatedAddress,  ///< a word address that an earlier record writes too
  kAfterEnd,         ///< a record after the end record, where a programmer stops
  kNoEndRecord,
  kEmptyFile,
};

/// One kind of defect found in a text: the number (from 1) of the first
/// line that shows it and how many lines do (both 0 for an empty file).
struct FoundDefect {
  HexDefect kind;
  int first_line = 0;
  int line_count = 0;

  bool operator==(const FoundDefect&) const = default;
};

/// The defects of a HEX file's text, one entry per kind found, in the order
/// of `HexDefect`. Lines are taken as the line store takes them: without a
/// leading byte-order mark and blanks; blanks that end a line and blank
/// lines are no defect. Addresses are read as the pass reads them. A file
/// without a record is empty; one whose records have no end record lacks it
/// (no line for either).
std::vector<FoundDefect> FindHexDefects(std::string_view text);

/// The same for the text's lines, as `HexFileText` splits them.
std::vector<FoundDefect> FindHexDefects(std::span<const std::string_view> lines);

/// The defect in a few words: "a wrong checksum".
std::string_view DefectText(HexDefect kind);

/// The defect as a warning says it: "line 3: a wrong checksum (and 2 more
/// lines)", or "an empty file".
std::string DescribeDefect(const FoundDefect& defect);

}  // namespace tessarin
