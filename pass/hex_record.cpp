#include "pass/hex_record.h"

#include "ui/text_slice.h"

namespace tessarin {

std::optional<uint32_t> RecordAddressBase(std::string_view record) {
  if (CharAt(record, 8) != '0') return std::nullopt;
  // The new base is the record's first data word, high byte first.
  const uint32_t value = ReadHexField(Mid(record, 10, 4));
  if (CharAt(record, 9) == '2') return value << 4;
  if (CharAt(record, 9) == '4') return value << 16;
  return std::nullopt;
}

WordText CutRecordWord(std::string_view record, int k) {
  // Each of the word's characters at j+2, j+3, j and j+1 only where the line
  // reaches.
  WordText word;
  const int j = 10 + 4 * k;
  for (int position : {j + 2, j + 3, j, j + 1}) {
    if (position >= 1 && static_cast<size_t>(position) <= record.size()) {
      word.Add(record[static_cast<size_t>(position - 1)]);
    }
  }
  return word;
}

}  // namespace tessarin
