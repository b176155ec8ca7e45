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

// Parts of the enhanced core, for the instructions: no register named. The
// core's 15-bit counter reaches 32K words, more than any part has yet.
constexpr Processor kEnhancedParts[] = {
    {"16F1827", "p16f1827.inc", 4096, 256, {}, {}, {}, Core::kEnhanced},
    {"32K", "p16f1827.inc", 0x8000, 0, {}, {}, {}, Core::kEnhanced},
};

const Processor* Named(const char* name) {
  if (const Processor* processor = FindProcessor(name)) return processor;
  for (const Processor& processor : kEnhancedParts) {
    if (processor.name == name) return &processor;
  }
  return nullptr;
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
