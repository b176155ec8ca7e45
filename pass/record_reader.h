#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "flow/program_image.h"
#include "pass/hex_record.h"
#include "pass/line_store.h"
#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// The failure `cause` at stored line `index` (from 0), named from 1.
Status LineFailure(int index, std::string_view cause);

inline constexpr std::string_view kAddressTooHigh =
    "load address beyond the 16-bit word address range";
inline constexpr std::string_view kBeyondChip = "address beyond the chip";

/// A stored line with the word address of its first word (0 for an address
/// record, which carries no words).
struct StoredRecord {
  std::string_view text;
  int address = 0;
};

/// The records of the line store in order, each with its word address: an
/// extended address record adds its base to the load address of the records
/// after it. The pass and the program image both read the store through it.
///
/// The chip is the address space of the chosen processor's core: word
/// addresses below 0x8000 (the first 64K bytes) on the mid-range core, below
/// 0x10000 on the enhanced core, whose configuration words and EEPROM lie
/// past 64K bytes.
class RecordReader {
 public:
  explicit RecordReader(const SharedState& state);
  /// A reader whose chip has `address_words` word addresses, whatever the
  /// processor chosen.
  RecordReader(const SharedState& state, int address_words)
      : state_(state), address_words_(address_words) {}

  /// Reads slot `i`. Fails for a slot past the store, for an address record
  /// whose base lies beyond the chip (the base still applies to the records
  /// after it), and for a record whose address no word of the chip can have.
  Result<StoredRecord> Read(int i);

  /// How many word addresses the chip has: every word address read is below.
  int AddressWords() const { return address_words_; }

 private:
  const SharedState& state_;
  int address_words_;
  uint32_t base_ = 0;
};

inline Result<StoredRecord> RecordReader::Read(int i) {
  const std::optional<std::string_view> slot = ReadSlot(state_, i);
  if (!slot) return LineFailure(i, kTooManyLines);
  const auto byte_limit = static_cast<uint32_t>(2 * address_words_);
  if (IsAddressRecord(*slot)) {
    // A base beyond the chip puts the data after it out of the chip, never
    // onto low addresses.
    const std::optional<uint32_t> base = RecordAddressBase(*slot);
    if (base) {
      base_ = *base;
      if (base_ >= byte_limit) return LineFailure(i, kBeyondChip);
    }
    return StoredRecord{*slot};
  }
  if (base_ + RecordLoadAddress(*slot) >= byte_limit) return LineFailure(i, kBeyondChip);
  const std::optional<int> word_address = RecordWordAddress(*slot, base_);
  if (!word_address || *word_address >= address_words_) return LineFailure(i, kAddressTooHigh);
  return StoredRecord{*slot, *word_address};
}

/// The image the line store holds, read through the pass's RecordReader: a
/// record the pass would stop at is passed over, a later word at an address
/// replaces an earlier one, and words past the chip are dropped.
ProgramImage BuildProgramImage(const SharedState& state);

/// The same, read as for a chip of `address_words` word addresses: with
/// kWordAddressCount, every word that some 14-bit part could hold.
ProgramImage BuildProgramImage(const SharedState& state, int address_words);

}  // namespace tessarin
