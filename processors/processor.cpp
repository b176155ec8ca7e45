#include "processors/processor.h"

#include <algorithm>
#include <string>

#include "processors/processor_tables.h"

namespace tessarin {
namespace {

using processor_tables::kBitSets;
using processor_tables::kCores;
using processor_tables::kNames;
using processor_tables::kProcessors;
using processor_tables::kRegisterDefinitions;

static_assert(std::is_sorted(std::begin(kProcessors), std::end(kProcessors),
                             [](const Processor& x, const Processor& y) {
                               return x.name < y.name;
                             }),
              "FindProcessor searches the parts by name");

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t k = 0; k < prefix.size(); ++k) {
    if (Upper(text[k]) != prefix[k]) return false;
  }
  return true;
}

const RegisterDefinition* FindRegister(const Processor& processor, int address) {
  const auto& indices = processor.registers;
  const auto found = std::lower_bound(
      indices.begin(), indices.end(), address,
      [](uint16_t index, int wanted) { return kRegisterDefinitions[index].address < wanted; });
  if (found == indices.end() || kRegisterDefinitions[*found].address != address) return nullptr;
  return &kRegisterDefinitions[*found];
}

// The register that bank `bank` reaches at `offset`: its own, or the one it
// mirrors. Core registers are in every bank; on the mid-range core an SFR
// address of bank 2 or 3 that the header leaves unnamed shows the register
// of bank 0 or 1 at the same offset (TMR0 and PORTB at 0x101 and 0x106 on
// the 16F87x).
const RegisterDefinition* RegisterInBank(const Processor& processor, const CoreTraits& traits,
                                         int bank, uint8_t offset) {
  const int address = bank * traits.bank_bytes + offset;
  if (const RegisterDefinition* own = FindRegister(processor, address)) return own;
  if (offset < 16 && (traits.mirrored >> offset & 1) != 0) return FindRegister(processor, offset);
  if (processor.core == Core::kMidRange && bank >= 2) {
    const DataRange* range = DataAt(processor, address);
    if (range != nullptr && range->kind == DataKind::kSfr) {
      return FindRegister(processor, address - 2 * traits.bank_bytes);
    }
  }
  return nullptr;
}

RegisterEntry EntryOf(const RegisterDefinition& definition) {
  return {definition.address, NameText(definition.name)};
}

}  // namespace

std::string_view NameText(NameIndex name) {
  return name < std::size(kNames) ? kNames[name] : std::string_view();
}

std::span<const Processor> Processors() { return kProcessors; }

const Processor& DefaultProcessor() {
  static const Processor& processor = *FindProcessor("16F876");
  return processor;
}

const Processor* FindProcessor(std::string_view text) {
  if (StartsWithNoCase(text, "PIC")) {
    text.remove_prefix(3);
  } else if (StartsWithNoCase(text, "P")) {
    text.remove_prefix(1);
  }
  std::string wanted(text);
  std::transform(wanted.begin(), wanted.end(), wanted.begin(), Upper);
  const auto found = std::lower_bound(
      std::begin(kProcessors), std::end(kProcessors), wanted,
      [](const Processor& processor, const std::string& name) { return processor.name < name; });
  return found != std::end(kProcessors) && found->name == wanted ? &*found : nullptr;
}

const CoreTraits& TraitsOf(Core core) {
  static_assert(kCores[0].core == Core::kMidRange && kCores[1].core == Core::kEnhanced);
  return kCores[core == Core::kEnhanced ? 1 : 0];
}

bool InClassicFamily(const Processor& processor) {
  const std::string_view name = processor.name;
  return name.size() >= 6 && name.size() <= 7 && name.starts_with("16F87") && name[5] >= '0' &&
         name[5] <= '7' && (name.size() == 6 || name[6] == 'A');
}

bool HoldsSixteenBits(int address) {
  static const AddressRange configuration = [] {
    AddressRange widest;
    for (const Processor& processor : Processors()) {
      if (processor.core != Core::kEnhanced) continue;
      widest.first = std::min(widest.empty() ? processor.configuration.first : widest.first,
                              processor.configuration.first);
      widest.last = std::max(widest.last, processor.configuration.last);
    }
    return widest;
  }();
  return configuration.Contains(address);
}

std::string_view ConfigurationName(const Processor& processor, int index) {
  if (index < 0 || static_cast<size_t>(index) >= processor.config_names.size()) return {};
  return NameText(processor.config_names[static_cast<size_t>(index)]);
}

const DataRange* DataAt(const Processor& processor, int address) {
  if (address < 0) return nullptr;
  const int bank = address / TraitsOf(processor).bank_bytes;
  const int offset = address % TraitsOf(processor).bank_bytes;
  if (bank >= processor.bank_count) return nullptr;
  for (const DataRange& range : processor.data) {
    if ((range.banks >> bank & 1) != 0 && offset >= range.first && offset <= range.last) {
      return &range;
    }
  }
  return nullptr;
}

RegisterChoice NameRegister(const Processor& processor, BankSet banks, uint8_t offset) {
  const CoreTraits& traits = TraitsOf(processor);
  RegisterChoice choice;
  size_t other_count = 0;
  for (int bank = 0; bank < processor.bank_count; ++bank) {
    if ((banks >> bank & 1) == 0) continue;
    const RegisterDefinition* found = RegisterInBank(processor, traits, bank, offset & 0x7F);
    if (found == nullptr) continue;
    const RegisterEntry entry = EntryOf(*found);
    if (entry.name == choice.chosen.name) continue;
    if (choice.chosen.name.empty()) {
      choice.chosen = entry;
    } else if (other_count < std::size(choice.others) &&
               std::find(std::begin(choice.others), std::end(choice.others), entry.name) ==
                   std::end(choice.others)) {
      choice.others[other_count++] = entry.name;
    }
  }
  return choice;
}

std::string_view BitName(const Processor& processor, uint16_t address, uint8_t bit) {
  const RegisterDefinition* found = FindRegister(processor, address);
  if (found == nullptr || bit > 7) return {};
  return NameText(kBitSets[found->bits].bit[bit]);
}

}  // namespace tessarin
