#include "pass/record_reader.h"

#include <optional>
#include <string>

#include "pass/hex_record.h"
#include "pass/line_store.h"

namespace tessarin {
namespace {

constexpr std::string_view kAddressTooHigh = "load address beyond the 16-bit word address range";
constexpr std::string_view kBeyondChip = "address beyond the chip";

}  // namespace

Status LineFailure(int index, std::string_view cause) {
  return Status::Failure("line " + std::to_string(index + 1) + ": " + std::string(cause));
}

Result<StoredRecord> RecordReader::Read(int i) {
  const std::optional<std::string_view> slot = ReadSlot(state_, i);
  if (!slot) return LineFailure(i, kTooManyLines);
  if (IsAddressRecord(*slot)) {
    // The whole chip lies within the first 64K bytes: a base beyond them
    // puts the data after it out of the chip, never onto low addresses.
    const std::optional<uint32_t> base = RecordAddressBase(*slot);
    if (base) {
      base_ = *base;
      if (base_ > 0xFFFF) return LineFailure(i, kBeyondChip);
    }
    return StoredRecord{*slot};
  }
  if (base_ + RecordLoadAddress(*slot) > 0xFFFF) return LineFailure(i, kBeyondChip);
  const std::optional<int16_t> word_address = RecordWordAddress(*slot, base_);
  if (!word_address) return LineFailure(i, kAddressTooHigh);
  return StoredRecord{*slot, *word_address};
}

}  // namespace tessarin
