#include "pass/program_image.h"

#include <string>

#include "pass/hex_record.h"
#include "pass/line_store.h"
#include "pass/record_reader.h"
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
  RecordReader reader(state);
  for (int i = 0; i <= state.HexLineCount && i < kHexLineSlots; ++i) {
    // A record the pass would stop at is passed over here.
    const Result<StoredRecord> read = reader.Read(i);
    if (!read.ok() || IsAddressRecord(read->text)) continue;
    const int words = RecordWordCount(read->text);
    for (int k = 0; k < words && read->address + k < ProgramImage::kAddressCount; ++k) {
      image.Set(read->address + k, WordValue(RecordWord(read->text, k)));
    }
  }
  return image;
}

}  // namespace tessarin
