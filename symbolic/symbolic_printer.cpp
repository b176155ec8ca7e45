#include "symbolic/symbolic_printer.h"

#include <bit>

#include "symbolic/config_word.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// gpasm messages that symbolic source causes by design: 302 register of bank
// 1 and up (its low seven bits are what counts), 219 a register address the
// processor lacks (the image uses it all the same; gpasm knows unimplemented
// addresses that no linker script shows), 224 OPTION and TRIS, 220 ID words
// and other words past program memory written with DW, 215 the processor
// given again on the command line. A part with one bank needs no 302.
std::string QuietLine(const Processor& processor) {
  if (processor.bank_count == 1) {
    return "\terrorlevel\t-219, -224, -220, -215\t; quiet: absent registers, OPTION/TRIS, ID "
           "words, -p";
  }
  return "\terrorlevel\t-302, -219, -224, -220, -215\t; quiet: banked or absent registers, "
         "OPTION/TRIS, ID words, -p";
}

void AppendHex(std::string& out, unsigned value, int digits) {
  out += "0x";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    out += HexDigit(static_cast<int>(value >> shift));
  }
}

// A data register operand: its name in the banks of `facts`, or its address
// as a number (the full address where one bank is known), and in `others`
// the registers another bank would reach.
RegisterEntry AppendRegister(std::string& out, uint8_t offset, const WordFacts& facts,
                             const Processor& processor, std::string& others) {
  // A word no path reaches is read as in any bank.
  const BankSet banks = facts.banks != 0 ? facts.banks : kAnyBank;
  const RegisterChoice choice = NameRegister(processor, banks, offset);
  if (!choice.chosen.name.empty()) {
    out.append(choice.chosen.name);
    for (std::string_view other : choice.others) {
      if (other.empty()) break;
      others += others.empty() ? "\t; or " : ", ";
      others.append(other);
    }
    return choice.chosen;
  }
  // One bank known: the full address, as the header would define it.
  const int bank = std::has_single_bit(banks) ? std::countr_zero(banks) : 0;
  const auto address = static_cast<unsigned>(bank * TraitsOf(processor).bank_bytes + offset);
  AppendHex(out, address, address > 0xFF ? 3 : 2);
  return {};
}

// The instruction as source, for an exact word or as the comment of a DW.
void AppendInstruction(std::string& out, const Instruction& instruction, int address,
                       const WordFacts& facts, const Processor& processor) {
  out.append(MnemonicText(instruction.mnemonic));
  std::string others;
  switch (OperandsOf(instruction.mnemonic)) {
    case OperandKind::kNone:
      return;
    case OperandKind::kFileDest:
      out += '\t';
      AppendRegister(out, instruction.file, facts, processor, others);
      out += instruction.to_file ? ",F" : ",W";
      break;
    case OperandKind::kFile:
      out += '\t';
      AppendRegister(out, instruction.file, facts, processor, others);
      break;
    case OperandKind::kFileBit: {
      out += '\t';
      const RegisterEntry reg = AppendRegister(out, instruction.file, facts, processor, others);
      out += ',';
      const std::string_view bit =
          reg.name.empty() ? std::string_view() : BitName(processor, reg.address, instruction.bit);
      if (bit.empty()) {
        out += static_cast<char>('0' + instruction.bit);
      } else {
        out.append(bit);
      }
      break;
    }
    case OperandKind::kLiteral8:
      out += '\t';
      AppendHex(out, instruction.literal, 2);
      break;
    case OperandKind::kAddress11:
      out += '\t';
      out += BranchLabel(BranchTarget(instruction, address, facts, processor));
      break;
    case OperandKind::kPort:
      out += '\t';
      AppendRegister(out, static_cast<uint8_t>(instruction.literal), WordFacts{0x1, {}}, processor,
                     others);
      break;
  }
  out += others;
}

}  // namespace

SourceDirectives SymbolicDirectives(const Processor& processor, bool wide) {
  SourceDirectives directives;
  directives.errorlevel = QuietLine(processor);
  directives.list = "\tLIST\tP=";
  directives.list.append(processor.name);
  directives.list += wide ? ", F=INHX32" : ", F=INHX8M";
  directives.include = "\tinclude \"";
  directives.include.append(processor.header);
  directives.include += '"';
  return directives;
}

int BranchTarget(const Instruction& instruction, int address, const WordFacts& facts,
                 const Processor& processor) {
  // The page of the target, with the address bits of the word itself: on a
  // part smaller than a page the program counter wraps the target back into
  // memory, but the label must give the word back.
  const int page_words = TraitsOf(processor).page_words;
  const int page = facts.target ? *facts.target / page_words : address / page_words;
  return page * page_words + instruction.literal % page_words;
}

std::string BranchLabel(int target) {
  std::string label(5, 'W');
  label[0] = static_cast<char>('W' + ((target >> 11) & 3));
  for (int k = 0; k < 4; ++k) label[1 + static_cast<size_t>(k)] = HexDigit(target >> (12 - 4 * k));
  return label;
}

std::string_view SymbolicOrgWarning(int address, const Processor& processor) {
  const AddressRange& eeprom = processor.eeprom;
  if (eeprom.Contains(address) && address - eeprom.first >= eeprom.size() / 2) {
    return "*** gpasm places no ORG here: it counts EEPROM in bytes";
  }
  return {};
}

int SymbolicOrgAddress(int address, const Processor& processor) {
  const AddressRange& eeprom = processor.eeprom;
  return eeprom.Contains(address) ? eeprom.first + 2 * (address - eeprom.first) : address;
}

std::string SymbolicText(uint16_t word, int address, const Instruction& instruction,
                         const WordFacts& facts, const Processor& processor) {
  std::string out;
  out.reserve(32);
  const bool program = address < processor.program_words;
  if (program && EncodeInstruction(instruction) == word) {
    AppendInstruction(out, instruction, address, facts, processor);
    return out;
  }
  // gpasm keeps 14 bits of a mid-range configuration word, all 16 of an
  // enhanced one.
  const bool config_fits = processor.core == Core::kEnhanced || word <= 0x3FFF;
  if (IsConfigurationWord(processor, address) && config_fits) {
    return ConfigDirective(word, ConfigurationIndex(processor, address), processor);
  }
  const bool eeprom = processor.eeprom.Contains(address);
  if (eeprom && word <= 0xFF) {
    out = "DE\t";
    AppendHex(out, word, 2);
    return out;
  }
  out = "DW\t";
  AppendHex(out, word, 4);
  const bool known =
      eeprom || processor.id_locations.Contains(address) || processor.device_id.Contains(address) ||
      IsConfigurationWord(processor, address) || processor.calibration.Contains(address);
  if (word > 0x3FFF) {
    out += "\t; *** not a 14-bit word: gpasm keeps only its low 14 bits";
  } else if (program && instruction.mnemonic != Mnemonic::kInvalid) {
    out += "\t; ";
    AppendInstruction(out, instruction, address, facts, processor);
  } else if (!program && address < processor.id_locations.first) {
    out += "\t; *** beyond the program memory of the ";
    out.append(processor.name);
  } else if (!program && !known) {
    out += "\t; *** no memory of the ";
    out.append(processor.name);
    out += " at this address";
  }
  return out;
}

}  // namespace tessarin
