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

Status LineFailure(int index, std::string_view cause) {
  return Status::Failure("line " + std::to_string(index + 1) + ": " + std::string(cause));
}

ProgramImage BuildProgramImage(const SharedState& state) {
  return BuildProgramImage(state, RecordReader(state).AddressWords());
}

ProgramImage BuildProgramImage(const SharedState& state, int address_words) {
  ProgramImage image;
  RecordReader reader(state, address_words);
  for (int i = 0; i <= state.HexLineCount && i < kHexLineSlots; ++i) {
    // A record the pass would stop at is passed over here.
    const Result<StoredRecord> read = reader.Read(i);
    if (!read.ok() || IsAddressRecord(read->text)) continue;
    const int words = RecordWordCount(read->text);
    for (int k = 0; k < words && read->address + k < reader.AddressWords(); ++k) {
      // A word text that is not four hex digits reads as no 14-bit word.
      image.Set(
          read->address + k,
          ReadFourHexDigits(RecordWord(read->text, k)).value_or(ProgramImage::kMalformedWord));
    }
  }
  return image;
}

}  // namespace tessarin
