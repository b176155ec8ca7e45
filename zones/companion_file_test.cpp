#include "zones/companion_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/temp_folder.h"
#include "ui/file_io.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

class CompanionFileTest : public ::testing::Test {
 protected:
  void WriteDat(std::string_view bytes) {
    ASSERT_TRUE(WriteFileAtomically(folder_ / "PROG.dat", bytes).ok());
  }

  testing::TempFolder temp_;
  const fs::path folder_ = temp_.path();
  SharedState state_;
};

TEST_F(CompanionFileTest, RoundTripOfTheExampleZones) {
  EnterZone(state_, "0100 0120");
  EnterZone(state_, "0001 00F2");
  ASSERT_TRUE(SaveZoneFile(state_, folder_, "PROG.HEX").ok());
  EXPECT_EQ(ReadFileBytes(folder_ / "PROG.dat"), "0001 00F2\r\n0100 0120\r\n");
  EXPECT_EQ(fs::file_size(folder_ / "PROG.dat"), 22u);

  SharedState loaded;
  LoadZoneFile(loaded, folder_, "PROG.HEX");
  EXPECT_EQ(loaded.List4.Items(), state_.List4.Items());
}

TEST_F(CompanionFileTest, FieldSplitting) {
  struct Row {
    std::string file;
    Items zones;
  };
  const std::vector<Row> rows = {
      // Line ends of every kind; the file's order does not matter.
      {"0100 0120\r\n0001 00F2\r\n", {"0001 00F2", "0100 0120"}},
      {"0100 0120\n0001 00F2", {"0001 00F2", "0100 0120"}},
      {"0100 0120\r0001 00F2\r", {"0001 00F2", "0100 0120"}},
      {"0001 0002\n\r0003 0004\r\r\n\n0005 0006", {"0001 0002", "0003 0004", "0005 0006"}},

      // clang-format off
      // Commas split; empty fields and blank lines are skipped.
      {"0001,00F2\r\n", {"0001", "00F2"}},
      {",,0001 0002,\r\n\r\n   \r\n , ,\r\n", {"0001 0002"}},

      // Blanks before and after go, blanks inside stay; a TAB is kept.
      {"   0001 00F2  \r\n", {"0001 00F2"}},
      {"\" 0001 00F2 \",  \r\n", {"0001 00F2"}},
      {"\t0001 00F2\r\n", {"\t0001 00F2"}},

      // Quoted fields run to the next quote, commas and line ends included;
      // what follows the closing quote in the field is dropped.
      {"  \"0001,00F2\"\r\n", {"0001,00F2"}},
      {"\"0001\r\n0002\",0003", {"0001\r\n0002", "0003"}},
      {"\"0001 0002\"xyz,0003 0004", {"0001 0002", "0003 0004"}},
      {"\"\",\"\"\r\n", {}},
      {"\"0001 0002", {"0001 0002"}},  // no closing quote
      {"00\"01 0002\"", {"00\"01 0002\""}},  // a quote inside a field is kept

      // Bytes of Windows-1252 pass unchanged; nothing is upper-cased.
      {"0001 00f2 \xE9t\xE9\r\n", {"0001 00f2 \xE9t\xE9"}},

      {"", {}},
      // clang-format on
  };
  for (const Row& row : rows) {
    WriteDat(row.file);
    LoadZoneFile(state_, folder_, "PROG.HEX");
    EXPECT_EQ(state_.List4.Items(), row.zones) << ::testing::PrintToString(row.file);
  }
}

TEST_F(CompanionFileTest, LoadEmptiesTheListFirst) {
  EnterZone(state_, "0001 0002");
  LoadZoneFile(state_, folder_, "NONE.HEX");  // no NONE.dat
  EXPECT_EQ(state_.List4.Count(), 0);

  EnterZone(state_, "0001 0002");
  WriteDat("0003 0004\r\n");
  LoadZoneFile(state_, folder_, "PROG.HEX");
  EXPECT_EQ(state_.List4.Items(), Items{"0003 0004"});

  LoadZoneFile(state_, folder_, "HEX");  // no name can be formed
  EXPECT_EQ(state_.List4.Count(), 0);

  // A pipe of that name is not opened: opening it would wait for a writer.
  EnterZone(state_, "0001 0002");
  ASSERT_EQ(::mkfifo((folder_ / "PIPE.dat").c_str(), 0600), 0);
  LoadZoneFile(state_, folder_, "PIPE.HEX");
  EXPECT_EQ(state_.List4.Count(), 0);
}

TEST_F(CompanionFileTest, SaveWritesEveryEntryAsItStands) {
  // Entries are written as they stand, even ones that zone entry refuses.
  // On the way back the empty field vanishes, the leading blanks are lost
  // and the comma splits.
  state_.List4.Add("");
  state_.List4.Add("  0010 0020");
  state_.List4.Add("0001,00F2");
  ASSERT_TRUE(SaveZoneFile(state_, folder_, "NEW.asm").ok());
  EXPECT_EQ(ReadFileBytes(folder_ / "NEW.dat"), "\r\n  0010 0020\r\n0001,00F2\r\n");

  SharedState loaded;
  LoadZoneFile(loaded, folder_, "NEW.asm");
  EXPECT_EQ(loaded.List4.Items(), (Items{"0001", "0010 0020", "00F2"}));

  // An empty list gives an empty file, replacing the old one.
  ASSERT_TRUE(SaveZoneFile(SharedState(), folder_, "NEW.asm").ok());
  EXPECT_EQ(ReadFileBytes(folder_ / "NEW.dat"), "");
}

TEST_F(CompanionFileTest, SaveFailures) {
  EnterZone(state_, "0001 00F2");
  // No title, no file to name: nothing written, no failure.
  EXPECT_TRUE(SaveZoneFile(state_, folder_, "").ok());
  EXPECT_TRUE(fs::is_empty(folder_));

  // A folder that does not exist.
  Status status = SaveZoneFile(state_, folder_ / "missing", "PROG.HEX");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "No such file or directory");
}

}  // namespace
}  // namespace tessarin
