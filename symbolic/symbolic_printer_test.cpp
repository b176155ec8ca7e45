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

      // ID words, configuration word, data EEPROM.
      {0x1234, 0x2000, kAny, {}, "16F876", "DW\t0x1234"},
      {0x3F72,
       0x2007,
       kAny,
       {},
       "16F876",
       "__CONFIG\t0x3F72\t; _FOSC_HS & _WDTE_OFF & _PWRTE_ON & _CP_OFF & _BOREN_ON & _LVP_OFF & "
       "_CPD_OFF & _WRT_ON & _DEBUG_OFF"},
      {0x3F72,
       0x2007,
       kAny,
       {},
       "16F877A",
       "__CONFIG\t0x3F72\t; _FOSC_HS & _WDTE_OFF & _PWRTE_ON & _BOREN_ON & _LVP_OFF & _CPD_OFF & "
       "_WRT_OFF & _DEBUG_OFF & _CP_OFF"},
      {0x2FFF,
       0x2007,
       kAny,
       {},
       "16F876",
       "__CONFIG\t0x2FFF\t; _FOSC_EXTRC & _WDTE_ON & _PWRTE_OFF & ? & _BOREN_ON & _LVP_ON & "
       "_CPD_OFF & _WRT_ON & _DEBUG_OFF"},
      {0x0041, 0x2100, kAny, {}, "16F876", "DE\t0x41"},
      {0x0141, 0x21FF, kAny, {}, "16F876", "DW\t0x0141"},
      {0x0041,
       0x2180,
       kAny,
       {},
       "16F873",
       "DW\t0x0041\t; *** no memory of the 16F873 at this address"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << row.word << " at " << row.address);
    const Processor* processor = FindProcessor(row.processor);
    ASSERT_NE(processor, nullptr);
    const WordFacts facts{row.banks, row.target};
    EXPECT_EQ(SymbolicText(row.word, row.address, DecodeInstruction(row.word), facts, *processor),
              row.text);
  }
}

TEST(SymbolicPrinter, PlacesDataEepromWordsWhereGpasmCountsThem) {
  const struct {
    const char* processor;
    int address, org;
  } rows[] = {{"16F876", 0x0800, 0x0800}, {"16F876", 0x2007, 0x2007}, {"16F876", 0x2100, 0x2100},
              {"16F876", 0x2108, 0x2110}, {"16F876", 0x217F, 0x21FE}, {"16F873", 0x213F, 0x217E},
              {"16F873", 0x2180, 0x2180}, {"16F874A", 0x21FF, 0x21FF}};
  for (const auto& row : rows) {
    const Processor& processor = *FindProcessor(row.processor);
    EXPECT_EQ(SymbolicOrgAddress(row.address, processor), row.org) << row.address;
    EXPECT_EQ(SymbolicOrgWarning(row.address, processor), "") << row.address;
  }
  EXPECT_NE(SymbolicOrgWarning(0x2180, DefaultProcessor()), "");
  EXPECT_NE(SymbolicOrgWarning(0x21FF, DefaultProcessor()), "");
  EXPECT_NE(SymbolicOrgWarning(0x2140, *FindProcessor("16F873")), "");
}

}  // namespace
}  // namespace tessarin
