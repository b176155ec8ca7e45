#pragma once

#include <cstdint>
#include <string_view>

#include "ui/shared_state.h"
#include "ui/status.h"

namespace tessarin {

/// The failure `cause` at stored line `index` (from 0), named from 1.
Status LineFailure(int index, std::string_view cause);

/// A stored line with the word address of its first word (0 for an address
/// record, which carries no words).
struct StoredRecord {
  std::string_view text;
  int16_t address = 0;
};

/// The records of the line store in order, each with its word address: an
/// extended address record adds its base to the load address of the records
/// after it. The pass and the program image both read the store through it.
class RecordReader {
 public:
  explicit RecordReader(const SharedState& state) : state_(state) {}

  /// Reads slot `i`. Fails for a slot past the store, for an address record
  /// whose base lies beyond the chip (the base still applies to the records
  /// after it), and for a record whose address no word of the chip can have.
  Result<StoredRecord> Read(int i);

 private:
  const SharedState& state_;
  uint32_t base_ = 0;
};

}  // namespace tessarin
