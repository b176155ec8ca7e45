#include "pass/record_reader.h"

#include <string_view>

#include "processors/processor.h"
#include "symbolic/symbolic_words.h"
#include "ui/text_slice.h"

namespace tessarin {
static_assert(ProgramImage::kAddressCount == kWordAddressCount,
              "the image holds every word address the records can give");

RecordReader::RecordReader(const SharedState& state)
    : state_(state), address_words_(TraitsOf(ChosenProcessor(state)).address_words) {}

namespace {

// Hands `use(address, record, line, index)` every record word that a device
// programmer loads, in the order of the file: the records up to the end
// record, read through the pass's RecordReader (a record it would stop at is
// passed over), but for words past the chip. A later word at an address
// replaces an earlier one.
template <typename Use>
void ForEachLoadedWord(const SharedState& state, int address_words, Use&& use) {
  RecordReader reader(state, address_words);
  bool ended = false;
  const PassStatus walked = ForEachRecord(
      state, reader, OnUnreadable::kPassOver, [&](int line, const StoredRecord& read) {
        // A device programmer stops at the end record, whose bytes are no
        // data.
        ended = ended || IsEndRecord(read.text);
        if (ended) return PassStatus{};
        const int words = RecordWordCount(read.text);
        for (int k = 0; k < words && read.address + k < address_words; ++k) {
          use(read.address + k, read.text, line, k);
        }
        return PassStatus{};
      });
  static_cast<void>(walked);  // passing over what it cannot read, it cannot fail
}

}  // namespace

std::vector<WordSource> LoadedWords(const SharedState& state, int address_words) {
  std::vector<WordSource> loaded(static_cast<size_t>(address_words));
  ForEachLoadedWord(state, address_words, [&](int address, std::string_view, int line, int k) {
    loaded[static_cast<size_t>(address)] = {line, k};
  });
  return loaded;
}

ProgramImage BuildProgramImage(const SharedState& state) {
  return BuildProgramImage(state, RecordReader(state).AddressWords());
}

ProgramImage BuildProgramImage(const SharedState& state, int address_words) {
  ProgramImage image;
  ForEachLoadedWord(state, address_words, [&](int address, std::string_view record, int, int k) {
    // A word text that is not four hex digits reads as no 14-bit word.
    image.Set(address, RecordWordValue(record, k).value_or(ProgramImage::kMalformedWord));
  });
  return image;
}

ProgramImage LoadedAddresses(const SharedState& state, int address_words) {
  ProgramImage image;
  ForEachLoadedWord(state, address_words,
                    [&](int address, std::string_view, int, int) { image.Set(address, 0); });
  return image;
}

}  // namespace tessarin
