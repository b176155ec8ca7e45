#pragma once

#include <cstdint>
#include <vector>

#include "pass/hex_record.h"
#include "ui/shared_state.h"

namespace tessarin {

/// The words of the opened HEX file by word address, 0 to 0x7FFF: program
/// memory, ID locations, the configuration word and EEPROM data alike.
/// Addresses that no record fills are absent.
class ProgramImage {
 public:
  static constexpr int kAddressCount = kWordAddressCount;
  /// What a word text that is not four hex digits reads as: no 14-bit word,
  /// so it decodes as no instruction and assembles back from nothing.
  static constexpr uint16_t kMalformedWord = 0xFFFF;

  ProgramImage() : words_(kAddressCount, 0), present_(kAddressCount, false) {}

  /// Sets the word at `address`; addresses outside 0-0x7FFF are ignored.
  void Set(int address, uint16_t word);
  bool Has(int address) const;
  /// The word at `address`, 0 where absent.
  uint16_t Word(int address) const;

 private:
  std::vector<uint16_t> words_;
  std::vector<bool> present_;
};

/// The image the line store holds, read through the pass's RecordReader: a
/// record the pass would stop at is passed over, a later word at an address
/// replaces an earlier one, and words past 0x7FFF are dropped.
ProgramImage BuildProgramImage(const SharedState& state);

}  // namespace tessarin
