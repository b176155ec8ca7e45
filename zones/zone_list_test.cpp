#include "zones/zone_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessarin {
namespace {

using Items = std::vector<std::string>;

TEST(EnterZone, UpperCasesWindows1252Letters) {
  struct Row {
    std::string typed;
    std::string stored;
  };
  const std::vector<Row> rows = {
      {"0001 00f2", "0001 00F2"},
      {"abcxyz", "ABCXYZ"},
      {"0001-00F2", "0001-00F2"},  // not validated
      {"  0010 0020 ", "0010 0020"},

      // à-þ go down by 0x20; ÷ has no capital.
      {"\xE0\xE9\xFE", "\xC0\xC9\xDE"},
      {"\xF7", "\xF7"},
      // š œ ž ÿ have their capitals elsewhere.
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
      // Capitals, digits, signs and the other high bytes stay.
      {"\xC0\xDF\x80\x9F\xB5\xD7", "\xC0\xDF\x80\x9F\xB5\xD7"},
  };
  for (const Row& row : rows) {
    SharedState state;
    EnterZone(state, row.typed);
    EXPECT_EQ(state.List4.Items(), Items{row.stored}) << row.typed;
  }
}

TEST(EnterZone, InsertsAtTheSortedPlace) {
  SharedState state;
  EnterZone(state, "0100 0120");
  EnterZone(state, "0001 00f2");
  EnterZone(state, "0100 0120");
  EXPECT_EQ(state.List4.Items(), (Items{"0001 00F2", "0100 0120", "0100 0120"}));
}

TEST(EnterZone, EmptyOrBlankTextIsNotInserted) {
  SharedState state;
  EnterZone(state, "0001 00F2");
  for (const char* typed : {"", " ", "     "}) EnterZone(state, typed);
  EXPECT_EQ(state.List4.Items(), Items{"0001 00F2"});
  // A TAB is no blank: such a text is kept like any other.
  EnterZone(state, "\t");
  EXPECT_EQ(state.List4.Count(), 2);
}

TEST(RemoveSelectedZone, RemovesOnlyTheSelectedEntry) {
  SharedState state;
  for (const char* zone : {"0001 0002", "0010 0020", "0100 0200"}) EnterZone(state, zone);
  RemoveSelectedZone(state);  // nothing selected
  EXPECT_EQ(state.List4.Count(), 3);

  state.List4.Select(1);
  RemoveSelectedZone(state);
  EXPECT_EQ(state.List4.Items(), (Items{"0001 0002", "0100 0200"}));
  EXPECT_EQ(state.List4.SelectedIndex(), -1);
  RemoveSelectedZone(state);
  EXPECT_EQ(state.List4.Count(), 2);

  SharedState empty;
  RemoveSelectedZone(empty);
  EXPECT_EQ(empty.List4.Count(), 0);
}

TEST(CompanionFileName, TakesTheBaseName) {
  struct Row {
    std::string title;
    std::optional<std::string> name;
  };
  const std::vector<Row> rows = {
      {"PROG.HEX", "PROG.dat"},   {"prog.ihex", "prog.dat"}, {"NEW.asm", "NEW.dat"},
      {"PROGRAM", "PROGRAM.dat"}, {"", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(CompanionFileName(row.title), row.name) << row.title;
}

}  // namespace
}  // namespace tessarin
