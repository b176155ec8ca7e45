#include "instructions/instruction.h"

#include <array>
#include <utility>

#include "instructions/decoded_words.h"

namespace tessarin {
namespace {

// One row per instruction, in the order of `Mnemonic`. On the mid-range
// core a word is the instruction when `word & mask == pattern`, on the
// enhanced core when `word & enhanced_mask == pattern`; a mask of 0 leaves
// the instruction out of that core. The bits outside the mask are its
// operands and, for a few rows, don't-care bits. `canonical` is what the
// assembler writes for those don't-care bits (CLRW is 0x0103, not 0x0100).
// Where the two cores differ, the layout comment gives both.
struct Row {
  Mnemonic mnemonic;
  std::string_view text;
  uint16_t pattern;
  uint16_t mask;
  uint16_t enhanced_mask;
  uint16_t canonical;
  OperandKind operands;
  FlowKind flow;
};

using enum OperandKind;
using enum FlowKind;

constexpr std::array<Row, 53> kRows{{
    // clang-format off
    // 00 oooo dfff ffff: byte operations, d on bit 7
    {Mnemonic::kAddwf,  "ADDWF",  0x0700, 0x3F00, 0x3F00, 0x0700, kFileDest, kNext},
    {Mnemonic::kAndwf,  "ANDWF",  0x0500, 0x3F00, 0x3F00, 0x0500, kFileDest, kNext},
    {Mnemonic::kClrf,   "CLRF",   0x0180, 0x3F80, 0x3F80, 0x0180, kFile,     kNext},
    // mid-range 00 0001 0xxx xxxx, enhanced 00 0001 0000 00xx
    {Mnemonic::kClrw,   "CLRW",   0x0100, 0x3F80, 0x3FFC, 0x0103, kNone,     kNext},
    {Mnemonic::kComf,   "COMF",   0x0900, 0x3F00, 0x3F00, 0x0900, kFileDest, kNext},
    {Mnemonic::kDecf,   "DECF",   0x0300, 0x3F00, 0x3F00, 0x0300, kFileDest, kNext},
    {Mnemonic::kDecfsz, "DECFSZ", 0x0B00, 0x3F00, 0x3F00, 0x0B00, kFileDest, kSkip},
    {Mnemonic::kIncf,   "INCF",   0x0A00, 0x3F00, 0x3F00, 0x0A00, kFileDest, kNext},
    {Mnemonic::kIncfsz, "INCFSZ", 0x0F00, 0x3F00, 0x3F00, 0x0F00, kFileDest, kSkip},
    {Mnemonic::kIorwf,  "IORWF",  0x0400, 0x3F00, 0x3F00, 0x0400, kFileDest, kNext},
    {Mnemonic::kMovf,   "MOVF",   0x0800, 0x3F00, 0x3F00, 0x0800, kFileDest, kNext},
    {Mnemonic::kMovwf,  "MOVWF",  0x0080, 0x3F80, 0x3F80, 0x0080, kFile,     kNext},
    // mid-range 00 0000 0xx0 0000, enhanced 00 0000 0000 0000
    {Mnemonic::kNop,    "NOP",    0x0000, 0x3F9F, 0x3FFF, 0x0000, kNone,     kNext},
    {Mnemonic::kRlf,    "RLF",    0x0D00, 0x3F00, 0x3F00, 0x0D00, kFileDest, kNext},
    {Mnemonic::kRrf,    "RRF",    0x0C00, 0x3F00, 0x3F00, 0x0C00, kFileDest, kNext},
    {Mnemonic::kSubwf,  "SUBWF",  0x0200, 0x3F00, 0x3F00, 0x0200, kFileDest, kNext},
    {Mnemonic::kSwapf,  "SWAPF",  0x0E00, 0x3F00, 0x3F00, 0x0E00, kFileDest, kNext},
    {Mnemonic::kXorwf,  "XORWF",  0x0600, 0x3F00, 0x3F00, 0x0600, kFileDest, kNext},

    // 01 oobb bfff ffff: bit operations
    {Mnemonic::kBcf,    "BCF",    0x1000, 0x3C00, 0x3C00, 0x1000, kFileBit,  kNext},
    {Mnemonic::kBsf,    "BSF",    0x1400, 0x3C00, 0x3C00, 0x1400, kFileBit,  kNext},
    {Mnemonic::kBtfsc,  "BTFSC",  0x1800, 0x3C00, 0x3C00, 0x1800, kFileBit,  kSkip},
    {Mnemonic::kBtfss,  "BTFSS",  0x1C00, 0x3C00, 0x3C00, 0x1C00, kFileBit,  kSkip},

    // 11 oooo kkkk kkkk: literal operations; 10 okkk kkkk kkkk: CALL, GOTO;
    // 00 0000 0ooo oooo: control. The enhanced core has no don't-care bit in
    // the literal operations: it uses those words for its own instructions.
    // mid-range 11 111x kkkk kkkk, enhanced 11 1110 kkkk kkkk
    {Mnemonic::kAddlw,  "ADDLW",  0x3E00, 0x3E00, 0x3F00, 0x3E00, kLiteral8, kNext},
    {Mnemonic::kAndlw,  "ANDLW",  0x3900, 0x3F00, 0x3F00, 0x3900, kLiteral8, kNext},
    {Mnemonic::kCall,   "CALL",   0x2000, 0x3800, 0x3800, 0x2000, kAddress11, kCall},
    {Mnemonic::kClrwdt, "CLRWDT", 0x0064, 0x3FFF, 0x3FFF, 0x0064, kNone,     kNext},
    {Mnemonic::kGoto,   "GOTO",   0x2800, 0x3800, 0x3800, 0x2800, kAddress11, kGoto},
    {Mnemonic::kIorlw,  "IORLW",  0x3800, 0x3F00, 0x3F00, 0x3800, kLiteral8, kNext},
    // mid-range 11 00xx kkkk kkkk, enhanced 11 0000 kkkk kkkk
    {Mnemonic::kMovlw,  "MOVLW",  0x3000, 0x3C00, 0x3F00, 0x3000, kLiteral8, kNext},
    {Mnemonic::kRetfie, "RETFIE", 0x0009, 0x3FFF, 0x3FFF, 0x0009, kNone,     kReturn},
    // mid-range 11 01xx kkkk kkkk, enhanced 11 0100 kkkk kkkk
    {Mnemonic::kRetlw,  "RETLW",  0x3400, 0x3C00, 0x3F00, 0x3400, kLiteral8, kReturn},
    {Mnemonic::kReturn, "RETURN", 0x0008, 0x3FFF, 0x3FFF, 0x0008, kNone,     kReturn},
    {Mnemonic::kSleep,  "SLEEP",  0x0063, 0x3FFF, 0x3FFF, 0x0063, kNone,     kNext},
    // mid-range 11 110x kkkk kkkk, enhanced 11 1100 kkkk kkkk
    {Mnemonic::kSublw,  "SUBLW",  0x3C00, 0x3E00, 0x3F00, 0x3C00, kLiteral8, kNext},
    {Mnemonic::kXorlw,  "XORLW",  0x3A00, 0x3F00, 0x3F00, 0x3A00, kLiteral8, kNext},
    {Mnemonic::kOption, "OPTION", 0x0062, 0x3FFF, 0x3FFF, 0x0062, kNone,     kNext},
    // 00 0000 0110 0fff: only PORTA-PORTC (5-7); the other values of fff
    // are NOP, OPTION, SLEEP, CLRWDT or no instruction.
    {Mnemonic::kTris,   "TRIS",   0x0060, 0x3FF8, 0x3FF8, 0x0060, kPort,     kNext},

    // The enhanced core only.
    {Mnemonic::kAddwfc, "ADDWFC", 0x3D00, 0,      0x3F00, 0x3D00, kFileDest, kNext},  // 11 1101 dfff ffff
    {Mnemonic::kSubwfb, "SUBWFB", 0x3B00, 0,      0x3F00, 0x3B00, kFileDest, kNext},  // 11 1011 dfff ffff
    {Mnemonic::kAsrf,   "ASRF",   0x3700, 0,      0x3F00, 0x3700, kFileDest, kNext},  // 11 0111 dfff ffff
    {Mnemonic::kLslf,   "LSLF",   0x3500, 0,      0x3F00, 0x3500, kFileDest, kNext},  // 11 0101 dfff ffff
    {Mnemonic::kLsrf,   "LSRF",   0x3600, 0,      0x3F00, 0x3600, kFileDest, kNext},  // 11 0110 dfff ffff
    {Mnemonic::kMovlb,  "MOVLB",  0x0020, 0,      0x3FE0, 0x0020, kLiteral5, kNext},  // 00 0000 001k kkkk
    {Mnemonic::kMovlp,  "MOVLP",  0x3180, 0,      0x3F80, 0x3180, kLiteral7, kNext},  // 11 0001 1kkk kkkk
    {Mnemonic::kBra,    "BRA",    0x3200, 0,      0x3E00, 0x3200, kRelative9, kRelativeJump},  // 11 001k kkkk kkkk
    {Mnemonic::kBrw,    "BRW",    0x000B, 0,      0x3FFF, 0x000B, kNone,     kJumpOnW},
    {Mnemonic::kCallw,  "CALLW",  0x000A, 0,      0x3FFF, 0x000A, kNone,     kCallOnW},
    {Mnemonic::kReset,  "RESET",  0x0001, 0,      0x3FFF, 0x0001, kNone,     kReset},
    {Mnemonic::kAddfsr, "ADDFSR", 0x3100, 0,      0x3F80, 0x3100, kFsrOffset, kNext},  // 11 0001 0nkk kkkk
    // 00 0000 0001 onmm: n the FSR, mm the mode (++FSRn, --FSRn, FSRn++, FSRn--)
    {Mnemonic::kMoviw,  "MOVIW",  0x0010, 0,      0x3FF8, 0x0010, kFsrMode,  kNext},
    {Mnemonic::kMovwi,  "MOVWI",  0x0018, 0,      0x3FF8, 0x0018, kFsrMode,  kNext},
    // 11 1111 onkk kkkk: k[FSRn], k signed
    {Mnemonic::kMoviwIndexed, "MOVIW", 0x3F00, 0, 0x3F80, 0x3F00, kFsrIndexed, kNext},
    {Mnemonic::kMovwiIndexed, "MOVWI", 0x3F80, 0, 0x3F80, 0x3F80, kFsrIndexed, kNext},
    // clang-format on
}};

constexpr bool RowsFollowMnemonics() {
  for (size_t k = 0; k < kRows.size(); ++k) {
    if (static_cast<size_t>(kRows[k].mnemonic) != k) return false;
  }
  return kRows.size() == static_cast<size_t>(Mnemonic::kInvalid);
}
static_assert(RowsFollowMnemonics(), "one row per mnemonic, in enum order");

constexpr uint16_t MaskOn(const Row& row, Core core) {
  return core == Core::kEnhanced ? row.enhanced_mask : row.mask;
}

// The row's mask and pattern agree with the top six bits (13-8) of a word.
constexpr bool MatchesTop(const Row& row, Core core, unsigned top) {
  const unsigned mask = MaskOn(row, core) >> 8;
  return MaskOn(row, core) != 0 && (top & mask) == (row.pattern >> 8);
}

// The rows a word can match on one core, by its top six bits: those whose
// mask and pattern agree with them. A word tries at most the 14 of its
// bucket (the control instructions of the enhanced core).
constexpr size_t kBucketRows = 14;
struct Bucket {
  uint8_t count = 0;
  std::array<uint8_t, kBucketRows> rows{};
};
using Buckets = std::array<Bucket, 64>;

constexpr Buckets MakeBuckets(Core core) {
  Buckets buckets{};
  for (unsigned top = 0; top < 64; ++top) {
    for (size_t k = 0; k < kRows.size(); ++k) {
      if (MatchesTop(kRows[k], core, top) && buckets[top].count < kBucketRows) {
        buckets[top].rows[buckets[top].count++] = static_cast<uint8_t>(k);
      }
    }
  }
  return buckets;
}
constexpr std::array<Buckets, 2> kBuckets{MakeBuckets(Core::kMidRange),
                                          MakeBuckets(Core::kEnhanced)};

constexpr bool BucketsHoldEveryMatch() {
  for (const Core core : {Core::kMidRange, Core::kEnhanced}) {
    for (unsigned top = 0; top < 64; ++top) {
      size_t matches = 0;
      for (const Row& row : kRows) matches += MatchesTop(row, core, top) ? 1u : 0u;
      if (matches != kBuckets[static_cast<size_t>(core)][top].count) return false;
    }
  }
  return true;
}
static_assert(BucketsHoldEveryMatch(), "a bucket is too small for its rows");

constexpr uint8_t kFirstPort = 5;
constexpr uint8_t kLastPort = 7;

// The signed value of the low `bits` bits of `word`.
constexpr int16_t SignedField(uint16_t word, int bits) {
  const int field = word & ((1 << bits) - 1);
  return static_cast<int16_t>(field >= (1 << (bits - 1)) ? field - (1 << bits) : field);
}

// `value` in `bits` bits, two's complement, or nothing when it does not fit.
constexpr std::optional<uint16_t> SignedBits(int value, int bits) {
  const int half = 1 << (bits - 1);
  if (value < -half || value >= half) return std::nullopt;
  return static_cast<uint16_t>(value & ((1 << bits) - 1));
}

constexpr const Row* RowOf(Mnemonic mnemonic) {
  const auto index = static_cast<size_t>(mnemonic);
  return index < kRows.size() ? &kRows[index] : nullptr;
}

// Fills the operand fields of `instruction` from `word` as the row's kind
// lays them out; false when the word's operand is not one the row accepts.
constexpr bool ReadOperands(const Row& row, uint16_t word, Instruction& instruction) {
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
    case kLiteral5:
      instruction.literal = word & 0x1F;
      return true;
    case kLiteral7:
      instruction.literal = word & 0x7F;
      return true;
    case kRelative9:
      instruction.offset = SignedField(word, 9);
      return true;
    case kFsrOffset:
    case kFsrIndexed:
      instruction.fsr = static_cast<uint8_t>((word >> 6) & 1);
      instruction.offset = SignedField(word, 6);
      return true;
    case kFsrMode:
      instruction.fsr = static_cast<uint8_t>((word >> 2) & 1);
      instruction.mode = static_cast<FsrMode>(word & 0x03);
      return true;
  }
  return false;
}

// The operand bits of the instruction as they go into its word, or nothing
// when an operand is out of range.
constexpr std::optional<uint16_t> OperandBits(OperandKind kind, const Instruction& instruction) {
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
    case kLiteral5:
      if (instruction.literal > 0x1F) return std::nullopt;
      return instruction.literal;
    case kLiteral7:
      if (instruction.literal > 0x7F) return std::nullopt;
      return instruction.literal;
    case kRelative9:
      return SignedBits(instruction.offset, 9);
    case kFsrOffset:
    case kFsrIndexed: {
      const std::optional<uint16_t> offset = SignedBits(instruction.offset, 6);
      if (instruction.fsr > 1 || !offset) return std::nullopt;
      return static_cast<uint16_t>(instruction.fsr << 6 | *offset);
    }
    case kFsrMode:
      if (instruction.fsr > 1 || instruction.mode > FsrMode::kPostDecrement) return std::nullopt;
      return static_cast<uint16_t>(instruction.fsr << 2 | static_cast<uint16_t>(instruction.mode));
  }
  return std::nullopt;
}

constexpr Instruction Decode(uint16_t word, Core core) {
  if (word > 0x3FFF) return {};
  const Bucket& bucket = kBuckets[static_cast<size_t>(core)][word >> 8];
  for (uint8_t k = 0; k < bucket.count; ++k) {
    const Row& row = kRows[bucket.rows[k]];
    if ((word & MaskOn(row, core)) != row.pattern) continue;
    Instruction instruction;
    instruction.mnemonic = row.mnemonic;
    if (ReadOperands(row, word, instruction)) return instruction;
  }
  return {};
}

constexpr std::optional<uint16_t> Encode(const Instruction& instruction, Core core) {
  const Row* row = RowOf(instruction.mnemonic);
  if (row == nullptr || MaskOn(*row, core) == 0) return std::nullopt;
  const std::optional<uint16_t> operands = OperandBits(row->operands, instruction);
  if (!operands) return std::nullopt;
  return static_cast<uint16_t>(row->canonical | *operands);
}

// Every word of each core decoded, with whether its instruction encodes back
// to it, worked out when the program is built: listings, the flow analysis
// and the zone proposals read every word of an image, often more than once.
// Each part of 2,048 words is worked out in a constant evaluation of its own,
// well within the steps a compiler allows one (clang's default limit is about
// a million; a word takes some 160).
constexpr unsigned kWordsPerPart = 0x800;
constexpr unsigned kPartsPerCore = DecodedWords::kWords / kWordsPerPart;
using DecodedPart = std::array<DecodedWord, kWordsPerPart>;

constexpr DecodedPart DecodePart(Core core, unsigned part) {
  DecodedPart words{};
  for (unsigned k = 0; k < kWordsPerPart; ++k) {
    const auto word = static_cast<uint16_t>(part * kWordsPerPart + k);
    const Instruction instruction = Decode(word, core);
    words[k] = {instruction, Encode(instruction, core) == word};
  }
  return words;
}

template <Core core, unsigned part>
constexpr DecodedPart kDecodedPart = DecodePart(core, part);

template <Core core, unsigned... parts>
constexpr DecodedWords::Table JoinParts(std::integer_sequence<unsigned, parts...>) {
  DecodedWords::Table words{};
  size_t at = 0;
  for (const DecodedPart* part : {&kDecodedPart<core, parts>...}) {
    for (const DecodedWord& word : *part) words[at++] = word;
  }
  return words;
}

constexpr DecodedWords::Table kMidRangeWords =
    JoinParts<Core::kMidRange>(std::make_integer_sequence<unsigned, kPartsPerCore>());
constexpr DecodedWords::Table kEnhancedWords =
    JoinParts<Core::kEnhanced>(std::make_integer_sequence<unsigned, kPartsPerCore>());

}  // namespace

Instruction DecodeInstruction(uint16_t word, Core core) { return Decode(word, core); }

std::optional<uint16_t> EncodeInstruction(const Instruction& instruction, Core core) {
  return Encode(instruction, core);
}

bool IsExactInstruction(uint16_t word, Core core) {
  // Encode(Decode(word)) == word, looked up.
  return DecodedWords::Of(core)[word].exact;
}

const DecodedWords& DecodedWords::Of(Core core) {
  static constexpr DecodedWords kMidRange(kMidRangeWords);
  static constexpr DecodedWords kEnhanced(kEnhancedWords);
  return core == Core::kEnhanced ? kEnhanced : kMidRange;
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
