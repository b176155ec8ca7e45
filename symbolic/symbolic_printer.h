#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "instructions/instruction.h"
#include "processors/processor.h"

namespace tessarin {

/// What the flow analysis knows of a word when it is printed.
struct WordFacts {
  /// The banks that may be selected when the word runs.
  BankSet banks = kAnyBank;
  /// The address a CALL or GOTO here really goes to, in the page PCLATH
  /// selects, when the flow analysis knows it.
  std::optional<int> target;
};

/// The directives a symbolic source opens with, in order: errorlevel
/// quieting the messages that source for the processor may cause on purpose,
/// LIST naming the processor and the HEX format (INHX32 for an image with
/// words past 0x7FFF, `wide`, which INHX8M cannot hold), and the include of
/// its gputils header.
struct SourceDirectives {
  std::string errorlevel;
  std::string list;
  std::string include;
};
SourceDirectives SymbolicDirectives(const Processor& processor, bool wide);

/// The word address that a CALL, GOTO or BRA at `address` reaches: for BRA
/// the next word plus its offset, before 0 or past 0x7FFF where the program
/// counter would wrap; for CALL and GOTO its address bits in the page of the
/// target of `facts`, or else in the word's own page. On a part with less
/// memory than a page, this lies past the end of memory where the target the
/// program counter reaches has wrapped back.
int BranchTarget(const Instruction& instruction, int address, const WordFacts& facts,
                 const Processor& processor);

/// The label of a branch target: the letter of its 2K page and its address
/// in four upper-case hex digits, so that text order is address order. The
/// mid-range core's four pages are "W" to "Z", the enhanced core's sixteen
/// "A" to "P".
std::string BranchLabel(int target, Core core);

/// The label that the CALL, GOTO or BRA `instruction` at `address` jumps to;
/// empty for any other instruction and for a BRA whose target lies outside
/// the 15-bit program counter, which is written as an offset from `$`.
std::string TargetLabel(const Instruction& instruction, int address, const WordFacts& facts,
                        const Processor& processor);

/// The operand of an ORG line for `address`. gpasm counts bytes in the
/// processor's data EEPROM area: word 0x2100 + n (0xF000 + n on the enhanced
/// core) is ORG 0x2100 + 2n there; past that area ORG counts words again.
int SymbolicOrgAddress(int address, const Processor& processor);

/// The warning for an ORG line that gpasm cannot follow: EEPROM words from
/// half the processor's EEPROM size on (0x2180 with 256 bytes) lie past the
/// area gpasm counts in bytes, so no ORG reaches them; empty for any other
/// address.
std::string_view SymbolicOrgWarning(int address, const Processor& processor);

/// `NameRegister` on one processor, each bank set and offset worked out once:
/// a listing names the same few registers in the same few bank sets over and
/// over. One listing at a time uses it.
class RegisterNames {
 public:
  explicit RegisterNames(const Processor& processor) : processor_(processor) {}

  const Processor& processor() const { return processor_; }

  /// `NameRegister(processor(), banks, offset)`.
  const RegisterChoice& Name(BankSet banks, uint8_t offset);

 private:
  const Processor& processor_;
  std::unordered_map<uint64_t, RegisterChoice> known_;
};

/// The source text of the word `word` at `address` (the listing's columns 23
/// on), written so that gpasm assembles it back to the same word:
/// an instruction whose own encoding is the word; else a DW of the word with
/// the instruction it resembles in a comment; __CONFIG, ID words and DE for
/// data EEPROM above the program memory (a configuration word as
/// `ConfigDirective` writes it). `instruction` is the word decoded for the
/// processor's core.
std::string SymbolicText(uint16_t word, int address, const Instruction& instruction,
                         const WordFacts& facts, const Processor& processor);
/// The same, naming registers through `names`.
std::string SymbolicText(uint16_t word, int address, const Instruction& instruction,
                         const WordFacts& facts, RegisterNames& names);
/// The same, appended to `out`.
void AppendSymbolicText(std::string& out, uint16_t word, int address,
                        const Instruction& instruction, const WordFacts& facts,
                        RegisterNames& names);

}  // namespace tessarin
