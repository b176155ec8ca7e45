#include "pass/record_reader.h"

#include <string>

#include "ui/text_slice.h"

namespace tessarin {
static_assert(ProgramImage::kAddressCount == kWordAddressCount,
              "the image holds every word address the records can give");

std::vector<WordSource> LoadedWords(const SharedState& state) {
  std::vector<WordSource> loaded(static_cast<size_t>(kWordAddressCount));
  RecordReader reader(state);
  for (int i = 0; i <= state.HexLineCount && i < kHexLineSlots; ++i) {
    const std::optional<StoredRecord> read = reader.Read(i);
    if (!read) continue;
    // A device programmer stops at the end record, whose bytes are no data.
    if (IsEndRecord(read->text)) break;
    if (IsAddressRecord(read->text)) continue;
    const int words = RecordWordCount(read->text);
    for (int k = 0; k < words && read->address + k < kWordAddressCount; ++k) {
      loaded[static_cast<size_t>(read->address + k)] = {i, k};
    }
  }
  return loaded;
}

ProgramImage BuildProgramImage(const SharedState& state) {
  ProgramImage image;
  const std::vector<WordSource> loaded = LoadedWords(state);
  for (int address = 0; address < kWordAddressCount; ++address) {
    const WordSource& source = loaded[static_cast<size_t>(address)];
    if (source.line < 0) continue;
    // A word text that is not four hex digits reads as no 14-bit word.
    const std::string word = RecordWord(ReadSlot(state, source.line).value_or(""), source.index);
    image.Set(address, ReadFourHexDigits(word).value_or(ProgramImage::kMalformedWord));
  }
  return image;
}

}  // namespace tessarin
