#include "pass/hex_record.h"

#include "ui/text_slice.h"

namespace tessarin {

unsigned ReadHexField(std::string_view field) {
  unsigned value = 0;
  for (char c : field) {
    if (c == ' ') continue;
    if (!IsHexDigit(c)) break;
    value = value * 16 + static_cast<unsigned>(HexDigitValue(c));
  }
  return value;
}

std::optional<int> ReadAddressText(std::string_view digits) {
  if (digits.size() != 4) return std::nullopt;
  for (char c : digits) {
    if (!IsUpperHexDigit(c)) return std::nullopt;
  }
  return static_cast<int>(ReadHexField(digits));
}

int RecordByteCount(std::string_view record) {
  return static_cast<int>(ReadHexField(Mid(record, 2, 2)));
}

unsigned RecordLoadAddress(std::string_view record) { return ReadHexField(Mid(record, 4, 4)); }

std::optional<int> RecordWordAddress(std::string_view record, uint32_t base) {
  const uint64_t byte_address = uint64_t{base} + RecordLoadAddress(record);
  if (byte_address >= uint64_t{2} * kWordAddressCount) return std::nullopt;
  const int word_address = HalfToEven(static_cast<int>(byte_address));
  if (word_address >= kWordAddressCount) return std::nullopt;
  return word_address;
}

bool IsEndRecord(std::string_view record) { return CharAt(record, 9) == '1'; }

bool IsAddressRecord(std::string_view record) {
  const char type = CharAt(record, 9);
  return CharAt(record, 8) == '0' && type >= '2' && type <= '5';
}

std::optional<uint32_t> RecordAddressBase(std::string_view record) {
  if (CharAt(record, 8) != '0') return std::nullopt;
  // The new base is the record's first data word, high byte first.
  const uint32_t value = ReadHexField(Mid(record, 10, 4));
  if (CharAt(record, 9) == '2') return value << 4;
  if (CharAt(record, 9) == '4') return value << 16;
  return std::nullopt;
}

int RecordWordCount(std::string_view record) { return RecordByteCount(record) / 2; }

std::string RecordWord(std::string_view record, int k) {
  // The high byte's characters at j+2 and j+3, then the low byte's at j and
  // j+1, each only where the line reaches.
  const int j = 10 + 4 * k;
  if (static_cast<size_t>(j) + 3 <= record.size()) {
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

}  // namespace tessarin
