#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessarin {

/// The instruction sets of the 14-bit PICs: a processor description names
/// its core, and decoding a word depends on it.
enum class Core : uint8_t {
  kMidRange,  ///< 35 instructions: PIC10F32x, PIC12F6xx, PIC16C/F6xx-9xx
  kEnhanced,  ///< 49 instructions: PIC12F1xxx, PIC16F1xxx
};

/// The letter of program memory page `page` in a branch label: the
/// mid-range core's four pages are W to Z, the letters their labels always
/// had, the enhanced core's sixteen run from A to P.
constexpr char PageLetter(int page, Core core) {
  return core == Core::kEnhanced ? static_cast<char>('A' + (page & 15))
                                 : static_cast<char>('W' + (page & 3));
}

/// The 35 instructions of the 14-bit core, plus OPTION and TRIS that the
/// assembler still accepts, then the 14 that the enhanced core adds. MOVIW
/// and MOVWI have two encodings each: with FSRn moved (++FSRn, FSRn--...)
/// and indexed (k[FSRn]).
enum class Mnemonic : uint8_t {
  // clang-format off
  kAddwf, kAndwf, kClrf, kClrw, kComf, kDecf, kDecfsz, kIncf, kIncfsz,
  kIorwf, kMovf, kMovwf, kNop, kRlf, kRrf, kSubwf, kSwapf, kXorwf, kBcf, kBsf, kBtfsc, kBtfss,
  kAddlw, kAndlw, kCall, kClrwdt, kGoto, kIorlw, kMovlw, kRetfie, kRetlw, kReturn, kSleep, kSublw,
  kXorlw, kOption, kTris,
  kAddwfc, kSubwfb, kAsrf, kLslf, kLsrf, kMovlb, kMovlp, kBra, kBrw, kCallw, kReset, kAddfsr,
  kMoviw, kMovwi, kMoviwIndexed, kMovwiIndexed, kInvalid
  // clang-format on
};

/// How MOVIW and MOVWI move FSRn around the access, in the order of the
/// word's two low bits.
enum class FsrMode : uint8_t {
  kPreIncrement,   // ++FSRn
  kPreDecrement,   // --FSRn
  kPostIncrement,  // FSRn++
  kPostDecrement,  // FSRn--
};

/// A decoded program word: the mnemonic and its operands. Fields that the
/// instruction has no use for stay 0.
struct Instruction {
  Mnemonic mnemonic = Mnemonic::kInvalid;
  uint8_t file = 0;      // 7-bit register address (byte and bit operations)
  bool to_file = false;  // destination F (d = 1) of byte operations
  uint8_t bit = 0;       // bit number 0-7 (bit operations)
  uint16_t literal = 0;  // 8-bit literal, 11-bit CALL/GOTO target, TRIS port, MOVLB/MOVLP value
  uint8_t fsr = 0;       // FSR number 0-1: ADDFSR, MOVIW, MOVWI
  FsrMode mode = FsrMode::kPreIncrement;  // MOVIW, MOVWI with FSRn moved
  int16_t offset = 0;  // signed: BRA -256 to 255, ADDFSR and MOVIW k[FSRn] -32 to 31

  friend bool operator==(const Instruction&, const Instruction&) = default;
};

/// Which operand fields an instruction carries, so that a printer knows what to write.
enum class OperandKind : uint8_t {
  kNone,        // NOP, RETURN, CLRW...
  kFileDest,    // file, to_file: ADDWF f,d
  kFile,        // file: CLRF f, MOVWF f
  kFileBit,     // file, bit: BSF f,b
  kLiteral8,    // literal 0-255: MOVLW k
  kAddress11,   // literal 0-0x7FF: CALL k, GOTO k
  kPort,        // literal 5-7: TRIS f
  kLiteral5,    // literal 0-31: MOVLB k
  kLiteral7,    // literal 0-127: MOVLP k
  kRelative9,   // offset -256 to 255 from the next word: BRA k
  kFsrOffset,   // fsr, offset -32 to 31: ADDFSR FSRn,k
  kFsrMode,     // fsr, mode: MOVIW ++FSRn, MOVWI FSRn--
  kFsrIndexed,  // fsr, offset -32 to 31: MOVIW k[FSRn]
};

/// How an instruction passes control on, for the flow analysis.
enum class FlowKind : uint8_t {
  kNext,          // falls through to the next word
  kSkip,          // BTFSC, BTFSS, DECFSZ, INCFSZ: the next word or the one after
  kCall,          // CALL: the target, then the next word on return
  kGoto,          // GOTO: the target only
  kReturn,        // RETURN, RETLW, RETFIE: back to the caller
  kRelativeJump,  // BRA: the next word plus the offset only
  kJumpOnW,       // BRW: the next word plus W only
  kCallOnW,       // CALLW: PCLATH:W, then the next word on return
  kReset,         // RESET: starts again at the reset vector; the path ends here
  kInvalid,       // no instruction: the path ends here
};

/// The instruction a 14-bit word decodes to on `core`, as the assembler and
/// the datasheet read it: don't-care bits are ignored (on the mid-range core
/// 0x3Fxx reads as ADDLW, 0x0100-0x017F as CLRW, 0x0020 as NOP; on the
/// enhanced core 0x0100-0x0103 as CLRW). kInvalid when none, and for any word
/// above 0x3FFF.
Instruction DecodeInstruction(uint16_t word, Core core = Core::kMidRange);

/// The canonical word the assembler writes for the instruction, or nothing
/// for kInvalid, for an instruction `core` lacks and for operands out of
/// range.
std::optional<uint16_t> EncodeInstruction(const Instruction& instruction,
                                          Core core = Core::kMidRange);

/// The word assembles back exactly from its instruction on `core`: false for
/// words with don't-care bits set otherwise than the assembler sets them, and
/// for words that are no instruction.
bool IsExactInstruction(uint16_t word, Core core = Core::kMidRange);

/// "ADDWF", "BSF", ... in upper case; empty for kInvalid.
std::string_view MnemonicText(Mnemonic mnemonic);

OperandKind OperandsOf(Mnemonic mnemonic);

FlowKind FlowOf(Mnemonic mnemonic);

}  // namespace tessarin
