#include "decode/decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tessarin {
namespace {

struct Row {
  std::string word;
  std::string line;  // \t for the TAB
  int16_t address = 0;
};

void ExpectLines(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SharedState state;
    state.CurrentAddress = row.address;
    state.PassNumber = 2;
    EXPECT_EQ(DecodeWord(row.word, state), row.line) << "word \"" << row.word << "\"";
  }
}

TEST(DecodeWord, ControlAndDataWords) {
  ExpectLines({
      // clang-format off
      {"0000", "NOP"},        {"0008", "RETURN"},     {"0009", "RETFIE"},
      {"0062", "OPTION"},     {"0063", "SLEEP"},      {"0064", "CLRWDT"},
      {"0065", "TRIS\t0x05"}, {"0067", "TRIS\t0x07"},

      {"0001", "DATA\t0x01"}, {"0020", "DATA\t0x20"}, {"0040", "DATA\t0x40"},
      {"0060", "DATA\t0x60"}, {"0061", "DATA\t0x61"}, {"0068", "DATA\t0x68"},
      {"007F", "DATA\t0x7F"}, {"000a", "DATA\t0x0a"},
      // clang-format on
  });
}

TEST(DecodeWord, ByteOrientedWords) {
  ExpectLines({
      // clang-format off
      {"0083", "MOVWF\t0x03"},    {"00FF", "MOVWF\t0x7F"},
      {"0103", "CLRW"},           {"0183", "CLRF\t0x03"},
      {"0203", "SUBWF\t0x03,0"},  {"0703", "ADDWF\t0x03,0"},
      {"0783", "ADDWF\t0x03,1"},  {"08FF", "MOVF\t0x7F,1"},
      {"0B8C", "DECFSZ\t0x0C,1"}, {"0F20", "INCFSZ\t0x20,0"},
      // Register names are for bit instructions only.
      {"0E83", "SWAPF\t0x03,1"},
      // clang-format on
  });
}

TEST(DecodeWord, BitOrientedWords) {
  const std::string unknown = "   ; *** ";
  ExpectLines({
      // clang-format off
      {"1683", "BSF\tSTATUS,RP0"}, {"1283", "BCF\tSTATUS,RP0"},
      {"1183", "BCF\tSTATUS,NOT_PD"}, {"1003", "BCF\tSTATUS,C"},
      {"1B83", "BTFSC\tSTATUS,IRP"},  {"1D03", "BTFSS\tSTATUS,Z"},
      {"1C0B", "BTFSS\tINTCON,0"},    {"1886", "BTFSC\tPORTB,1"},
      {"1F9F", "BTFSS\tADCON0,7"},    {"148A", "BSF\tPCLATH,1"},

      {"1420", "BSF\t0x020,0" + unknown + "020: Registre inconnu !"},
      {"1408", "BSF\t0x008,0" + unknown + "008: Registre inconnu !"},
      {"15A0", "BSF\t0x020,3" + unknown + "020: Registre inconnu !"},
      {"13FF", "BCF\t0x07F,7" + unknown + "07F: Registre inconnu !"},
      // A lower-case register digit is copied into the key and names nothing.
      {"100a", "BCF\t0x00a,0" + unknown + "00a: Registre inconnu !"},
      // clang-format on
  });
}

TEST(DecodeWord, BranchLabelsTakeThePageOfTheWord) {
  ExpectLines({
      // clang-format off
      {"2805", "GOTO\tW0005", 0x0010},  {"2805", "GOTO\tX0805", 0x0810},
      {"2123", "CALL\tY1123", 0x1000},  {"2FFF", "GOTO\tZ1FFF", 0x1FFF},
      {"2805", "GOTO\tZ1805", 0x2007},  {"27FF", "CALL\tW07FF", 0x07FF},
      {"2000", "CALL\tX0800", 0x0800},  {"2000", "CALL\tY1000", 0x17FF},
      {"2000", "CALL\tZ1800", 0x1800},  {"2ABC", "GOTO\tW02BC", -1},
      {"2ABC", "GOTO\tZ1ABC", 32767},
      // Lower-case digits are copied as they stand in page 0 and count as
      // digits when an offset is added.
      {"21bc", "CALL\tW01bc", 0},       {"21bc", "CALL\tX09BC", 0x800},
      {"2abc", "DW\t0x2abc", 0},
      // clang-format on
  });
}

TEST(DecodeWord, LiteralWords) {
  ExpectLines({
      {"3041", "MOVLW\t0x41"},
      {"3441", "RETLW\t0x41"},
      {"3841", "IORLW\t0x41"},
      {"3941", "ANDLW\t0x41"},
      {"3A41", "XORLW\t0x41"},
      {"3C10", "SUBLW\t0x10"},
      {"3DFF", "SUBLW\t0xFF"},
      {"3FFF", "ADDLW\t0xFF"},
      {"3B10", "DW\t0x3B10"},
  });
}

TEST(DecodeWord, MalformedTextBecomesDataWithoutReadingPastIt) {
  ExpectLines({
      // clang-format off
      {"4000", "DW\t0x4000"}, {"FFFF", "DW\t0xFFFF"}, {"3a10", "DW\t0x3a10"},
      {"    ", "DW\t0x    "}, {"", "DW\t0x"},       {"0", "DW\t0x0"},
      {"00", "DATA\t0x"},     {"006", "DATA\t0x6"},   {"2", "DW\t0x2"},
      {"1:83", "DW\t0x1:83"}, {"0:00", "DW\t0x0:00"}, {"3@41", "DW\t0x3@41"},
      {std::string("\0\0\0\0", 4), std::string("DW\t0x\0\0\0\0", 9)},
      {"\xFF\x80\xE9\x01", "DW\t0x\xFF\x80\xE9\x01"},
      // Only the first four characters are a word.
      {"0000XYZ", "NOP"}, {"4000XYZ", "DW\t0x4000"},
      // A third character that is not an upper-case digit leaves the
      // byte-oriented operand "None", and that line stands.
      {"02 1", "SUBWF\tNone"}, {"0Fz0", "INCFSZ\tNone"},
      // v() counts any other character as 0.
      {"01 3", "CLRW"}, {"01a3", "CLRF\t0x23"},
      // Short words still give a complete line.
      {"168", "BSF\tINDF,5"},
      {"280", "GOTO\tW0000"}, {"28", "GOTO\tW0000"},
      // clang-format on
  });
}

TEST(DecodeWord, ShortRegisterKeysArePadded) {
  // "16" has no c3 or c4: bit 4, and the key is the digit 0 padded to "000".
  SharedState state;
  EXPECT_EQ(DecodeWord("16", state), "BSF\tINDF,4");
}

TEST(DecodeWord, FirstSweepCollectsTargetsOnly) {
  SharedState state;
  state.PassNumber = 1;
  state.CurrentAddress = 0x0810;
  for (const char* word : {"2805", "2123", "2805", "3041", "1683"}) DecodeWord(word, state);
  EXPECT_EQ(state.List2.Items(), (std::vector<std::string>{"X0805", "X0805", "X0923"}));

  state.PassNumber = 2;
  DecodeWord("2805", state);
  EXPECT_EQ(state.List2.Count(), 3);
}

TEST(DecodeWord, NameWarningLivesForOneWord) {
  SharedState state;
  DecodeWord("1420", state);
  EXPECT_EQ(state.NameWarning, "*** 020: Registre inconnu !");
  DecodeWord("0000", state);
  EXPECT_EQ(state.NameWarning, "");
}

TEST(FormatFileOperand, DestinationAndNone) {
  EXPECT_EQ(FormatFileOperand("03"), "0x03,0");
  EXPECT_EQ(FormatFileOperand("7F"), "0x7F,0");
  EXPECT_EQ(FormatFileOperand("83"), "0x03,1");
  EXPECT_EQ(FormatFileOperand("FF"), "0x7F,1");
  EXPECT_EQ(FormatFileOperand("f3"), "None");
  EXPECT_EQ(FormatFileOperand(""), "None");
  EXPECT_EQ(FormatFileOperand("8"), "0x0,1");
}

// The mnemonic each range of 14-bit words must decode to, written as numbers
// so that it checks the decoder's character tests from the other side.
struct Range {
  int first, last;
  const char* mnemonic;  // nullptr: a data word
};
constexpr Range kRanges[] = {
    // clang-format off
    {0x0000, 0x0000, "NOP"},    {0x0001, 0x0007, nullptr},  {0x0008, 0x0008, "RETURN"},
    {0x0009, 0x0009, "RETFIE"}, {0x000A, 0x0061, nullptr},  {0x0062, 0x0062, "OPTION"},
    {0x0063, 0x0063, "SLEEP"},  {0x0064, 0x0064, "CLRWDT"}, {0x0065, 0x0067, "TRIS"},
    {0x0068, 0x007F, nullptr},  {0x0080, 0x00FF, "MOVWF"},  {0x0100, 0x017F, "CLRW"},
    {0x0180, 0x01FF, "CLRF"},   {0x0200, 0x02FF, "SUBWF"},  {0x0300, 0x03FF, "DECF"},
    {0x0400, 0x04FF, "IORWF"},  {0x0500, 0x05FF, "ANDWF"},  {0x0600, 0x06FF, "XORWF"},
    {0x0700, 0x07FF, "ADDWF"},  {0x0800, 0x08FF, "MOVF"},   {0x0900, 0x09FF, "COMF"},
    {0x0A00, 0x0AFF, "INCF"},   {0x0B00, 0x0BFF, "DECFSZ"}, {0x0C00, 0x0CFF, "RRF"},
    {0x0D00, 0x0DFF, "RLF"},    {0x0E00, 0x0EFF, "SWAPF"},  {0x0F00, 0x0FFF, "INCFSZ"},
    {0x1000, 0x13FF, "BCF"},    {0x1400, 0x17FF, "BSF"},    {0x1800, 0x1BFF, "BTFSC"},
    {0x1C00, 0x1FFF, "BTFSS"},  {0x2000, 0x27FF, "CALL"},   {0x2800, 0x2FFF, "GOTO"},
    {0x3000, 0x33FF, "MOVLW"},  {0x3400, 0x37FF, "RETLW"},  {0x3800, 0x38FF, "IORLW"},
    {0x3900, 0x39FF, "ANDLW"},  {0x3A00, 0x3AFF, "XORLW"},  {0x3B00, 0x3BFF, nullptr},
    {0x3C00, 0x3DFF, "SUBLW"},  {0x3E00, 0x3FFF, "ADDLW"},
    // clang-format on
};

const char* ExpectedMnemonic(int value) {
  for (const Range& range : kRanges) {
    if (value >= range.first && value <= range.last) return range.mnemonic;
  }
  return nullptr;
}

TEST(DecodeWord, EveryUpperCaseWord) {
  const int16_t addresses[] = {0x0000, 0x0123, 0x07FF, 0x0800, 0x0FFF,
                               0x1000, 0x17FF, 0x1800, 0x2007, -5};
  SharedState state;
  state.PassNumber = 1;
  for (int value = 0; value <= 0xFFFF; ++value) {
    char word[5];
    std::snprintf(word, sizeof word, "%04X", value);
    const int16_t address = addresses[static_cast<size_t>(value) % std::size(addresses)];
    state.CurrentAddress = address;
    const int labels_before = state.List2.Count();
    const std::string line = DecodeWord(word, state);
    SCOPED_TRACE(word);

    ASSERT_EQ(std::count(line.begin(), line.end(), '\n'), 0);
    ASSERT_LE(std::count(line.begin(), line.end(), '\t'), 1);
    ASSERT_FALSE(line.empty());
    ASSERT_NE(line.front(), ' ');
    ASSERT_NE(line.back(), ' ');

    const std::string mnemonic = line.substr(0, line.find('\t'));
    const char* expected = ExpectedMnemonic(value);
    if (expected == nullptr) {
      const bool data = value <= 0xFF;
      ASSERT_EQ(line, (data ? "DATA\t0x" + std::string(word + 2) : "DW\t0x" + std::string(word)));
      continue;
    }
    ASSERT_EQ(mnemonic, expected);

    const bool branch = value >= 0x2000 && value <= 0x2FFF;
    ASSERT_EQ(state.List2.Count(), labels_before + (branch ? 1 : 0));
    if (branch) {
      // The label is the absolute target, lettered by the word's own page.
      const int page = address > 0x17FF ? 3 : address >= 0x1000 ? 2 : address >= 0x0800 ? 1 : 0;
      const int target = page * 0x800 + (value & 0x7FF);
      char label[6];
      std::snprintf(label, sizeof label, "%c%04X", "WXYZ"[page], target);
      ASSERT_EQ(line, mnemonic + "\t" + label);
      // A word of upper-case digits always names its target by its own label.
      const std::optional<ClassicLabel> found = FindClassicLabel(word, address);
      ASSERT_TRUE(found.has_value());
      ASSERT_EQ(found->Name(), label);
      ASSERT_EQ(found->address, target);
      ASSERT_EQ(ClassicTargetLabel(target), found->name);
    }
  }
}

TEST(CollectBranchTarget, AddsWhatTheFirstSweepDecodeAdds) {
  const int16_t addresses[] = {0x0000, 0x0800, 0x1000, 0x1800, 0x2100};
  SharedState decoded;
  SharedState collected;
  decoded.PassNumber = collected.PassNumber = 1;
  for (int value = 0; value <= 0xFFFF; value += 3) {
    char word[5];
    std::snprintf(word, sizeof word, value % 2 ? "%04X" : "%04x", value);
    decoded.CurrentAddress = collected.CurrentAddress =
        addresses[static_cast<size_t>(value) % std::size(addresses)];
    DecodeWord(word, decoded);
    CollectBranchTarget(word, collected);
  }
  ASSERT_GT(decoded.List2.Count(), 0);
  EXPECT_EQ(collected.List2.Items(), decoded.List2.Items());
  // Lower-case digits on the first page are no address's own label.
  EXPECT_EQ(FindClassicLabel("28ab", 0x0010)->address, std::nullopt);
  EXPECT_EQ(FindClassicLabel("28ab", 0x0810)->address, 0x08AB);

  collected.PassNumber = 2;
  CollectBranchTarget("2805", collected);
  EXPECT_EQ(collected.List2.Count(), decoded.List2.Count());
}

TEST(DecodeWord, ArbitraryBytesNeverBreakTheLineShape) {
  // Every byte in every position, one position at a time, around a few
  // representative instructions.
  const std::string bases[] = {"1683", "2805", "0783", "3041", "0065"};
  SharedState state;
  state.PassNumber = 1;
  for (const std::string& base : bases) {
    for (int position = 0; position < 4; ++position) {
      for (int byte = 0; byte < 256; ++byte) {
        std::string word = base;
        word[static_cast<size_t>(position)] = static_cast<char>(byte);
        const std::string line = DecodeWord(word, state);
        ASSERT_FALSE(line.empty());
        // Characters of the word are copied as they stand, a TAB included.
        if (byte != '\t') {
          ASSERT_LE(std::count(line.begin(), line.end(), '\t'), 1);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tessarin
