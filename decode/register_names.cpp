#include "decode/register_names.h"

#include <array>

namespace tessarin {
namespace {

struct RegisterRow {
  std::string_view key;
  std::string_view name;
};

// Searched top to bottom; the first equal key wins. Every key has three
// characters. Only the 7-bit addresses
// 000-07F reach this table from the decoder; the five keys above 07F serve
// direct callers.
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

}  // namespace

std::string RegisterName(std::string_view key, std::string& name_warning) {
  if (key.size() == 3) {
    for (const RegisterRow& row : kRegisters) {
      if (row.key[0] == key[0] && row.key[1] == key[1] && row.key[2] == key[2]) {
        return std::string(row.name);
      }
    }
  }
  name_warning = "*** ";
  name_warning.append(key);
  name_warning += ": Registre inconnu !";
  return "0x" + std::string(key);
}

std::string StatusBitName(uint8_t bit, std::string& name_warning) {
  if (bit < kStatusBits.size()) return std::string(kStatusBits[bit]);
  name_warning = "*** " + std::to_string(bit) + " : StatusBitName inconnu !";
  return {};
}

}  // namespace tessarin
