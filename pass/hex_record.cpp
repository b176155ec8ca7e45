#include "pass/hex_record.h"

#include "ui/text_slice.h"

namespace tessarin {

std::optional<int> ReadAddressText(std::string_view digits) {
  if (digits.size() != 4) return std::nullopt;
  for (char c : digits) {
    if (!IsUpperHexDigit(c)) return std::nullopt;
  }
  return static_cast<int>(ReadHexField(digits));
}

std::optional<int> RecordWordAddress(std::string_view record, uint32_t base) {
  const uint64_t byte_address = uint64_t{base} + RecordLoadAddress(record);
  if (byte_address >= 2 * kWordAddressCount) return std::nullopt;
  const int word_address = HalfToEven(static_cast<int>(byte_address));
  if (word_address >= kWordAddressCount) return std::nullopt;
  return word_address;
}

std::optional<uint32_t> RecordAddressBase(std::string_view record) {
  if (CharAt(record, 8) != '0') return std::nullopt;
  // The new base is the record's first data word, high byte first.
  const uint32_t value = ReadHexField(Mid(record, 10, 4));
  if (CharAt(record, 9) == '2') return value << 4;
  if (CharAt(record, 9) == '4') return value << 16;
  return std::nullopt;
}

std::string RecordWord(std::string_view record, int k) {
  // The high byte's characters at j+2 and j+3, then the low byte's at j and
  // j+1, each only where the line reaches.
  const int j = 10 + 4 * k;
  if (static_cast<size_t>(j + 3) <= record.size()) {
    const char* low = record.data() + j - 1;
    return {low[2], low[3], low[0], low[1]};
  }
  char word[4];
  size_t length = 0;
  for (int position : {j + 2, j + 3, j, j + 1}) {
    if (position >= 1 && static_cast<size_t>(position) <= record.size()) {
      word[length++] = record[static_cast<size_t>(position - 1)];
    }
  }
  return std::string(word, length);
}

std::optional<uint16_t> RecordWordValue(std::string_view record, int k) {
  // The word's characters at j+2, j+3, j and j+1, as RecordWord takes them.
  const int j = 10 + 4 * k;
  if (k < 0 || static_cast<size_t>(j + 3) > record.size()) return std::nullopt;
  const char* low = record.data() + j - 1;
  const char text[] = {low[2], low[3], low[0], low[1]};
  return ReadFourHexDigits(std::string_view(text, 4));
}

}  // namespace tessarin
