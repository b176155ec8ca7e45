#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessarin {

/// The words of the opened HEX file by word address, 0 to 0xFFFF: program
/// memory, ID locations, configuration words and EEPROM data alike (the
/// enhanced core keeps its configuration at 0x8007 and EEPROM at 0xF000).
/// Addresses that no record fills are absent.
class ProgramImage {
 public:
  static constexpr int kAddressCount = 0x10000;
  /// What a word text that is not four hex digits reads as: no 14-bit word,
  /// so it decodes as no instruction and assembles back from nothing.
  static constexpr uint16_t kMalformedWord = 0xFFFF;

  ProgramImage() : words_(kAddressCount, 0), present_(kAddressCount, false) {}

  /// Sets the word at `address`; addresses outside 0-0xFFFF are ignored.
  void Set(int address, uint16_t word);
  bool Has(int address) const {
    return address >= 0 && address < kAddressCount && present_[static_cast<size_t>(address)];
  }
  /// The word at `address`, 0 where absent.
  uint16_t Word(int address) const {
    return Has(address) ? words_[static_cast<size_t>(address)] : 0;
  }
  /// One past the highest address present; 0 for an empty image.
  int End() const { return end_; }

 private:
  std::vector<uint16_t> words_;
  std::vector<bool> present_;
  int end_ = 0;
};

}  // namespace tessarin
