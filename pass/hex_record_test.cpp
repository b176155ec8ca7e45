#include "pass/hex_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass/line_store.h"

namespace tessarin {
namespace {

std::string Stored(std::string_view line) {
  SharedState state;
  EXPECT_TRUE(StoreLine(state, 0, line).ok());
  return std::string(*ReadSlot(state, 0));
}

TEST(ReadHexField, BlanksSkippedStopsAtOtherCharacters) {
  const std::pair<const char*, unsigned> cases[] = {
      // clang-format off
      {"10", 16},  {"ff", 255},     {"Ff", 255},   {" 1", 1},      {"1 ", 1},
      {"", 0},     {"G1", 0},       {"1G", 1},     {"FFFF", 65535}, {"0 0 1", 1},
      {":1", 0},   {"\xFF" "1", 0}, {"  ", 0},     {"400E", 0x400E},
      // clang-format on
  };
  for (const auto& [field, value] : cases) EXPECT_EQ(ReadHexField(field), value) << field;
}

TEST(HexRecord, WordsComeHighByteFirst) {
  const std::string record = Stored(":100000002828A001830100000000000000000000D4");
  EXPECT_EQ(RecordByteCount(record), 16);
  EXPECT_EQ(RecordWordAddress(record), 0);
  EXPECT_FALSE(IsEndRecord(record));
  ASSERT_EQ(RecordWordCount(record), 8);
  EXPECT_EQ(RecordWord(record, 0).View(), "2828");
  EXPECT_EQ(RecordWord(record, 1).View(), "01A0");
  EXPECT_EQ(RecordWord(record, 2).View(), "0183");
}

TEST(HexRecord, WordAddressIsHalfTheByteAddressTiesToEven) {
  const std::pair<const char*, int> cases[] = {
      // clang-format off
      {":0008000000", 0x0400}, {":00400E0000", 0x2007}, {":0000010000", 0},
      {":0000030000", 2},      {":0000050000", 2},      {":00FFFE0000", 32767},
      {":00fffd0000", 32766},  {":00 1 00000", 0x08},   {":00zz000000", 0},
      {":00FFFF0000", 0x8000},
      // clang-format on
  };
  for (const auto& [line, address] : cases) {
    EXPECT_EQ(RecordWordAddress(Stored(line)), address) << line;
  }
  // Past 64K bytes, with the upper address of INHX32: the enhanced core's words.
  EXPECT_EQ(RecordWordAddress(Stored(":02000E00"), 0x10000), 0x8007);
  EXPECT_EQ(RecordWordAddress(Stored(":00FFFE0000"), 0x10000), 0xFFFF);
  EXPECT_FALSE(RecordWordAddress(Stored(":00FFFF0000"), 0x10000).has_value());
}

TEST(HexRecord, RecordTypes) {
  EXPECT_TRUE(IsEndRecord(Stored(":00000001FF")));
  EXPECT_TRUE(IsEndRecord(Stored(":0000001100")));  // any type ending in 1
  EXPECT_FALSE(IsEndRecord(Stored(":020000040000FA")));
  for (const char* type : {"02", "03", "04", "05"}) {
    EXPECT_TRUE(IsAddressRecord(Stored(std::string(":020000") + type))) << type;
  }
  EXPECT_FALSE(IsAddressRecord(Stored(":02000006")));
  EXPECT_FALSE(IsAddressRecord(Stored(":02000000")));
  EXPECT_EQ(RecordWordCount(Stored(":00000001FF")), 0);
}

TEST(HexRecord, OddAndShortRecords) {
  const std::string three = Stored(":03000000112233FF");
  ASSERT_EQ(RecordWordCount(three), 1);
  EXPECT_EQ(RecordWord(three, 0).View(), "2211");
  EXPECT_EQ(RecordWordCount(Stored(":01000000AA55")), 0);
  // Lower-case data is handed on as it stands.
  EXPECT_EQ(RecordWord(Stored(":02000000ab3f00"), 0).View(), "3fab");
  // A record shorter than its byte count says gives blank words.
  EXPECT_EQ(RecordWord(Stored(":10000000"), 3).View(), "    ");
}

TEST(HexRecord, LongRecordsLoseTheirTail) {
  // 124 data bytes need 258 characters: the last word is cut by the store.
  std::string line = ":7C000000";
  for (int k = 0; k < 62; ++k) line += "3412";
  line += "00";
  const std::string record = Stored(line);
  ASSERT_EQ(RecordWordCount(record), 62);
  EXPECT_EQ(RecordWord(record, 60).View(), "1234");
  EXPECT_EQ(RecordWord(record, 61).View(), "34");  // the low byte only, at 254-255
  EXPECT_EQ(RecordWord(record, 62).View(), "");
}

}  // namespace
}  // namespace tessarin
