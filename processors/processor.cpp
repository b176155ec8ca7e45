#include "processors/processor.h"

#include <algorithm>
#include <array>

#include "processors/processor_tables.h"

namespace tessarin {
namespace {

// Registers that the family's data memory shows in more than one bank: the
// address the header gives and the banks (bit n for bank n) that reach it.
struct Mirror {
  uint16_t address;
  BankSet banks;
};
constexpr std::array<Mirror, 10> kMirrors{{
    {0x000, 0x0F},  // INDF
    {0x001, 0x05},  // TMR0
    {0x002, 0x0F},  // PCL
    {0x003, 0x0F},  // STATUS
    {0x004, 0x0F},  // FSR
    {0x006, 0x05},  // PORTB
    {0x00A, 0x0F},  // PCLATH
    {0x00B, 0x0F},  // INTCON
    {0x081, 0x0A},  // OPTION_REG
    {0x086, 0x0A},  // TRISB
}};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t k = 0; k < prefix.size(); ++k) {
    if (Upper(text[k]) != prefix[k]) return false;
  }
  return true;
}

const RegisterEntry* FindRegister(const Processor& processor, uint16_t address) {
  const auto& registers = processor.registers;
  const auto found = std::lower_bound(
      registers.begin(), registers.end(), address,
      [](const RegisterEntry& entry, uint16_t wanted) { return entry.address < wanted; });
  return found != registers.end() && found->address == address ? &*found : nullptr;
}

// The register that bank `bank` reaches at `offset`, through a mirror if need be.
const RegisterEntry* RegisterInBank(const Processor& processor, int bank, uint8_t offset) {
  if (const RegisterEntry* own =
          FindRegister(processor, static_cast<uint16_t>(bank * 0x80 + offset))) {
    return own;
  }
  for (const Mirror& mirror : kMirrors) {
    if ((mirror.address & 0x7F) == offset && (mirror.banks >> bank & 1) != 0) {
      return FindRegister(processor, mirror.address);
    }
  }
  return nullptr;
}

}  // namespace

std::span<const Processor> Processors() { return processor_tables::kProcessors; }

const Processor& DefaultProcessor() {
  static_assert(processor_tables::kProcessors[2].name == "16F876");
  return processor_tables::kProcessors[2];
}

const Processor* FindProcessor(std::string_view text) {
  if (StartsWithNoCase(text, "PIC")) {
    text.remove_prefix(3);
  } else if (StartsWithNoCase(text, "P")) {
    text.remove_prefix(1);
  }
  for (const Processor& processor : Processors()) {
    if (text.size() == processor.name.size() && StartsWithNoCase(text, processor.name)) {
      return &processor;
    }
  }
  return nullptr;
}

RegisterChoice NameRegister(const Processor& processor, BankSet banks, uint8_t offset) {
  RegisterChoice choice;
  size_t other_count = 0;
  for (int bank = 0; bank < 4; ++bank) {
    if ((banks >> bank & 1) == 0) continue;
    const RegisterEntry* entry = RegisterInBank(processor, bank, offset & 0x7F);
    if (entry == nullptr || entry->name == choice.chosen.name) continue;
    if (choice.chosen.name.empty()) {
      choice.chosen = *entry;
    } else if (other_count < std::size(choice.others) &&
               std::find(std::begin(choice.others), std::end(choice.others), entry->name) ==
                   std::end(choice.others)) {
      choice.others[other_count++] = entry->name;
    }
  }
  return choice;
}

std::string_view BitName(const Processor& processor, uint16_t address, uint8_t bit) {
  const auto& bits = processor.bits;
  const auto found =
      std::lower_bound(bits.begin(), bits.end(), std::pair(address, bit),
                       [](const BitEntry& entry, std::pair<uint16_t, uint8_t> wanted) {
                         return std::pair(entry.address, entry.bit) < wanted;
                       });
  return found != bits.end() && found->address == address && found->bit == bit ? found->name
                                                                               : std::string_view();
}

}  // namespace tessarin
