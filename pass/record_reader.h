#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "flow/program_image.h"
#include "pass/hex_record.h"
#include "pass/line_store.h"
#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// Why the pass stops: a file too big for the store, more lines than it
/// holds, a load address past 16 bits, an address the chip cannot hold.
/// The window and the command line each say it in their own language.
enum class PassFault : uint8_t { kFileTooBig, kTooManyLines, kAddressTooHigh, kBeyondChip };

/// A failure of the pass: its cause and the line (from 1) it struck at, 0
/// when it concerns the file as a whole.
struct PassFailure {
  PassFault fault = PassFault::kBeyondChip;
  int line = 0;

  bool operator==(const PassFailure&) const = default;
};

/// What a pass came to: listed to the end, or stopped by a failure.
class [[nodiscard]] PassStatus {
 public:
  PassStatus() = default;
  PassStatus(PassFailure failure) : failure_(failure) {}  // NOLINT: a failure is a status

  bool ok() const { return !failure_; }
  /// The failure; only when not ok().
  const PassFailure& failure() const { return *failure_; }

 private:
  std::optional<PassFailure> failure_;
};

/// The failure `fault` at stored line `index` (from 0).
constexpr PassFailure LineFailure(int index, PassFault fault) { return {fault, index + 1}; }

/// A stored line with the word address of its first word (0 for an address
/// record, which carries no words).
struct StoredRecord {
  std::string_view text;
  int address = 0;
};

/// The records of the line store in order, each with its word address: an
/// extended address record adds its base to the load address of the data
/// records after it (an end record is no data: it keeps its own address).
/// The pass and the program image both read the store through it.
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

  /// Reads slot `i`. Fails, saying why in `failure()`, for a slot past the
  /// store, for an address record whose base lies beyond the chip (the base
  /// still applies to the records after it), and for a data record whose
  /// address no word of the chip can have.
  std::optional<StoredRecord> Read(int i);

  /// Why the last `Read` failed.
  const PassFailure& failure() const { return failure_; }

  /// How many word addresses the chip has: every word address read is below.
  int AddressWords() const { return address_words_; }

 private:
  std::nullopt_t Fail(int i, PassFault fault) {
    failure_ = LineFailure(i, fault);
    return std::nullopt;
  }

  const SharedState& state_;
  int address_words_;
  uint32_t base_ = 0;
  PassFailure failure_;
};

inline std::optional<StoredRecord> RecordReader::Read(int i) {
  const std::optional<std::string_view> slot = ReadSlot(state_, i);
  if (!slot) return Fail(i, PassFault::kTooManyLines);
  if (IsEndRecord(*slot)) return StoredRecord{*slot, RecordWordAddress(*slot).value_or(0)};
  const auto byte_limit = static_cast<uint32_t>(2 * address_words_);
  if (IsAddressRecord(*slot)) {
    // A base beyond the chip puts the data after it out of the chip, never
    // onto low addresses.
    const std::optional<uint32_t> base = RecordAddressBase(*slot);
    if (base) {
      base_ = *base;
      if (base_ >= byte_limit) return Fail(i, PassFault::kBeyondChip);
    }
    return StoredRecord{*slot};
  }
  const uint64_t byte_address = uint64_t{base_} + RecordLoadAddress(*slot);
  if (byte_address >= byte_limit) return Fail(i, PassFault::kBeyondChip);
  const std::optional<int> word_address = WordAddressOfByte(byte_address);
  if (!word_address) return Fail(i, PassFault::kAddressTooHigh);
  if (*word_address >= address_words_) return Fail(i, PassFault::kBeyondChip);
  return StoredRecord{*slot, *word_address};
}

/// What a walk over the records does at a record that the reader fails at.
enum class OnUnreadable : uint8_t { kStop, kPassOver };

/// Reads the line store's slots up to HexLineCount in order through
/// `reader` and hands `use(line, record)` each data or end record (`line`
/// from 0); an address record only sets the base of the records after it.
/// The walk stops at the first status from `use` that is not ok and gives it
/// back; a record the reader fails at stops it with the reader's failure, or
/// is passed over.
template <typename Use>
PassStatus ForEachRecord(const SharedState& state, RecordReader& reader, OnUnreadable unreadable,
                         Use&& use) {
  for (int i = 0; i <= state.HexLineCount; ++i) {
    const std::optional<StoredRecord> read = reader.Read(i);
    if (!read) {
      if (unreadable == OnUnreadable::kPassOver) continue;
      return reader.failure();
    }
    if (IsAddressRecord(read->text)) continue;
    if (PassStatus status = use(i, *read); !status.ok()) return status;
  }
  return {};
}

/// Where a word of the image comes from: the store line of its record and
/// its place among the record's words.
struct WordSource {
  int line = -1;  ///< -1: no word
  int index = 0;
};

/// For every word address of the chip, the record word that a device
/// programmer loads there: the records up to the end record, a later word at
/// an address replacing an earlier one. Read through the pass's
/// RecordReader (of `address_words` word addresses): a record the pass would
/// stop at is passed over, words past the chip are dropped.
std::vector<WordSource> LoadedWords(const SharedState& state, int address_words);

/// The image the line store holds, as `LoadedWords` reads it for the chosen
/// processor's chip.
ProgramImage BuildProgramImage(const SharedState& state);

/// The same, read as for a chip of `address_words` word addresses: with
/// kWordAddressCount, every word that some 14-bit part could hold.
ProgramImage BuildProgramImage(const SharedState& state, int address_words);

/// Where the image `BuildProgramImage` reads (for a chip of
/// `address_words` word addresses) holds a word, each such address holding
/// 0: all that a check of which parts can hold the image reads, without the
/// words themselves.
ProgramImage LoadedAddresses(const SharedState& state, int address_words);

}  // namespace tessarin
