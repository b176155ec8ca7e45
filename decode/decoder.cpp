#include "decode/decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "decode/register_names.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// Character tests match the upper-case digits only: "8" to "F" must not take
// in the ASCII punctuation that lies between "9" and "A".
bool DigitIn(char c, char low, char high) {
  return IsUpperHexDigit(c) && HexDigitValue(c) >= HexDigitValue(low) &&
         HexDigitValue(c) <= HexDigitValue(high);
}

std::string Line(std::string_view mnemonic, std::string_view operand) {
  std::string line;
  line.reserve(mnemonic.size() + 1 + operand.size());
  line.append(mnemonic);
  line += '\t';
  line.append(operand);
  return line;
}

// Register address with the destination bit stripped: the digit of
// v(c3) - 8 followed by c4 (c3 is "8" to "F" here).
std::string HighRegister(std::string_view word) {
  std::string reg(1, HexDigit(HexDigitValue(CharAt(word, 3)) - 8));
  reg.append(Mid(word, 4, 1));
  return reg;
}

// 00 dddd dfff ffff: c2 is the opcode, c3 holds the destination bit d on top
// of register bits 6-4, c4 register bits 3-0. c2 "0" and "1" hold the control
// instructions, MOVWF and CLRF/CLRW.
constexpr std::array<std::string_view, 16> kByteOps{
    "",     "",     "SUBWF", "DECF",   "IORWF", "ANDWF", "XORWF", "ADDWF",
    "MOVF", "COMF", "INCF",  "DECFSZ", "RRF",   "RLF",   "SWAPF", "INCFSZ"};

std::string DecodeByteClass(std::string_view word) {
  const char c2 = CharAt(word, 2);
  const char c3 = CharAt(word, 3);
  const char c4 = CharAt(word, 4);
  if (c2 == '0') {
    if (c3 == '0') {
      if (c4 == '0') return "NOP";
      if (c4 == '8') return "RETURN";
      if (c4 == '9') return "RETFIE";
      return {};
    }
    if (c3 == '6') {
      if (c4 == '2') return "OPTION";
      if (c4 == '5' || c4 == '6' || c4 == '7') return Line("TRIS", "0x0" + std::string(1, c4));
      if (c4 == '3') return "SLEEP";
      if (c4 == '4') return "CLRWDT";
      return {};
    }
    if (DigitIn(c3, '8', 'F')) return Line("MOVWF", "0x" + HighRegister(word));
    return {};
  }
  if (c2 == '1') {
    if (HexDigitValue(c3) >= 8) return Line("CLRF", "0x" + HighRegister(word));
    return "CLRW";
  }
  if (DigitIn(c2, '2', 'F')) {
    return Line(kByteOps[static_cast<size_t>(HexDigitValue(c2))],
                FormatFileOperand(Mid(word, 3, 2)));
  }
  return {};
}

// 01 oobb bfff ffff: c2 holds two opcode bits and bit-number bits 2-1, c3 the
// bit-number bit 0 on top of register bits 6-4, c4 register bits 3-0.
std::string DecodeBitClass(std::string_view word, SharedState& state) {
  const char c2 = CharAt(word, 2);
  std::string_view mnemonic;
  int base;
  if (DigitIn(c2, '0', '3')) {
    mnemonic = "BCF", base = 0;
  } else if (DigitIn(c2, '4', '7')) {
    mnemonic = "BSF", base = 4;
  } else if (DigitIn(c2, '8', 'B')) {
    mnemonic = "BTFSC", base = 8;
  } else if (DigitIn(c2, 'C', 'F')) {
    mnemonic = "BTFSS", base = 12;
  } else {
    return {};
  }
  int high = HexDigitValue(CharAt(word, 3));
  const int pair = HexDigitValue(c2) - base;
  uint8_t bit;
  if (high >= 8) {
    bit = static_cast<uint8_t>(pair * 2 + 1);
    high -= 8;
  } else {
    bit = static_cast<uint8_t>(pair * 2);
  }
  std::string key(1, HexDigit(high));
  key.append(Mid(word, 4, 1));
  key.insert(0, 3 - key.size(), '0');

  std::string operand = RegisterName(key, state.NameWarning);
  operand += ',';
  if (key == "003") {
    operand += StatusBitName(bit, state.NameWarning);
  } else {
    operand += static_cast<char>('0' + bit);
  }
  std::string line = Line(mnemonic, operand);
  if (!state.NameWarning.empty()) {
    line += "   ; ";
    line += state.NameWarning;
  }
  return line;
}

// 10 kaaa aaaa aaaa: c2 bit 11 tells CALL (0) from GOTO (1), then the 11-bit
// target within the page of the word's own address. Returns the mnemonic and
// the label name, or nothing when c2 is no digit.
struct Branch {
  std::string_view mnemonic;
  std::string label;
};

std::optional<Branch> DecodeBranch(std::string_view word, int16_t address) {
  const char c2 = CharAt(word, 2);
  Branch branch;
  // The target digits as they stand in the word: at most four characters.
  char digits[4];
  size_t count = 0;
  std::string_view rest;
  if (DigitIn(c2, '0', '7')) {
    branch.mnemonic = "CALL";
    digits[count++] = '0';
    rest = Mid(word, 2, 3);
  } else if (DigitIn(c2, '8', 'F')) {
    branch.mnemonic = "GOTO";
    digits[count++] = static_cast<char>('0' + HexDigitValue(c2) - 8);
    rest = Mid(word, 3, 2);
  } else {
    return std::nullopt;
  }
  for (char c : rest) digits[count++] = c;

  char letter;
  int page_base;
  if (address > 0x17FF) {
    letter = 'Z', page_base = 0x1800;
  } else if (address >= 0x1000) {
    letter = 'Y', page_base = 0x1000;
  } else if (address >= 0x0800) {
    letter = 'X', page_base = 0x0800;
  } else {
    letter = 'W', page_base = 0;
  }
  if (page_base != 0) {
    // The digits' value plus the page, in upper-case hex without leading
    // zeros; it never needs more than four digits.
    int value = 0;
    for (size_t k = 0; k < count; ++k) value = value * 16 + HexDigitValue(digits[k]);
    value += page_base;
    count = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
      if (count > 0 || (value >> shift) != 0 || shift == 0)
        digits[count++] = HexDigit(value >> shift);
    }
  }

  branch.label.reserve(5);
  branch.label += letter;
  branch.label.append(4 - std::min<size_t>(count, 4), '0');
  branch.label.append(digits, count);
  return branch;
}

std::string DecodeBranchClass(std::string_view word, SharedState& state) {
  std::optional<Branch> branch = DecodeBranch(word, state.CurrentAddress);
  if (!branch) return {};
  if (state.PassNumber == 1) state.List2.Add(branch->label);
  return Line(branch->mnemonic, branch->label);
}

// 11 oooo kkkk kkkk: c2 is the opcode, c3 c4 the literal.
std::string DecodeLiteralClass(std::string_view word) {
  const char c2 = CharAt(word, 2);
  std::string_view mnemonic;
  if (DigitIn(c2, '0', '3')) {
    mnemonic = "MOVLW";
  } else if (DigitIn(c2, '4', '7')) {
    mnemonic = "RETLW";
  } else if (c2 == '8') {
    mnemonic = "IORLW";
  } else if (c2 == '9') {
    mnemonic = "ANDLW";
  } else if (c2 == 'A') {
    mnemonic = "XORLW";
  } else if (c2 == 'C' || c2 == 'D') {
    mnemonic = "SUBLW";
  } else if (c2 == 'E' || c2 == 'F') {
    mnemonic = "ADDLW";
  } else {
    return {};  // "B" among them: 3B00-3BFF is no instruction
  }
  std::string operand = "0x";
  operand.append(Mid(word, 3, 2));
  return Line(mnemonic, operand);
}

}  // namespace

std::string FormatFileOperand(std::string_view low_byte) {
  const char c3 = CharAt(low_byte, 1);
  std::string operand = "0x";
  if (DigitIn(c3, '0', '7')) {
    operand.append(Mid(low_byte, 1, 2));
    operand += ",0";
  } else if (DigitIn(c3, '8', 'F')) {
    operand += HexDigit(HexDigitValue(c3) - 8);
    operand.append(Mid(low_byte, 2, 1));
    operand += ",1";
  } else {
    return "None";
  }
  return operand;
}

void CollectBranchTarget(std::string_view word, SharedState& state) {
  if (CharAt(word, 1) != '2' || state.PassNumber != 1) return;
  if (std::optional<Branch> branch = DecodeBranch(word, state.CurrentAddress)) {
    state.List2.Add(std::move(branch->label));
  }
}

std::string DecodeWord(std::string_view word, SharedState& state) {
  state.NameWarning.clear();
  std::string result;
  switch (CharAt(word, 1)) {
    case '0':
      result = DecodeByteClass(word);
      break;
    case '1':
      result = DecodeBitClass(word, state);
      break;
    case '2':
      result = DecodeBranchClass(word, state);
      break;
    case '3':
      result = DecodeLiteralClass(word);
      break;
    default:
      break;
  }
  if (!result.empty()) return result;
  if (Mid(word, 1, 2) == "00") return Line("DATA", "0x" + std::string(Mid(word, 3, 2)));
  return Line("DW", "0x" + std::string(Mid(word, 1, 4)));
}

}  // namespace tessarin
