#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "instructions/instruction.h"

namespace tessarin {

/// A special-function register: its full address (bank * 0x80 + offset) and
/// its name as the processor's gputils header defines it.
struct RegisterEntry {
  uint16_t address;
  std::string_view name;
};

/// A named bit of the register at `address`.
struct BitEntry {
  uint16_t address;
  uint8_t bit;
  std::string_view name;
};

/// One setting of a configuration-word field: the word reads as `name` when
/// `word & mask == value`.
struct ConfigOption {
  uint16_t mask;
  uint16_t value;
  std::string_view name;
};

// The words past program memory, where every processor of the family has
// them: ID locations, the configuration word and data EEPROM (one byte a word).
inline constexpr int kIdFirst = 0x2000;
inline constexpr int kIdLast = 0x2003;
inline constexpr int kConfigurationWord = 0x2007;
inline constexpr int kEepromFirst = 0x2100;
inline constexpr int kEepromLast = 0x21FF;

/// A processor of the PIC16F87x family.
struct Processor {
  std::string_view name;                     ///< "16F876A"
  std::string_view header;                   ///< its gputils header, "p16f876a.inc"
  uint16_t program_words;                    ///< program memory, from word 0
  uint16_t eeprom_bytes;                     ///< data EEPROM, from word 0x2100
  std::span<const RegisterEntry> registers;  ///< ascending address
  std::span<const BitEntry> bits;            ///< ascending address, then bit
  std::span<const ConfigOption> config;      ///< by field, in header order
  Core core = Core::kMidRange;               ///< the instruction set
};

/// The processors, 16F873 to 16F877A.
std::span<const Processor> Processors();

/// The processor a listing is for unless another is chosen: the 16F876.
const Processor& DefaultProcessor();

/// The processor named `text`, written "16f877a", "p16f877a" or
/// "PIC16F877A" (any case); nullptr for any other text.
const Processor* FindProcessor(std::string_view text);

/// A set of banks (bit n for bank n) that STATUS RP1:RP0 may select.
using BankSet = uint8_t;
inline constexpr BankSet kAnyBank = 0x0F;

/// The register that a 7-bit operand reaches in the banks of a set.
struct RegisterChoice {
  /// The register's entry (its own address, where it is mirrored), or no
  /// name when no bank of the set holds a special-function register there.
  RegisterEntry chosen{};
  /// Other registers that another bank of the set would reach; empty
  /// names past the last.
  std::string_view others[3]{};
};

/// Names the operand `offset` (0-0x7F) in the banks of `banks`: the register
/// all of them reach (a mirrored one among them), otherwise the register of
/// the lowest bank that holds one, with the others as candidates.
RegisterChoice NameRegister(const Processor& processor, BankSet banks, uint8_t offset);

/// The name of bit `bit` of the register at `address`, or empty when the
/// header names none.
std::string_view BitName(const Processor& processor, uint16_t address, uint8_t bit);

}  // namespace tessarin
