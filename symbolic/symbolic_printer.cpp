#include "symbolic/symbolic_printer.h"

#include <bit>

#include "instructions/decoded_words.h"
#include "symbolic/config_word.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// The last word a 15-bit program counter reaches: the enhanced core's sixteen
// pages (the mid-range core's 13 bits stay below it).
constexpr int kLastCounterWord = 0x7FFF;

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
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(digits));
  PutHexDigits(value, digits, out.data() + at);
}

// A signed offset as gpasm takes it: "0x05", "-0x20".
void AppendSignedHex(std::string& out, int value, int digits) {
  if (value < 0) out += '-';
  AppendHex(out, static_cast<unsigned>(value < 0 ? -value : value), digits);
}

void AppendFsr(std::string& out, uint8_t fsr) {
  out += "FSR";
  out += static_cast<char>('0' + fsr);
}

// The operands of ADDFSR, MOVIW and MOVWI: "FSR1,-0x20", "0x03[FSR1]", and
// with FSRn moved "++FSR0", "FSR1--".
void AppendFsrOperands(std::string& out, const Instruction& instruction) {
  switch (OperandsOf(instruction.mnemonic)) {
    case OperandKind::kFsrOffset:
      AppendFsr(out, instruction.fsr);
      out += ',';
      AppendSignedHex(out, instruction.offset, 2);
      return;
    case OperandKind::kFsrIndexed:
      AppendSignedHex(out, instruction.offset, 2);
      out += '[';
      AppendFsr(out, instruction.fsr);
      out += ']';
      return;
    default:
      break;
  }
  const FsrMode mode = instruction.mode;
  const std::string_view step =
      mode == FsrMode::kPreIncrement || mode == FsrMode::kPostIncrement ? "++" : "--";
  const bool before = mode == FsrMode::kPreIncrement || mode == FsrMode::kPreDecrement;
  if (before) out.append(step);
  AppendFsr(out, instruction.fsr);
  if (!before) out.append(step);
}

// BRA: the label of its target, or its distance from `$` where the target
// has no label: "$+0x05", "$-0xFF".
void AppendRelative(std::string& out, const Instruction& instruction, int address,
                    const WordFacts& facts, const Processor& processor) {
  const std::string label = TargetLabel(instruction, address, facts, processor);
  if (!label.empty()) {
    out += label;
    return;
  }
  const int distance = instruction.offset + 1;
  out += distance < 0 ? "$-" : "$+";
  const auto magnitude = static_cast<unsigned>(distance < 0 ? -distance : distance);
  AppendHex(out, magnitude, magnitude > 0xFF ? 3 : 2);
}

// A data register operand: its name in the banks of `facts`, or its address
// as a number (the full address where one bank is known), and in `others`
// the registers another bank would reach.
RegisterEntry AppendRegister(std::string& out, uint8_t offset, const WordFacts& facts,
                             RegisterNames& names, std::string& others) {
  // A word no path reaches is read as in any bank.
  const BankSet banks = facts.banks != 0 ? facts.banks : kAnyBank;
  const RegisterChoice& choice = names.Name(banks, offset);
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
  const auto address =
      static_cast<unsigned>(bank * TraitsOf(names.processor()).bank_bytes + offset);
  AppendHex(out, address, address > 0xFF ? 3 : 2);
  return {};
}

// TRIS f: the port by its name on the mid-range core, where 5-7 are PORTA to
// PORTC; a number on the enhanced core, where 5-7 are FSR0H to FSR1H and the
// ports lie elsewhere, so that a name would give gpasm another port.
void AppendPort(std::string& out, uint8_t port, RegisterNames& names, std::string& others) {
  if (names.processor().core == Core::kEnhanced) {
    AppendHex(out, port, 2);
  } else {
    AppendRegister(out, port, WordFacts{0x1, {}}, names, others);
  }
}

// The instruction as source, for an exact word or as the comment of a DW.
void AppendInstruction(std::string& out, const Instruction& instruction, int address,
                       const WordFacts& facts, RegisterNames& names) {
  const Processor& processor = names.processor();
  out.append(MnemonicText(instruction.mnemonic));
  std::string others;
  switch (OperandsOf(instruction.mnemonic)) {
    case OperandKind::kNone:
      return;
    case OperandKind::kFileDest:
      out += '\t';
      AppendRegister(out, instruction.file, facts, names, others);
      out += instruction.to_file ? ",F" : ",W";
      break;
    case OperandKind::kFile:
      out += '\t';
      AppendRegister(out, instruction.file, facts, names, others);
      break;
    case OperandKind::kFileBit: {
      out += '\t';
      const RegisterEntry reg = AppendRegister(out, instruction.file, facts, names, others);
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
    case OperandKind::kLiteral5:
    case OperandKind::kLiteral7:
      out += '\t';
      AppendHex(out, instruction.literal, 2);
      break;
    case OperandKind::kAddress11:
      out += '\t';
      out += TargetLabel(instruction, address, facts, processor);
      break;
    case OperandKind::kPort:
      out += '\t';
      AppendPort(out, static_cast<uint8_t>(instruction.literal), names, others);
      break;
    case OperandKind::kRelative9:
      out += '\t';
      AppendRelative(out, instruction, address, facts, processor);
      break;
    case OperandKind::kFsrOffset:
    case OperandKind::kFsrMode:
    case OperandKind::kFsrIndexed:
      out += '\t';
      AppendFsrOperands(out, instruction);
      break;
  }
  if (!others.empty()) out += others;
}

// EncodeInstruction(instruction, core) == word, from the table where
// `instruction` is the word decoded, as it is in a listing.
bool EncodesTo(const Instruction& instruction, uint16_t word, Core core) {
  const DecodedWord& decoded = DecodedWords::Of(core)[word];
  if (decoded.instruction == instruction) return decoded.exact;
  return EncodeInstruction(instruction, core) == word;
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
  if (OperandsOf(instruction.mnemonic) == OperandKind::kRelative9) {
    return address + 1 + instruction.offset;
  }
  // The page of the target, with the address bits of the word itself: on a
  // part smaller than a page the program counter wraps the target back into
  // memory, but the label must give the word back.
  const int page_words = TraitsOf(processor).page_words;
  const int page = facts.target ? *facts.target / page_words : address / page_words;
  return page * page_words + instruction.literal % page_words;
}

std::string BranchLabel(int target, Core core) {
  std::string label(5, PageLetter(target / TraitsOf(core).page_words, core));
  PutHexDigits(static_cast<unsigned>(target), 4, label.data() + 1);
  return label;
}

std::string TargetLabel(const Instruction& instruction, int address, const WordFacts& facts,
                        const Processor& processor) {
  const OperandKind operands = OperandsOf(instruction.mnemonic);
  if (operands != OperandKind::kAddress11 && operands != OperandKind::kRelative9) return {};
  const int target = BranchTarget(instruction, address, facts, processor);
  if (target < 0 || target > kLastCounterWord) return {};
  return BranchLabel(target, processor.core);
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

const RegisterChoice& RegisterNames::Name(BankSet banks, uint8_t offset) {
  offset &= 0x7F;  // NameRegister reads the low seven bits
  const uint64_t key = uint64_t{banks} << 7 | offset;
  const auto found = known_.find(key);
  if (found != known_.end()) return found->second;
  return known_.emplace(key, NameRegister(processor_, banks, offset)).first->second;
}

std::string SymbolicText(uint16_t word, int address, const Instruction& instruction,
                         const WordFacts& facts, const Processor& processor) {
  RegisterNames names(processor);
  return SymbolicText(word, address, instruction, facts, names);
}

std::string SymbolicText(uint16_t word, int address, const Instruction& instruction,
                         const WordFacts& facts, RegisterNames& names) {
  std::string out;
  AppendSymbolicText(out, word, address, instruction, facts, names);
  return out;
}

void AppendSymbolicText(std::string& out, uint16_t word, int address,
                        const Instruction& instruction, const WordFacts& facts,
                        RegisterNames& names) {
  const Processor& processor = names.processor();
  const bool program = address < processor.program_words;
  if (program && EncodesTo(instruction, word, processor.core)) {
    AppendInstruction(out, instruction, address, facts, names);
    return;
  }
  // gpasm keeps 14 bits of a mid-range configuration word, all 16 of an
  // enhanced one.
  const bool config_fits = processor.core == Core::kEnhanced || word <= 0x3FFF;
  if (IsConfigurationWord(processor, address) && config_fits) {
    out += ConfigDirective(word, ConfigurationIndex(processor, address), processor);
    return;
  }
  const bool eeprom = processor.eeprom.Contains(address);
  if (eeprom && word <= 0xFF) {
    out += "DE\t";
    AppendHex(out, word, 2);
    return;
  }
  out += "DW\t";
  AppendHex(out, word, 4);
  const bool known =
      eeprom || processor.id_locations.Contains(address) || processor.device_id.Contains(address) ||
      IsConfigurationWord(processor, address) || processor.calibration.Contains(address);
  if (word > 0x3FFF) {
    out += "\t; *** not a 14-bit word: gpasm keeps only its low 14 bits";
  } else if (program && instruction.mnemonic != Mnemonic::kInvalid) {
    out += "\t; ";
    AppendInstruction(out, instruction, address, facts, names);
  } else if (!program && address < processor.id_locations.first) {
    out += "\t; *** beyond the program memory of the ";
    out.append(processor.name);
  } else if (!program && !known) {
    out += "\t; *** no memory of the ";
    out.append(processor.name);
    out += " at this address";
  }
}

}  // namespace tessarin
