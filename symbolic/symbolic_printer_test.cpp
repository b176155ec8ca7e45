#include "symbolic/symbolic_printer.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct Row {
  uint16_t word;
  int address;
  BankSet banks;
  std::optional<int> target;
  const char* processor;
  const char* text;
};

constexpr BankSet kAny = kAnyBank;

// An enhanced part of 32K words, which the core's 15-bit counter reaches
// though no part has that much memory yet; no register named.
constexpr Processor k32KWords{
    "32K", "p16f1827.inc", Core::kEnhanced, 0x8000, 32, {}, {}, {}, {}, {}, {}, {}, {}, {}};

const Processor* Named(const char* name) {
  if (const Processor* processor = FindProcessor(name)) return processor;
  return std::string_view(name) == k32KWords.name ? &k32KWords : nullptr;
}

TEST(SymbolicPrinter, WritesEachWordAsGpasmReadsIt) {
  const Row rows[] = {
      // Byte and bit operations: named in the banks STATUS selects.
      {0x0086, 0, 0x1, {}, "16F876", "MOVWF\tPORTB"},
      {0x0086, 0, 0x2, {}, "16F876", "MOVWF\tTRISB"},
      {0x0086, 0, 0x8, {}, "16F876", "MOVWF\tTRISB"},
      {0x0806, 0, kAny, {}, "16F876", "MOVF\tPORTB,W\t; or TRISB"},
      {0x0883, 0, kAny, {}, "16F876", "MOVF\tSTATUS,F"},
      {0x018C, 0, kAny, {}, "16F876", "CLRF\tPIR1\t; or PIE1, EEDATA, EECON1"},
      {0x1683, 0, kAny, {}, "16F876", "BSF\tSTATUS,RP0"},
      {0x178B, 0, kAny, {}, "16F876", "BSF\tINTCON,GIE"},
      {0x140C, 0, 0x1, {}, "16F876", "BSF\tPIR1,TMR1IF"},
      {0x1518, 0, 0x2, {}, "16F876", "BSF\tTXSTA,BRGH"},
      {0x1598, 0, 0x2, {}, "16F876", "BSF\tTXSTA,3"},
      {0x1088, 0, 0x1, {}, "16F877", "BCF\tPORTD,RD1"},
      {0x1088, 0, 0x1, {}, "16F876", "BCF\t0x08,1"},
      {0x171C, 0, 0x2, {}, "16F876A", "BSF\tCMCON,C1OUT"},
      {0x00A0, 0, 0x1, {}, "16F876", "MOVWF\t0x20"},
      {0x00A0, 0, 0x2, {}, "16F876", "MOVWF\t0xA0"},
      {0x00A0, 0, 0x3, {}, "16F876", "MOVWF\t0x20"},
      {0x0065, 0, kAny, {}, "16F876", "TRIS\tPORTA"},

      // Literals and control.
      {0x3041, 0, kAny, {}, "16F876", "MOVLW\t0x41"},
      {0x3E72, 0, kAny, {}, "16F876", "ADDLW\t0x72"},
      {0x0008, 0, kAny, {}, "16F876", "RETURN"},

      // Branches: where PCLATH sends them, else into the word's own page.
      {0x2805, 0x0010, kAny, {}, "16F876", "GOTO\tW0005"},
      {0x2805, 0x0810, kAny, {}, "16F876", "GOTO\tX0805"},
      {0x2123, 0x0010, kAny, 0x1123, "16F876", "CALL\tY1123"},
      {0x2123, 0x0810, kAny, {}, "16F873", "CALL\tX0923"},
      // On a part smaller than a page the target wraps into memory; the label
      // keeps the word's own address bits.
      {0x2500, 0x0010, kAny, 0x0100, "16F84A", "CALL\tW0500"},

      // Words the instruction does not give back: DW, the look-alike in a comment.
      {0x3F72, 0, kAny, {}, "16F876", "DW\t0x3F72\t; ADDLW\t0x72"},
      {0x0020, 0, kAny, {}, "16F876", "DW\t0x0020\t; NOP"},
      {0x0150, 0, kAny, {}, "16F876", "DW\t0x0150\t; CLRW"},
      {0x0001, 0, kAny, {}, "16F876", "DW\t0x0001"},
      {0x4000,
       0,
       kAny,
       {},
       "16F876",
       "DW\t0x4000\t; *** not a 14-bit word: gpasm keeps only its low 14 bits"},
      {0x3041,
       0x1000,
       kAny,
       {},
       "16F873",
       "DW\t0x3041\t; *** beyond the program memory of the 16F873"},

      // The enhanced core: its own instructions as gpasm spells them (the
      // gpasm test checks every word; these show the forms).
      {0x3DA0, 0, kAny, {}, "16F1827", "ADDWFC\t0x20,F"},
      {0x35A3, 0, kAny, {}, "16F1827", "LSLF\t0x23,F"},
      {0x0022, 0, kAny, {}, "16F1827", "MOVLB\t0x02"},
      {0x3188, 0, kAny, {}, "16F1827", "MOVLP\t0x08"},
      {0x000B, 0, kAny, {}, "16F1827", "BRW"},
      {0x000A, 0, kAny, {}, "16F1827", "CALLW"},
      {0x0001, 0, kAny, {}, "16F1827", "RESET"},
      {0x3105, 0, kAny, {}, "16F1827", "ADDFSR\tFSR0,0x05"},
      {0x3160, 0, kAny, {}, "16F1827", "ADDFSR\tFSR1,-0x20"},
      {0x0010, 0, kAny, {}, "16F1827", "MOVIW\t++FSR0"},
      {0x0015, 0, kAny, {}, "16F1827", "MOVIW\t--FSR1"},
      {0x001A, 0, kAny, {}, "16F1827", "MOVWI\tFSR0++"},
      {0x001F, 0, kAny, {}, "16F1827", "MOVWI\tFSR1--"},
      {0x3F43, 0, kAny, {}, "16F1827", "MOVIW\t0x03[FSR1]"},
      {0x3FBF, 0, kAny, {}, "16F1827", "MOVWI\t-0x01[FSR0]"},
      {0x3041, 0, kAny, {}, "16F1827", "MOVLW\t0x41"},
      {0x0103, 0, kAny, {}, "16F1827", "CLRW"},
      {0x0065, 0, kAny, {}, "16F1827", "TRIS\t0x05"},

      // BRA: the label of its target, else its distance from $; CALL and
      // GOTO in sixteen pages A to P.
      {0x3204, 0x0010, kAny, {}, "16F1827", "BRA\tA0015"},
      {0x33FF, 0x0810, kAny, {}, "16F1827", "BRA\tB0810"},
      {0x3300, 0x0005, kAny, {}, "16F1827", "BRA\t$-0xFF"},
      {0x32FF, 0x7FF0, kAny, {}, "32K", "BRA\t$+0x100"},
      {0x2805, 0x7810, kAny, {}, "32K", "GOTO\tP7805"},
      {0x2123, 0x0010, kAny, 0x1123, "16F1827", "CALL\tC1123"},

      // The same words on the two cores.
      {0x35A0, 0, kAny, {}, "16F876", "DW\t0x35A0\t; RETLW\t0xA0"},
      {0x35A0, 0, kAny, {}, "16F1827", "LSLF\t0x20,F"},
      {0x3F43, 0, kAny, {}, "16F876", "DW\t0x3F43\t; ADDLW\t0x43"},
      {0x3341, 0, kAny, {}, "16F876", "DW\t0x3341\t; MOVLW\t0x41"},
      {0x0022, 0, kAny, {}, "16F876", "DW\t0x0022"},
      {0x0001, 0, kAny, {}, "16F876", "DW\t0x0001"},
      {0x0100, 0, kAny, {}, "16F1827", "DW\t0x0100\t; CLRW"},
      {0x0150, 0, kAny, {}, "16F1827", "DW\t0x0150"},
      {0x0040, 0, kAny, {}, "16F1827", "DW\t0x0040"},
      {0x0061, 0, kAny, {}, "16F1827", "DW\t0x0061"},

      // Enhanced parts: 32 banks.
      {0x008C, 0, 0x2, {}, "16F1827", "MOVWF\tTRISA"},
      {0x008C, 0, 1u << 31, {}, "16F1827", "MOVWF\t0xF8C"},
      {0x0083, 0, 1u << 17, {}, "16F1827", "MOVWF\tSTATUS"},

      // ID words, device ID, calibration words.
      {0x1234, 0x2000, kAny, {}, "16F876", "DW\t0x1234"},
      {0x1234, 0x8000, kAny, {}, "16F1827", "DW\t0x1234"},
      {0x1234, 0x8006, kAny, {}, "16F1827", "DW\t0x1234"},
      {0x3480, 0x03FF, kAny, {}, "12F675", "RETLW\t0x80"},
      {0x1234, 0x2008, kAny, {}, "16F631", "DW\t0x1234"},

      // Configuration words: the settings when gpasm gives the word back from
      // them, else the number.
      {0x3F72,
       0x2007,
       kAny,
       {},
       "16F876",
       "__CONFIG\t_FOSC_HS & _WDTE_OFF & _PWRTE_ON & _CP_OFF & _BOREN_ON & _LVP_OFF & _CPD_OFF & "
       "_WRT_ON & _DEBUG_OFF\t; 0x3F72"},
      {0x2FFF,
       0x2007,
       kAny,
       {},
       "16F876",
       "__CONFIG\t0x2FFF\t; _FOSC_EXTRC & _WDTE_ON & _PWRTE_OFF & ? & _BOREN_ON & _LVP_ON & "
       "_CPD_OFF & _WRT_ON & _DEBUG_OFF"},
      {0x3FFC, 0x2008, kAny, {}, "16F88", "__CONFIG\t_CONFIG2, _FCMEN_OFF & _IESO_OFF\t; 0x3FFC"},
      {0x01B4,
       0x2007,
       kAny,
       {},
       "12F675",
       "__CONFIG\t0x01B4\t; _FOSC_INTRCIO & _WDTE_OFF & _PWRTE_OFF & _MCLRE_ON & _BOREN_OFF & "
       "_CP_OFF & _CPD_OFF"},
      {0xFFE2,
       0x8007,
       kAny,
       {},
       "16F1827",
       "__CONFIG\t_CONFIG1, _FOSC_HS & _WDTE_OFF & _PWRTE_OFF & _MCLRE_ON & _CP_OFF & _CPD_OFF & "
       "_BOREN_ON & _CLKOUTEN_OFF & _IESO_ON & _FCMEN_ON\t; 0xFFE2"},
      {0x3FE2,
       0x8007,
       kAny,
       {},
       "16F1827",
       "__CONFIG\t_CONFIG1, 0x3FE2\t; _FOSC_HS & _WDTE_OFF & _PWRTE_OFF & _MCLRE_ON & _CP_OFF & "
       "_CPD_OFF & _BOREN_ON & _CLKOUTEN_OFF & _IESO_ON & _FCMEN_ON"},
      // gpasm leaves the top bits of an enhanced word set, unless a 14-bit
      // setting (_DEBUG_OFF) clears them: the erased fields are left out.
      {0xDFFF, 0x8008, kAny, {}, "16F1827", "__CONFIG\t_CONFIG2, _LVP_OFF\t; 0xDFFF"},
      {0x3FFF, 0x2007, kAny, {}, "14000", "__CONFIG\t0x3FFF"},
      {0x4000,
       0x2007,
       kAny,
       {},
       "16F876",
       "DW\t0x4000\t; *** not a 14-bit word: gpasm keeps only its low 14 bits"},

      // Data EEPROM, one byte a word, as far as the part has it.
      {0x0041, 0x2100, kAny, {}, "16F876", "DE\t0x41"},
      {0x0141, 0x21FF, kAny, {}, "16F876", "DW\t0x0141"},
      {0x0041,
       0x2180,
       kAny,
       {},
       "16F873",
       "DW\t0x0041\t; *** no memory of the 16F873 at this address"},
      {0x0041,
       0x2140,
       kAny,
       {},
       "16F84A",
       "DW\t0x0041\t; *** no memory of the 16F84A at this address"},
      {0x0041, 0xF0FF, kAny, {}, "16F1827", "DE\t0x41"},
      {0x0041,
       0x2100,
       kAny,
       {},
       "16F1827",
       "DW\t0x0041\t; *** beyond the program memory of the 16F1827"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << row.word << " at " << row.address);
    const Processor* processor = Named(row.processor);
    ASSERT_NE(processor, nullptr);
    const WordFacts facts{row.banks, row.target};
    const Instruction instruction = DecodeInstruction(row.word, processor->core);
    EXPECT_EQ(SymbolicText(row.word, row.address, instruction, facts, *processor), row.text);
  }
}

TEST(SymbolicPrinter, PlacesDataEepromWordsWhereGpasmCountsThem) {
  const struct {
    const char* processor;
    int address, org;
  } rows[] = {{"16F876", 0x0800, 0x0800}, {"16F876", 0x2007, 0x2007},  {"16F876", 0x2100, 0x2100},
              {"16F876", 0x2108, 0x2110}, {"16F876", 0x217F, 0x21FE},  {"16F873", 0x213F, 0x217E},
              {"16F873", 0x2180, 0x2180}, {"16F874A", 0x21FF, 0x21FF}, {"16F1827", 0xF010, 0xF020},
              {"16F1827", 0x8007, 0x8007}};
  for (const auto& row : rows) {
    const Processor& processor = *FindProcessor(row.processor);
    EXPECT_EQ(SymbolicOrgAddress(row.address, processor), row.org) << row.address;
    EXPECT_EQ(SymbolicOrgWarning(row.address, processor), "") << row.address;
  }
  EXPECT_NE(SymbolicOrgWarning(0x2180, DefaultProcessor()), "");
  EXPECT_NE(SymbolicOrgWarning(0x21FF, DefaultProcessor()), "");
  EXPECT_NE(SymbolicOrgWarning(0x2140, *FindProcessor("16F873")), "");
  EXPECT_NE(SymbolicOrgWarning(0xF080, *FindProcessor("16F1827")), "");
}

// The errorlevel line quiets what source for the part can cause; INHX32 when
// the image reaches past 0x7FFF.
TEST(SymbolicPrinter, DirectivesNameThePartAndItsFormat) {
  const SourceDirectives enhanced = SymbolicDirectives(*FindProcessor("16F1827"), true);
  EXPECT_EQ(enhanced.list, "\tLIST\tP=16F1827, F=INHX32");
  EXPECT_EQ(enhanced.include, "\tinclude \"p16f1827.inc\"");
  EXPECT_NE(enhanced.errorlevel.find("-302, "), std::string::npos);
  const SourceDirectives single_bank = SymbolicDirectives(*FindProcessor("10F320"), false);
  EXPECT_EQ(single_bank.list, "\tLIST\tP=10F320, F=INHX8M");
  EXPECT_EQ(single_bank.errorlevel.find("302"), std::string::npos);
}

// The names a listing reuses are the ones NameRegister gives, whichever bank
// set and offset come first: every offset (the high bit ignored) in bank
// sets of one bank, of several and of all, each asked for twice.
TEST(SymbolicPrinter, RegisterNamesGiveWhatNameRegisterGives) {
  for (const char* name : {"16F876", "16F84A", "16F1827"}) {
    const Processor& processor = *FindProcessor(name);
    RegisterNames names(processor);
    for (const BankSet banks : {BankSet{0x1}, BankSet{0x2}, BankSet{0x8}, BankSet{0x5},
                                BankSet{0x80000000}, BankSet{0xC}, kAny}) {
      for (int round = 0; round < 2; ++round) {
        for (int offset = 0; offset <= 0xFF; ++offset) {
          const auto byte = static_cast<uint8_t>(offset);
          const RegisterChoice expected = NameRegister(processor, banks, byte);
          const RegisterChoice& got = names.Name(banks, byte);
          ASSERT_EQ(got.chosen.name, expected.chosen.name) << name << " " << banks << " " << offset;
          ASSERT_EQ(got.chosen.address, expected.chosen.address) << name << " " << offset;
          for (size_t k = 0; k < std::size(expected.others); ++k) {
            ASSERT_EQ(got.others[k], expected.others[k]) << name << " " << banks << " " << offset;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tessarin
