#include "decode/register_names.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "ui/text_slice.h"

namespace tessarin {
namespace {

struct RegisterRow {
  std::string_view key;
  std::string_view name;
};

// The first row of a key wins. Only the 7-bit addresses 000-07F reach this
// table from the decoder; the five keys above 07F serve direct callers.
constexpr std::array<RegisterRow, 35> kRegisters{{
    // clang-format off
    {"000", "INDF"},    {"001", "TMR0"},     {"002", "PCL"},
    {"003", "STATUS"},  {"004", "FSR"},      {"005", "PORTA"},
    {"006", "PORTB"},   {"007", "PORTC"},    {"00A", "PCLATH"},
    {"00B", "INTCON"},  {"00C", "PIR1"},     {"00D", "PIR2"},
    {"00E", "TMR1L"},   {"00F", "TMR1H"},    {"010", "T1CON"},
    {"011", "TMR2"},    {"012", "T2CON"},    {"013", "SSPBUF"},
    {"014", "SSPCON"},  {"015", "CCPR1L"},   {"016", "CCPR1H"},
    {"017", "CCP1CON"}, {"018", "RCSTA"},    {"019", "TXREG"},
    {"01A", "RCREG"},   {"01B", "CCPR2L"},   {"01C", "CCPR2H"},
    {"01D", "CCP2CON"}, {"01E", "ADRESH"},   {"01F", "ADCON0"},
    {"081", "OPTION_REG"}, {"085", "TRISA"}, {"091", "SSPCON2"},
    {"08C", "EECON1"},  {"08D", "EECON2"},
    // clang-format on
}};

constexpr std::array<std::string_view, 8> kStatusBits{"C",      "DC",  "Z",   "NOT_PD",
                                                      "NOT_TO", "RP0", "RP1", "IRP"};

// Every key is "0" and two upper-case hex digits: the row of each key, by
// the value of its two digits, found once so that a lookup is one read.
constexpr size_t KeyIndex(std::string_view key) {
  return static_cast<size_t>(HexDigitValue(key[1])) * 16 +
         static_cast<size_t>(HexDigitValue(key[2]));
}

constexpr uint8_t kNoRow = 0xFF;
static_assert(kRegisters.size() < kNoRow);

constexpr std::array<uint8_t, 256> kRowOfKey = [] {
  std::array<uint8_t, 256> rows{};
  rows.fill(kNoRow);
  for (size_t k = kRegisters.size(); k-- > 0;) {
    const std::string_view key = kRegisters[k].key;
    rows[KeyIndex(key)] = static_cast<uint8_t>(k);
  }
  return rows;
}();

constexpr bool IsKeyForm(std::string_view key) {
  return key.size() == 3 && key[0] == '0' && IsUpperHexDigit(key[1]) && IsUpperHexDigit(key[2]);
}
static_assert(std::all_of(kRegisters.begin(), kRegisters.end(),
                          [](const RegisterRow& row) { return IsKeyForm(row.key); }),
              "every key has the form the index reads");

}  // namespace

std::optional<std::string_view> FindRegisterName(std::string_view key) {
  if (!IsKeyForm(key)) return std::nullopt;
  const uint8_t row = kRowOfKey[KeyIndex(key)];
  if (row == kNoRow) return std::nullopt;
  return kRegisters[row].name;
}

std::string RegisterName(std::string_view key, std::string& name_warning) {
  if (const std::optional<std::string_view> name = FindRegisterName(key)) return std::string(*name);
  WarnUnknownRegister(key, name_warning);
  return "0x" + std::string(key);
}

void WarnUnknownRegister(std::string_view key, std::string& name_warning) {
  constexpr std::string_view kBefore = "*** ";
  constexpr std::string_view kAfter = ": Registre inconnu !";
  name_warning.resize(kBefore.size() + key.size() + kAfter.size());
  char* out = name_warning.data();
  out = std::copy(kBefore.begin(), kBefore.end(), out);
  out = std::copy(key.begin(), key.end(), out);
  std::copy(kAfter.begin(), kAfter.end(), out);
}

std::string StatusBitName(uint8_t bit, std::string& name_warning) {
  if (bit < kStatusBits.size()) return std::string(kStatusBits[bit]);
  name_warning = "*** " + std::to_string(bit) + " : StatusBitName inconnu !";
  return {};
}

}  // namespace tessarin
