#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

/// Characters `start` to `start + length - 1` of `text`, counting from 1.
/// Whatever lies outside the text reads as nothing: a slice past the end is
/// shorter or empty, and no position can be read out of bounds. Every fixed
/// column read of a record, word or listing line goes through this helper.
constexpr std::string_view Mid(std::string_view text, int start, int length) {
  if (length <= 0) return {};
  long first = start < 1 ? 0 : start - 1;
  long last = static_cast<long>(start) - 1 + length;  // one past the end
  if (last > static_cast<long>(text.size())) last = static_cast<long>(text.size());
  if (first >= last) return {};
  return {text.data() + first, static_cast<size_t>(last - first)};
}

/// Everything of `text` from position `start` (counting from 1) on.
constexpr std::string_view MidFrom(std::string_view text, int start) {
  if (start < 1) start = 1;
  const auto first = static_cast<size_t>(start - 1);
  if (first >= text.size()) return {};
  return {text.data() + first, text.size() - first};
}

/// The character at `position` (counting from 1), or '\0' past either end.
/// Callers only compare the result with printable characters, so a missing
/// character never matches anything.
constexpr char CharAt(std::string_view text, int position) {
  if (position < 1 || static_cast<size_t>(position) > text.size()) return '\0';
  return text[static_cast<size_t>(position - 1)];
}

/// The value 0-15 of each character that is a hexadecimal digit in either
/// case, -1 for every other character: one lookup, where the records and
/// words of a file are read character by character.
inline constexpr std::array<int8_t, 256> kHexDigitValues = [] {
  std::array<int8_t, 256> values{};
  for (int c = 0; c < 256; ++c) {
    values[static_cast<size_t>(c)] = c >= '0' && c <= '9'   ? static_cast<int8_t>(c - '0')
                                     : c >= 'A' && c <= 'F' ? static_cast<int8_t>(c - 'A' + 10)
                                     : c >= 'a' && c <= 'f' ? static_cast<int8_t>(c - 'a' + 10)
                                                            : int8_t{-1};
  }
  return values;
}();

/// The value 0-15 of a hexadecimal digit in either case, or -1 for any other
/// character.
constexpr int HexDigitOrNone(char c) { return kHexDigitValues[static_cast<unsigned char>(c)]; }

/// The value 0-15 of a hexadecimal digit in either case; any other character
/// counts as 0.
constexpr int HexDigitValue(char c) { return HexDigitOrNone(c) < 0 ? 0 : HexDigitOrNone(c); }

/// True for the characters "0"-"9" and "A"-"F" only (upper case).
constexpr bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

/// True for "0"-"9", "A"-"F" and "a"-"f".
constexpr bool IsHexDigit(char c) { return HexDigitOrNone(c) >= 0; }

/// The value of exactly four hexadecimal digits in either case ("3FFF",
/// "a1b2"); nothing for any other text.
constexpr std::optional<uint16_t> ReadFourHexDigits(std::string_view text) {
  if (text.size() != 4) return std::nullopt;
  const int digits[] = {HexDigitOrNone(text[0]), HexDigitOrNone(text[1]), HexDigitOrNone(text[2]),
                        HexDigitOrNone(text[3])};
  // Any character that is no digit makes the union negative.
  if ((digits[0] | digits[1] | digits[2] | digits[3]) < 0) return std::nullopt;
  return static_cast<uint16_t>(digits[0] << 12 | digits[1] << 8 | digits[2] << 4 | digits[3]);
}

/// The value of exactly four upper-case hexadecimal digits ("3FFF"), as
/// addresses are written in a listing and a zone; nothing for any other
/// text, lower-case digits included.
constexpr std::optional<uint16_t> ReadFourUpperHexDigits(std::string_view text) {
  const std::optional<uint16_t> value = ReadFourHexDigits(text);
  // Hex digits below "a" are upper-case ones.
  if (!value || text[0] >= 'a' || text[1] >= 'a' || text[2] >= 'a' || text[3] >= 'a') {
    return std::nullopt;
  }
  return value;
}

/// The upper-case hexadecimal digit of 0-15.
constexpr char HexDigit(int value) { return "0123456789ABCDEF"[value & 0xF]; }

/// Writes the low `count` digits of `value` in upper-case hex at `out`,
/// zero-padded ("00FF" for 255 and 4).
constexpr void PutHexDigits(unsigned value, int count, char* out) {
  for (int k = 0; k < count; ++k) {
    out[k] = HexDigit(static_cast<int>(value >> (4 * (count - 1 - k))));
  }
}

/// The low 16 bits of `value` as four upper-case hex digits ("0A3F"): the
/// way addresses and words are written everywhere.
inline std::string FourHexDigits(unsigned value) {
  std::string text(4, '0');
  PutHexDigits(value, 4, text.data());
  return text;
}

/// `value` in upper-case hex without leading zeros ("800", "0").
inline std::string HexText(unsigned value) {
  char digits[8];
  size_t first = sizeof digits;
  do {
    digits[--first] = HexDigit(static_cast<int>(value & 0xF));
    value >>= 4;
  } while (value != 0);
  return std::string(digits + first, sizeof digits - first);
}

}  // namespace tessarin
