#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/text_slice.h"

namespace tessarin {

// A stored line read as an Intel HEX record, by fixed positions (from 1):
// 2-3 byte count, 4-7 load address, 8-9 the record type, 10 on the data, two
// characters per byte, low byte of each word first. The start code and the
// checksum are never looked at.

/// Word addresses run from 0 to 0xFFFF at most: what a record's word address
/// can be for a 14-bit PIC (0x7FFF on the mid-range core, whose whole map
/// lies in the first 64K bytes).
inline constexpr int kWordAddressCount = 0x10000;

/// Reads a hexadecimal field: blanks are skipped, digits count in either
/// case, and reading stops at the first other character. An empty field, or
/// one that starts with another character, reads as 0.
constexpr unsigned ReadHexField(std::string_view field) {
  // Two or four digits, as every field of a well-formed record holds.
  if (field.size() == 2 && HexDigitOrNone(field[0]) >= 0 && HexDigitOrNone(field[1]) >= 0) {
    return static_cast<unsigned>(HexDigitOrNone(field[0]) * 16 + HexDigitOrNone(field[1]));
  }
  if (const std::optional<uint16_t> digits = ReadFourHexDigits(field)) return *digits;
  unsigned value = 0;
  for (char c : field) {
    if (c == ' ') continue;
    const int digit = HexDigitOrNone(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return value;
}

/// The record's byte count n (0-255).
constexpr int RecordByteCount(std::string_view record) {
  return static_cast<int>(ReadHexField(Mid(record, 2, 2)));
}

/// The record's load address (0-65535).
constexpr unsigned RecordLoadAddress(std::string_view record) {
  return ReadHexField(Mid(record, 4, 4));
}

/// The record's word address: the byte address, `base` plus the load address,
/// halved, ties to the even neighbour. Nothing when it is not below
/// kWordAddressCount (byte address 0x1FFFF and beyond).
constexpr std::optional<int> RecordWordAddress(std::string_view record, uint32_t base = 0);

/// An end record: the ninth character is "1".
constexpr bool IsEndRecord(std::string_view record) { return CharAt(record, 9) == '1'; }

/// An extended segment or linear address record of the INHX32 form, or a
/// start address record: the type is "02" to "05". Such a record carries no
/// program words.
constexpr bool IsAddressRecord(std::string_view record) {
  const char type = CharAt(record, 9);
  return CharAt(record, 8) == '0' && type >= '2' && type <= '5';
}

/// The byte address that an extended address record adds to the load address
/// of the records after it: the segment times 16 for type 02, the upper 16
/// bits for type 04. Nothing for any other record.
std::optional<uint32_t> RecordAddressBase(std::string_view record);

/// How many words the record carries: n div 2.
constexpr int RecordWordCount(std::string_view record) { return RecordByteCount(record) / 2; }

/// The text of a record word: up to four characters, held in place, since
/// the pass reads every word of a file twice.
class WordText {
 public:
  WordText() = default;
  WordText(char c1, char c2, char c3, char c4) : chars_{c1, c2, c3, c4}, size_(4) {}

  void Add(char c) { chars_[size_++] = c; }
  std::string_view View() const { return {chars_, size_}; }
  operator std::string_view() const { return View(); }  // NOLINT: a word reads as its text

 private:
  char chars_[4] = {};
  size_t size_ = 0;
};

/// `RecordWord` where the line ends before the word does.
WordText CutRecordWord(std::string_view record, int k);

/// Word `k` (from 0) of the record as text, high byte's two characters then
/// the low byte's, as they stand in the line. Shorter than four characters,
/// or empty, where the line ends early.
inline WordText RecordWord(std::string_view record, int k) {
  // The high byte's characters at j+2 and j+3, then the low byte's at j and
  // j+1.
  const int j = 10 + 4 * k;
  if (k < 0 || static_cast<size_t>(j) + 3 > record.size()) return CutRecordWord(record, k);
  const char* low = record.data() + j - 1;
  return {low[2], low[3], low[0], low[1]};
}

/// Word `k` of the record as a number, when its four characters are all
/// there and all hex digits (in either case): `ReadFourHexDigits` of
/// `RecordWord(record, k)`, without making the text.
constexpr std::optional<uint16_t> RecordWordValue(std::string_view record, int k) {
  // The word's characters at j+2, j+3, j and j+1, as RecordWord takes them.
  const int j = 10 + 4 * k;
  if (k < 0 || static_cast<size_t>(j) + 3 > record.size()) return std::nullopt;
  const auto at = static_cast<size_t>(j);
  const char text[] = {record[at + 1], record[at + 2], record[at - 1], record[at]};
  return ReadFourHexDigits(std::string_view(text, 4));
}

/// Whether word `k` of the record reads above 0x3FFF as `RecordWordValue`
/// reads it.
constexpr bool RecordWordAbove3FFF(std::string_view record, int k) {
  // The first digit of the high byte, at j+2, settles nearly every word.
  const int j = 10 + 4 * k;
  if (k < 0 || static_cast<size_t>(j) + 3 > record.size()) return false;
  if (HexDigitOrNone(record[static_cast<size_t>(j) + 1]) < 4) return false;
  const std::optional<uint16_t> value = RecordWordValue(record, k);
  return value && *value > 0x3FFF;
}

/// Rounds `value / 2` to the nearest whole number, ties to even.
constexpr int HalfToEven(int value) {
  const int half = value / 2;
  return (value % 2 != 0 && half % 2 != 0) ? half + 1 : half;
}

/// The word address of a byte address, as `RecordWordAddress` gives it.
constexpr std::optional<int> WordAddressOfByte(uint64_t byte_address) {
  if (byte_address >= uint64_t{2} * kWordAddressCount) return std::nullopt;
  const int word_address = HalfToEven(static_cast<int>(byte_address));
  if (word_address >= kWordAddressCount) return std::nullopt;
  return word_address;
}

constexpr std::optional<int> RecordWordAddress(std::string_view record, uint32_t base) {
  return WordAddressOfByte(uint64_t{base} + RecordLoadAddress(record));
}

}  // namespace tessarin
