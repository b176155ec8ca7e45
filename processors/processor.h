#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "instructions/instruction.h"

namespace tessarin {

/// A name of the processor tables, as its index in their one name pool.
using NameIndex = uint16_t;

/// The text of a name of the tables ("STATUS", "RP0", "_FOSC_HS").
std::string_view NameText(NameIndex name);

/// Word addresses `first` to `last`; empty when `first` is past `last`.
struct AddressRange {
  uint16_t first = 1;
  uint16_t last = 0;

  constexpr bool empty() const { return first > last; }
  constexpr int size() const { return empty() ? 0 : last - first + 1; }
  constexpr bool Contains(int address) const { return address >= first && address <= last; }
};

/// What data memory holds at an address.
enum class DataKind : uint8_t {
  kSfr,     ///< special-function registers (and addresses the chip reserves for them)
  kGpr,     ///< general-purpose RAM of one bank
  kShared,  ///< RAM that every bank shows at the same offset
};

/// Data memory of one kind at offsets `first` to `last` of each bank in
/// `banks` (bit n for bank n).
struct DataRange {
  uint8_t first;
  uint8_t last;
  DataKind kind;
  uint32_t banks;
};

/// The names of bits 0 to 7 of a register (0: no name).
struct BitNames {
  NameIndex bit[8];
};

/// A special-function register: its full address (bank * 0x80 + offset),
/// its name and the names of its bits (an index into the bit-name sets).
struct RegisterDefinition {
  uint16_t address;
  NameIndex name;
  uint16_t bits;
};

/// One setting of a configuration-word field, as the header defines it:
/// configuration word `word` (0 for the first) reads as `name` when
/// `word & mask == value & mask`; `value` is the header's whole value, which
/// gpasm writes as it stands when the settings of a word are ANDed.
struct ConfigRow {
  uint8_t word;
  uint16_t mask;
  uint16_t value;
  NameIndex name;
};

/// What the code must know about a core, the same for every part of it.
struct CoreTraits {
  Core core;
  int address_words;    ///< word addresses a HEX file can give: 0x8000, 0x10000
  uint16_t page_words;  ///< words a CALL or GOTO reaches without PCLATH
  uint16_t bank_bytes;  ///< data memory addresses per bank
  uint16_t reset_vector;
  uint16_t interrupt_vector;
  uint8_t indf;  ///< INDF, INDF0 on the enhanced core
  uint8_t pcl;
  uint8_t status;
  uint8_t fsr;  ///< FSR, FSR0L on the enhanced core
  uint8_t pclath;
  uint8_t intcon;
  uint8_t bsr;                ///< kNoRegister on the mid-range core
  uint8_t wreg;               ///< kNoRegister on the mid-range core
  uint8_t status_rp0;         ///< STATUS bit of bank bit 0 (RP0); kNoBit where BSR selects banks
  uint8_t pclath_page_shift;  ///< PCLATH bit of page bit 0 (3)
  uint8_t page_bits;          ///< PCLATH bits that select a page
  uint16_t mirrored;          ///< bit n: offset n is the same core register in every bank
  uint16_t id_first;          ///< where ID locations start
  uint16_t config_first;      ///< where configuration words start
  uint16_t eeprom_first;      ///< where data EEPROM starts, one byte a word
};
inline constexpr uint8_t kNoRegister = 0xFF;
inline constexpr uint8_t kNoBit = 0xFF;

/// A 14-bit PIC as gputils describes it: memory map, registers, bits and
/// configuration settings. Word addresses throughout.
struct Processor {
  std::string_view name;    ///< "16F1827"
  std::string_view header;  ///< its gputils header, "p16f1827.inc"
  Core core;
  uint16_t program_words;               ///< program memory from word 0, calibration words included
  uint8_t bank_count;                   ///< data memory banks
  AddressRange id_locations;            ///< 0x2000-0x2003, 0x8000-0x8003
  AddressRange device_id;               ///< 0x2006, 0x8006; empty where there is none
  AddressRange configuration;           ///< one to four words from 0x2007 or 0x8007
  AddressRange eeprom;                  ///< data EEPROM, one byte a word; empty where there is none
  AddressRange calibration;             ///< oscillator calibration (0x3FF on the 12F675, 0x2008 on
                                        ///< the 16F631); empty where there is none
  std::span<const uint16_t> registers;  ///< indices of its register definitions
  std::span<const ConfigRow> config;    ///< by word, then field, in header order
  std::span<const NameIndex> config_names;  ///< "_CONFIG1"...; empty with one configuration word
  std::span<const DataRange> data;          ///< data memory by offset ranges
};

/// Every 14-bit part, ordered by name.
std::span<const Processor> Processors();

/// The processor a listing is for unless another is chosen: the 16F876.
const Processor& DefaultProcessor();

/// The processor named `text`, written "16f1827", "p16f1827" or "PIC16F1827"
/// (any case); nullptr for any other text.
const Processor* FindProcessor(std::string_view text);

/// The traits of a core.
const CoreTraits& TraitsOf(Core core);

/// The traits of the processor's core.
inline const CoreTraits& TraitsOf(const Processor& processor) { return TraitsOf(processor.core); }

/// One of the PIC16F87x family (16F870 to 16F877A), whose memory map and
/// registers the classic listing was written for.
bool InClassicFamily(const Processor& processor);

/// The word at `address` is one of the processor's configuration words.
inline bool IsConfigurationWord(const Processor& processor, int address) {
  return processor.configuration.Contains(address);
}

/// A word at `address` may hold 16 bits: it is a configuration word of the
/// enhanced core, which gpasm writes whole (0xFFE2) where the mid-range
/// core's are 14 bits.
bool HoldsSixteenBits(int address);

/// The index (from 0) of the configuration word at `address`, if it is one.
inline int ConfigurationIndex(const Processor& processor, int address) {
  return address - processor.configuration.first;
}

/// The name of configuration word `index` ("_CONFIG1"); empty for a part
/// with one configuration word.
std::string_view ConfigurationName(const Processor& processor, int index);

/// What the data memory holds at `address` (bank * 0x80 + offset); nothing
/// for an address that no bank implements.
const DataRange* DataAt(const Processor& processor, int address);

/// A set of banks (bit n for bank n).
using BankSet = uint32_t;
inline constexpr BankSet kAnyBank = 0xFFFFFFFF;

/// A register that a name can be written for.
struct RegisterEntry {
  uint16_t address = 0;
  std::string_view name;
};

/// The register that a 7-bit operand reaches in the banks of a set.
struct RegisterChoice {
  /// The register's entry (its own address, where it is mirrored), or no
  /// name when no bank of the set holds a special-function register there.
  RegisterEntry chosen{};
  /// Other registers that another bank of the set would reach; empty
  /// names past the last.
  std::string_view others[3]{};
};

/// Names the operand `offset` (0-0x7F) in the banks of `banks` that the
/// processor has: the register all of them reach (a mirrored one among
/// them), otherwise the register of the lowest bank that holds one, with the
/// others as candidates.
RegisterChoice NameRegister(const Processor& processor, BankSet banks, uint8_t offset);

/// The name of bit `bit` of the register at `address`, or empty when the
/// header names none.
std::string_view BitName(const Processor& processor, uint16_t address, uint8_t bit);

}  // namespace tessarin
