#include "pass/record_reader.h"

#include <string>

#include "processors/processor.h"
#include "symbolic/symbolic_words.h"
#include "ui/text_slice.h"

namespace tessarin {
static_assert(ProgramImage::kAddressCount == kWordAddressCount,
              "the image holds every word address the records can give");

RecordReader::RecordReader(const SharedState& state)
    : state_(state), address_words_(TraitsOf(ChosenProcessor(state)).address_words) {}

std::vector<WordSource> LoadedWords(const SharedState& state, int address_words) {
  std::vector<WordSource> loaded(static_cast<size_t>(address_words));
  RecordReader reader(state, address_words);
  for (int i = 0; i <= state.HexLineCount && i < kHexLineSlots; ++i) {
    const std::optional<StoredRecord> read = reader.Read(i);
    if (!read) continue;
    // A device programmer stops at the end record, whose bytes are no data.
    if (IsEndRecord(read->text)) break;
    if (IsAddressRecord(read->text)) continue;
    const int words = RecordWordCount(read->text);
    for (int k = 0; k < words && read->address + k < address_words; ++k) {
      loaded[static_cast<size_t>(read->address) + static_cast<size_t>(k)] = {i, k};
    }
  }
  return loaded;
}

ProgramImage BuildProgramImage(const SharedState& state) {
  return BuildProgramImage(state, RecordReader(state).AddressWords());
}

ProgramImage BuildProgramImage(const SharedState& state, int address_words) {
  ProgramImage image;
  const std::vector<WordSource> loaded = LoadedWords(state, address_words);
  for (int address = 0; address < address_words; ++address) {
    const WordSource& source = loaded[static_cast<size_t>(address)];
    if (source.line < 0) continue;
    // A word text that is not four hex digits reads as no 14-bit word.
    const std::string word = RecordWord(ReadSlot(state, source.line).value_or(""), source.index);
    image.Set(address, ReadFourHexDigits(word).value_or(ProgramImage::kMalformedWord));
  }
  return image;
}

}  // namespace tessarin
