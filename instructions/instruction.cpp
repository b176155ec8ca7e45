#include "instructions/instruction.h"

#include <array>

namespace tessarin {
namespace {

// One row per instruction, in the order of `Mnemonic`. A word is the
// instruction when `word & mask == pattern`; the bits outside the mask are
// its operands and, for a few rows, don't-care bits. `canonical` is what the
// assembler writes for those don't-care bits (CLRW is 0x0103, not 0x0100).
struct Row {
  Mnemonic mnemonic;
  std::string_view text;
  uint16_t pattern;
  uint16_t mask;
  uint16_t canonical;
  OperandKind operands;
  FlowKind flow;
};

using enum OperandKind;
using enum FlowKind;

constexpr std::array<Row, 37> kRows{{
    // clang-format off
    // 00 oooo dfff ffff: byte operations, d on bit 7
    {Mnemonic::kAddwf,  "ADDWF",  0x0700, 0x3F00, 0x0700, kFileDest, kNext},
    {Mnemonic::kAndwf,  "ANDWF",  0x0500, 0x3F00, 0x0500, kFileDest, kNext},
    {Mnemonic::kClrf,   "CLRF",   0x0180, 0x3F80, 0x0180, kFile,     kNext},
    {Mnemonic::kClrw,   "CLRW",   0x0100, 0x3F80, 0x0103, kNone,     kNext},  // 00 0001 0xxx xxxx
    {Mnemonic::kComf,   "COMF",   0x0900, 0x3F00, 0x0900, kFileDest, kNext},
    {Mnemonic::kDecf,   "DECF",   0x0300, 0x3F00, 0x0300, kFileDest, kNext},
    {Mnemonic::kDecfsz, "DECFSZ", 0x0B00, 0x3F00, 0x0B00, kFileDest, kSkip},
    {Mnemonic::kIncf,   "INCF",   0x0A00, 0x3F00, 0x0A00, kFileDest, kNext},
    {Mnemonic::kIncfsz, "INCFSZ", 0x0F00, 0x3F00, 0x0F00, kFileDest, kSkip},
    {Mnemonic::kIorwf,  "IORWF",  0x0400, 0x3F00, 0x0400, kFileDest, kNext},
    {Mnemonic::kMovf,   "MOVF",   0x0800, 0x3F00, 0x0800, kFileDest, kNext},
    {Mnemonic::kMovwf,  "MOVWF",  0x0080, 0x3F80, 0x0080, kFile,     kNext},
    {Mnemonic::kNop,    "NOP",    0x0000, 0x3F9F, 0x0000, kNone,     kNext},  // 00 0000 0xx0 0000
    {Mnemonic::kRlf,    "RLF",    0x0D00, 0x3F00, 0x0D00, kFileDest, kNext},
    {Mnemonic::kRrf,    "RRF",    0x0C00, 0x3F00, 0x0C00, kFileDest, kNext},
    {Mnemonic::kSubwf,  "SUBWF",  0x0200, 0x3F00, 0x0200, kFileDest, kNext},
    {Mnemonic::kSwapf,  "SWAPF",  0x0E00, 0x3F00, 0x0E00, kFileDest, kNext},
    {Mnemonic::kXorwf,  "XORWF",  0x0600, 0x3F00, 0x0600, kFileDest, kNext},

    // 01 oobb bfff ffff: bit operations
    {Mnemonic::kBcf,    "BCF",    0x1000, 0x3C00, 0x1000, kFileBit,  kNext},
    {Mnemonic::kBsf,    "BSF",    0x1400, 0x3C00, 0x1400, kFileBit,  kNext},
    {Mnemonic::kBtfsc,  "BTFSC",  0x1800, 0x3C00, 0x1800, kFileBit,  kSkip},
    {Mnemonic::kBtfss,  "BTFSS",  0x1C00, 0x3C00, 0x1C00, kFileBit,  kSkip},

    // 11 oooo kkkk kkkk: literal operations; 10 okkk kkkk kkkk: CALL, GOTO;
    // 00 0000 0ooo oooo: control
    {Mnemonic::kAddlw,  "ADDLW",  0x3E00, 0x3E00, 0x3E00, kLiteral8, kNext},  // 11 111x kkkk kkkk
    {Mnemonic::kAndlw,  "ANDLW",  0x3900, 0x3F00, 0x3900, kLiteral8, kNext},
    {Mnemonic::kCall,   "CALL",   0x2000, 0x3800, 0x2000, kAddress11, kCall},
    {Mnemonic::kClrwdt, "CLRWDT", 0x0064, 0x3FFF, 0x0064, kNone,     kNext},
    {Mnemonic::kGoto,   "GOTO",   0x2800, 0x3800, 0x2800, kAddress11, kGoto},
    {Mnemonic::kIorlw,  "IORLW",  0x3800, 0x3F00, 0x3800, kLiteral8, kNext},
    {Mnemonic::kMovlw,  "MOVLW",  0x3000, 0x3C00, 0x3000, kLiteral8, kNext},  // 11 00xx kkkk kkkk
    {Mnemonic::kRetfie, "RETFIE", 0x0009, 0x3FFF, 0x0009, kNone,     kReturn},
    {Mnemonic::kRetlw,  "RETLW",  0x3400, 0x3C00, 0x3400, kLiteral8, kReturn},  // 11 01xx kkkk kkkk
    {Mnemonic::kReturn, "RETURN", 0x0008, 0x3FFF, 0x0008, kNone,     kReturn},
    {Mnemonic::kSleep,  "SLEEP",  0x0063, 0x3FFF, 0x0063, kNone,     kNext},
    {Mnemonic::kSublw,  "SUBLW",  0x3C00, 0x3E00, 0x3C00, kLiteral8, kNext},  // 11 110x kkkk kkkk
    {Mnemonic::kXorlw,  "XORLW",  0x3A00, 0x3F00, 0x3A00, kLiteral8, kNext},
    {Mnemonic::kOption, "OPTION", 0x0062, 0x3FFF, 0x0062, kNone,     kNext},
    // 00 0000 0110 0fff: only PORTA-PORTC (5-7); the other values of fff
    // are NOP, OPTION, SLEEP, CLRWDT or no instruction.
    {Mnemonic::kTris,   "TRIS",   0x0060, 0x3FF8, 0x0060, kPort,     kNext},
    // clang-format on
}};

constexpr bool RowsFollowMnemonics() {
  for (size_t k = 0; k < kRows.size(); ++k) {
    if (static_cast<size_t>(kRows[k].mnemonic) != k) return false;
  }
  return kRows.size() == static_cast<size_t>(Mnemonic::kInvalid);
}
static_assert(RowsFollowMnemonics(), "one row per mnemonic, in enum order");

// The rows a word can match, by its top six bits (13-8): those whose mask
// and pattern agree with them. A word tries at most the eight of its bucket.
struct Bucket {
  uint8_t count = 0;
  std::array<uint8_t, 8> rows{};
};

constexpr std::array<Bucket, 64> MakeBuckets() {
  std::array<Bucket, 64> buckets{};
  for (unsigned top = 0; top < 64; ++top) {
    for (size_t k = 0; k < kRows.size(); ++k) {
      const unsigned mask = kRows[k].mask >> 8;
      if (((top & mask) == (kRows[k].pattern >> 8)) && buckets[top].count < 8) {
        buckets[top].rows[buckets[top].count++] = static_cast<uint8_t>(k);
      }
    }
  }
  return buckets;
}
constexpr std::array<Bucket, 64> kBuckets = MakeBuckets();

constexpr bool BucketsHoldEveryMatch() {
  for (unsigned top = 0; top < 64; ++top) {
    size_t matches = 0;
    for (const Row& row : kRows) matches += (top & (row.mask >> 8)) == (row.pattern >> 8) ? 1 : 0;
    if (matches != kBuckets[top].count) return false;
  }
  return true;
}
static_assert(BucketsHoldEveryMatch(), "a bucket is too small for its rows");

constexpr uint8_t kFirstPort = 5;
constexpr uint8_t kLastPort = 7;

const Row* RowOf(Mnemonic mnemonic) {
  const auto index = static_cast<size_t>(mnemonic);
  return index < kRows.size() ? &kRows[index] : nullptr;
}

// Fills the operand fields of `instruction` from `word` as the row's kind
// lays them out; false when the word's operand is not one the row accepts.
bool ReadOperands(const Row& row, uint16_t word, Instruction& instruction) {
  switch (row.operands) {
    case kNone:
      return true;
    case kFileDest:
      instruction.to_file = (word & 0x80) != 0;
      [[fallthrough]];
    case kFile:
      instruction.file = static_cast<uint8_t>(word & 0x7F);
      return true;
    case kFileBit:
      instruction.file = static_cast<uint8_t>(word & 0x7F);
      instruction.bit = static_cast<uint8_t>((word >> 7) & 0x07);
      return true;
    case kLiteral8:
      instruction.literal = word & 0xFF;
      return true;
    case kAddress11:
      instruction.literal = word & 0x7FF;
      return true;
    case kPort:
      instruction.literal = word & 0x07;
      return instruction.literal >= kFirstPort && instruction.literal <= kLastPort;
  }
  return false;
}

// The operand bits of the instruction as they go into its word, or nothing
// when an operand is out of range.
std::optional<uint16_t> OperandBits(OperandKind kind, const Instruction& instruction) {
  switch (kind) {
    case kNone:
      return uint16_t{0};
    case kFileDest:
      if (instruction.file > 0x7F) return std::nullopt;
      return static_cast<uint16_t>(instruction.file | (instruction.to_file ? 0x80 : 0));
    case kFile:
      if (instruction.file > 0x7F) return std::nullopt;
      return instruction.file;
    case kFileBit:
      if (instruction.file > 0x7F || instruction.bit > 7) return std::nullopt;
      return static_cast<uint16_t>(instruction.file | (instruction.bit << 7));
    case kLiteral8:
      if (instruction.literal > 0xFF) return std::nullopt;
      return instruction.literal;
    case kAddress11:
      if (instruction.literal > 0x7FF) return std::nullopt;
      return instruction.literal;
    case kPort:
      if (instruction.literal < kFirstPort || instruction.literal > kLastPort) return std::nullopt;
      return instruction.literal;
  }
  return std::nullopt;
}

}  // namespace

Instruction DecodeInstruction(uint16_t word) {
  if (word > 0x3FFF) return {};
  const Bucket& bucket = kBuckets[word >> 8];
  for (uint8_t k = 0; k < bucket.count; ++k) {
    const Row& row = kRows[bucket.rows[k]];
    if ((word & row.mask) != row.pattern) continue;
    Instruction instruction;
    instruction.mnemonic = row.mnemonic;
    if (ReadOperands(row, word, instruction)) return instruction;
  }
  return {};
}

std::optional<uint16_t> EncodeInstruction(const Instruction& instruction) {
  const Row* row = RowOf(instruction.mnemonic);
  if (row == nullptr) return std::nullopt;
  const std::optional<uint16_t> operands = OperandBits(row->operands, instruction);
  if (!operands) return std::nullopt;
  return static_cast<uint16_t>(row->canonical | *operands);
}

bool IsExactInstruction(uint16_t word) {
  return EncodeInstruction(DecodeInstruction(word)) == word;
}

std::string_view MnemonicText(Mnemonic mnemonic) {
  const Row* row = RowOf(mnemonic);
  return row != nullptr ? row->text : std::string_view{};
}

OperandKind OperandsOf(Mnemonic mnemonic) {
  const Row* row = RowOf(mnemonic);
  return row != nullptr ? row->operands : kNone;
}

FlowKind FlowOf(Mnemonic mnemonic) {
  const Row* row = RowOf(mnemonic);
  return row != nullptr ? row->flow : FlowKind::kInvalid;
}

}  // namespace tessarin
