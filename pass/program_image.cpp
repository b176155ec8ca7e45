#include "pass/program_image.h"

#include <optional>
#include <string>

#include "pass/hex_record.h"
#include "pass/line_store.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// Four hex digits in either case, or the malformed word.
uint16_t WordValue(std::string_view text) {
  if (text.size() != 4) return ProgramImage::kMalformedWord;
  for (char c : text) {
    if (!IsHexDigit(c)) return ProgramImage::kMalformedWord;
  }
  return static_cast<uint16_t>(ReadHexField(text));
}

}  // namespace

void ProgramImage::Set(int address, uint16_t word) {
  if (address < 0 || address >= kAddressCount) return;
  words_[static_cast<size_t>(address)] = word;
  present_[static_cast<size_t>(address)] = true;
}

bool ProgramImage::Has(int address) const {
  return address >= 0 && address < kAddressCount && present_[static_cast<size_t>(address)];
}

uint16_t ProgramImage::Word(int address) const {
  return Has(address) ? words_[static_cast<size_t>(address)] : 0;
}

ProgramImage BuildProgramImage(const SharedState& state) {
  ProgramImage image;
  uint32_t base = 0;  // set by extended address records, as for the pass
  for (int i = 0; i <= state.HexLineCount; ++i) {
    const std::optional<std::string_view> record = ReadSlot(state, i);
    if (!record) break;
    if (IsAddressRecord(*record)) {
      if (const std::optional<uint32_t> next = RecordAddressBase(*record)) base = *next;
      continue;
    }
    const std::optional<int16_t> address = RecordWordAddress(*record, base);
    if (!address) continue;
    const int words = RecordWordCount(*record);
    for (int k = 0; k < words && *address + k < ProgramImage::kAddressCount; ++k) {
      image.Set(*address + k, WordValue(RecordWord(*record, k)));
    }
  }
  return image;
}

}  // namespace tessarin
