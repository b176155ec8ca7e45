#include "pass/hex_record.h"

#include <limits>

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

int RecordByteCount(std::string_view record) {
  return static_cast<int>(ReadHexField(Mid(record, 2, 2)));
}

std::optional<int16_t> RecordWordAddress(std::string_view record) {
  const int word_address = HalfToEven(static_cast<int>(ReadHexField(Mid(record, 4, 4))));
  if (word_address > std::numeric_limits<int16_t>::max()) return std::nullopt;
  return static_cast<int16_t>(word_address);
}

bool IsEndRecord(std::string_view record) { return CharAt(record, 9) == '1'; }

bool IsAddressRecord(std::string_view record) {
  const char type = CharAt(record, 9);
  return type >= '2' && type <= '5';
}

int RecordWordCount(std::string_view record) { return RecordByteCount(record) / 2; }

std::string RecordWord(std::string_view record, int k) {
  const int j = 10 + 4 * k;
  std::string word(Mid(record, j + 2, 2));
  word.append(Mid(record, j, 2));
  return word;
}

}  // namespace tessarin
