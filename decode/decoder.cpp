#include "decode/decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "decode/register_names.h"
#include "instructions/instruction.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// Character tests match the upper-case digits only: "8" to "F" must not take
// in the ASCII punctuation that lies between "9" and "A".
bool DigitIn(char c, char low, char high) {
  return IsUpperHexDigit(c) && HexDigitValue(c) >= HexDigitValue(low) &&
         HexDigitValue(c) <= HexDigitValue(high);
}

// Appends the pieces of a line to `out`: texts and characters. The decoders
// below append only once they know the word is theirs, and return true; a
// word that is not leaves `out` as it was, and they return false.
template <typename... Pieces>
bool Put(DecodedLine& out, const Pieces&... pieces) {
  (out += ... += pieces);
  return true;
}

// Appends character `position` (from 1) of `word`, if the word reaches it:
// Mid(word, position, 1) as a single character.
void PutCharAt(std::string_view word, int position, DecodedLine& out) {
  if (position >= 1 && static_cast<size_t>(position) <= word.size()) {
    out += word[static_cast<size_t>(position - 1)];
  }
}

// "0x" and a register address with the destination bit stripped: the digit
// of v(c3) - 8 (c3 is "8" to "F" here), then c4.
void PutHighRegister(std::string_view word, DecodedLine& out) {
  Put(out, "0x", HexDigit(HexDigitValue(CharAt(word, 3)) - 8));
  PutCharAt(word, 4, out);
}

// The file-register operand of a byte-oriented instruction from its low byte
// `c3 c4`, as FormatFileOperand describes it.
void PutFileOperand(std::string_view low_byte, DecodedLine& out) {
  const char c3 = CharAt(low_byte, 1);
  if (DigitIn(c3, '0', '7')) {
    Put(out, "0x", c3);
    PutCharAt(low_byte, 2, out);
    out += ",0";
  } else if (DigitIn(c3, '8', 'F')) {
    Put(out, "0x", HexDigit(HexDigitValue(c3) - 8));
    PutCharAt(low_byte, 2, out);
    out += ",1";
  } else {
    out += "None";
  }
}

// 00 dddd dfff ffff: c2 is the opcode, c3 holds the destination bit d on top
// of register bits 6-4, c4 register bits 3-0. c2 "0" and "1" hold the control
// instructions, MOVWF and CLRF/CLRW.
// The opcodes of c2 "2" to "F", each with the TAB before its operand.
constexpr std::array<ShortText, 16> kByteOps{
    "",       "",       "SUBWF\t", "DECF\t",   "IORWF\t", "ANDWF\t", "XORWF\t", "ADDWF\t",
    "MOVF\t", "COMF\t", "INCF\t",  "DECFSZ\t", "RRF\t",   "RLF\t",   "SWAPF\t", "INCFSZ\t"};

bool DecodeByteClass(std::string_view word, DecodedLine& out) {
  const char c2 = CharAt(word, 2);
  const char c3 = CharAt(word, 3);
  const char c4 = CharAt(word, 4);
  if (c2 == '0') {
    if (c3 == '0') {
      if (c4 == '0') return Put(out, "NOP");
      if (c4 == '8') return Put(out, "RETURN");
      if (c4 == '9') return Put(out, "RETFIE");
      return false;
    }
    if (c3 == '6') {
      if (c4 == '2') return Put(out, "OPTION");
      if (c4 == '5' || c4 == '6' || c4 == '7') return Put(out, "TRIS\t0x0", c4);
      if (c4 == '3') return Put(out, "SLEEP");
      if (c4 == '4') return Put(out, "CLRWDT");
      return false;
    }
    if (DigitIn(c3, '8', 'F')) {
      out += "MOVWF\t";
      PutHighRegister(word, out);
      return true;
    }
    return false;
  }
  if (c2 == '1') {
    if (HexDigitValue(c3) < 8) return Put(out, "CLRW");
    out += "CLRF\t";
    PutHighRegister(word, out);
    return true;
  }
  if (DigitIn(c2, '2', 'F')) {
    out += kByteOps[static_cast<size_t>(HexDigitValue(c2))];
    PutFileOperand(Mid(word, 3, 2), out);
    return true;
  }
  return false;
}

// 01 oobb bfff ffff: c2 holds two opcode bits and bit-number bits 2-1, c3 the
// bit-number bit 0 on top of register bits 6-4, c4 register bits 3-0.
// The opcodes of c2 "0"-"3", "4"-"7", "8"-"B" and "C"-"F", with their TAB.
constexpr std::array<ShortText, 4> kBitOps{"BCF\t", "BSF\t", "BTFSC\t", "BTFSS\t"};

bool DecodeBitClass(std::string_view word, SharedState& state, DecodedLine& out) {
  const char c2 = CharAt(word, 2);
  if (!IsUpperHexDigit(c2)) return false;
  const ShortText& mnemonic = kBitOps[static_cast<size_t>(HexDigitValue(c2) / 4)];
  int high = HexDigitValue(CharAt(word, 3));
  const int pair = HexDigitValue(c2) % 4;
  uint8_t bit;
  if (high >= 8) {
    bit = static_cast<uint8_t>(pair * 2 + 1);
    high -= 8;
  } else {
    bit = static_cast<uint8_t>(pair * 2);
  }
  // The register key: the digit of bits 6-4 and c4, padded with "0" in
  // front to three characters.
  const std::string_view c4 = Mid(word, 4, 1);
  const std::array<char, 3> digits = c4.empty() ? std::array<char, 3>{'0', '0', HexDigit(high)}
                                                : std::array<char, 3>{'0', HexDigit(high), c4[0]};
  const std::string_view key(digits.data(), digits.size());

  out += mnemonic;
  if (const std::optional<std::string_view> name = FindRegisterName(key)) {
    out += *name;
  } else {
    Put(out, "0x", key);
    WarnUnknownRegister(key, state.NameWarning);
  }
  out += ',';
  if (key == "003") {
    out += StatusBitName(bit, state.NameWarning);
  } else {
    out += static_cast<char>('0' + bit);
  }
  if (!state.NameWarning.empty()) Put(out, "   ; ", state.NameWarning);
  return true;
}

// 10 kaaa aaaa aaaa: c2 bit 11 tells CALL (0) from GOTO (1), then the 11-bit
// target within the page of the word's own address (see FindClassicLabel).
constexpr std::array<ShortText, 2> kBranchOps{"CALL\t", "GOTO\t"};

// The base of the page of word address `address`: each page holds 0x800
// words, and addresses past the fourth page (or below the first) count as
// that page.
int PageBase(int16_t address) { return address < 0 ? 0 : std::min(address >> 11, 3) << 11; }

bool DecodeBranchClass(std::string_view word, SharedState& state, DecodedLine& out,
                       std::optional<ClassicLabel>& label) {
  label = FindBranchClassLabel(word, state.CurrentAddress);
  if (!label) return false;
  if (state.PassNumber == 1) state.List2.Add(std::string(label->Name()));
  return Put(out, kBranchOps[HexDigitValue(CharAt(word, 2)) < 8 ? 0 : 1], label->name);
}

// 11 oooo kkkk kkkk: c2 is the opcode, c3 c4 the literal. The opcodes of
// c2 "0" to "F", each with what stands before the literal; "B" has none:
// 3B00-3BFF is no instruction.
constexpr std::array<ShortText, 16> kLiteralOps{"MOVLW\t0x", "MOVLW\t0x", "MOVLW\t0x", "MOVLW\t0x",
                                                "RETLW\t0x", "RETLW\t0x", "RETLW\t0x", "RETLW\t0x",
                                                "IORLW\t0x", "ANDLW\t0x", "XORLW\t0x", "",
                                                "SUBLW\t0x", "SUBLW\t0x", "ADDLW\t0x", "ADDLW\t0x"};

bool DecodeLiteralClass(std::string_view word, DecodedLine& out) {
  const char c2 = CharAt(word, 2);
  if (!IsUpperHexDigit(c2) || c2 == 'B') return false;
  out += kLiteralOps[static_cast<size_t>(HexDigitValue(c2))];
  PutCharAt(word, 3, out);
  PutCharAt(word, 4, out);
  return true;
}

bool DecodeInstructionClass(std::string_view word, SharedState& state, DecodedLine& out,
                            std::optional<ClassicLabel>& label) {
  switch (CharAt(word, 1)) {
    case '0':
      return DecodeByteClass(word, out);
    case '1':
      return DecodeBitClass(word, state, out);
    case '2':
      return DecodeBranchClass(word, state, out, label);
    case '3':
      return DecodeLiteralClass(word, out);
    default:
      return false;
  }
}

}  // namespace

std::string FormatFileOperand(std::string_view low_byte) {
  DecodedLine operand;
  PutFileOperand(low_byte, operand);
  return std::string(operand.View());
}

LabelName ClassicTargetLabel(int address) {
  // The classic listing's pages are the mid-range core's, of 2K words.
  LabelName label{PageLetter(address >> 11, Core::kMidRange)};
  PutHexDigits(static_cast<unsigned>(address), 4, label.data() + 1);
  return label;
}

std::optional<ClassicLabel> FindBranchClassLabel(std::string_view word, int16_t address) {
  // 10 kaaa aaaa aaaa: the target is the low three bits of c2, then c3 c4,
  // within the page of the word's own address; c2 must be a digit.
  const char c2 = CharAt(word, 2);
  if (!IsUpperHexDigit(c2)) return std::nullopt;
  const int high = HexDigitValue(c2);
  const int page_base = PageBase(address);
  if (word.size() >= 4 && IsUpperHexDigit(word[2]) && IsUpperHexDigit(word[3])) {
    // Four upper-case digits, as nearly every word has: the 11-bit target
    // and its own label.
    const int target =
        page_base + ((high & 7) << 8) + (HexDigitValue(word[2]) << 4) + HexDigitValue(word[3]);
    return ClassicLabel{ClassicTargetLabel(target), target};
  }
  // The target digits as they stand in the word, at most four characters:
  // "0" and c2 c3 c4 for CALL, the digit of v(c2) - 8 and c3 c4 for GOTO;
  // their value plus the page.
  char digits[4];
  digits[0] = high < 8 ? '0' : static_cast<char>('0' + high - 8);
  const size_t count = 1 + (high < 8 ? Mid(word, 2, 3) : Mid(word, 3, 2)).copy(digits + 1, 3);
  int value = page_base;
  for (size_t k = 0; k < count; ++k) value += HexDigitValue(digits[k]) << (4 * (count - 1 - k));
  const LabelName own = ClassicTargetLabel(value);
  if (page_base != 0) {
    // Past the first page the label is the target's own.
    return ClassicLabel{own, value};
  }
  // On the first page, the digits as they stand behind as many "0" as make
  // four characters.
  LabelName label = {'W', '0', '0', '0', '0'};
  std::copy(digits, digits + count, label.end() - static_cast<std::ptrdiff_t>(count));
  return ClassicLabel{label, label == own ? std::optional<int>(value) : std::nullopt};
}

void CollectBranchTarget(std::string_view word, SharedState& state) {
  if (state.PassNumber != 1) return;
  if (const std::optional<ClassicLabel> target = FindClassicLabel(word, state.CurrentAddress)) {
    state.List2.Add(std::string(target->Name()));
  }
}

std::optional<ClassicLabel> DecodeWordInto(std::string_view word, SharedState& state,
                                           DecodedLine& out) {
  state.NameWarning.clear();
  std::optional<ClassicLabel> label;
  if (DecodeInstructionClass(word, state, out, label)) return label;
  if (Mid(word, 1, 2) == "00") {
    Put(out, "DATA\t0x", Mid(word, 3, 2));
  } else {
    Put(out, "DW\t0x", Mid(word, 1, 4));
  }
  return std::nullopt;
}

std::string DecodeWord(std::string_view word, SharedState& state) {
  DecodedLine line;
  DecodeWordInto(word, state, line);
  return std::string(line.View());
}

}  // namespace tessarin
