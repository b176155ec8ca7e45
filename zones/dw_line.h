#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// A DW line holds up to eight words of a data zone, by columns (from 1):
//   1-12  columns 1-12 of the first word's line: its address and word
//   13-14 blanks, where the word line shows its bytes as characters
//   15-22 columns 15-22 of that line: its label field and the TAB
//   23-27 "DW   "
//   28-33 "0x" and the first word, then ",0x" and the word for each further
//         word, seven columns apiece
//   then  blanks up to column 82 at least, "; " and one character per word
//         for its low byte.

/// The most words one DW line holds.
inline constexpr int kMaxDwWords = 8;

/// Columns 1-4 hold four hex digits: the line is a word line or a DW line,
/// not a header, `EQU`, `ORG`, `end` or empty line.
bool HasWordAddress(std::string_view line);

/// A DW line as `DwText` writes it: a word address, then "DW   " in columns
/// 23-27. The decoder's own "DW" followed by a TAB, on a word line, is not.
bool IsDwLine(std::string_view line);

/// The words of a DW line, in order, as they stand: four characters from
/// column 30, then four after each further ",0x". Reading stops where the
/// separator is missing.
std::vector<std::string> DwWords(std::string_view line);

/// A DW line being gathered from the word lines of a zone.
class DwText {
 public:
  /// Starts with the word of `line`: its columns 1-22 (all of it if shorter),
  /// "DW   ", "0x" and its columns 7-10.
  explicit DwText(std::string_view line);

  /// Appends ",0x" and columns 7-10 of `line`.
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
