#include "files/commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "files/source_writer.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "testing/temp_folder.h"
#include "testing/worked_example.h"
#include "ui/file_io.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInvalid = "Nom de fichier invalide !";
const std::string kProgram(testing::kWorkedExampleHex);

// The question before replacing the files `names` ("a.asm", "a.asm et
// a.dat"); none for no name.
std::vector<std::string> Questions(const std::string& names) {
  if (names.empty()) return {};
  if (names.find(" et ") == std::string::npos) {
    return {"Le fichier " + names +
            " existe déjà et n'a pas été créé par Tessarin. Le remplacer ?"};
  }
  return {"Les fichiers " + names +
          " existent déjà et n'ont pas été créés par Tessarin. Les remplacer ?"};
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_ / "hex");
    fs::create_directories(folder_ / "other");
  }

  fs::path Write(const std::string& name, const std::string& bytes) {
    fs::path path = folder_ / "hex" / name;
    EXPECT_TRUE(WriteFileAtomically(path, bytes).ok());
    return path;
  }

  void Open(const fs::path& path) {
    dialog_.WillChoose(path.string());
    OpenCommand(state_, toolkit_);
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : message_box_.shown) {
      EXPECT_EQ(shown.title, "Tessarin");
      texts.push_back(shown.text);
    }
    return texts;
  }

  testing::TempFolder temp_;
  const fs::path folder_ = temp_.path();
  SharedState state_;
  testing::RecordingMessageBox message_box_;
  testing::CountingYield yield_;
  testing::FixedClock clock_;
  testing::ScriptedFileDialog dialog_;
  testing::ScriptedProcessorChoice processor_choice_;
  NoPartMemory parts_;
  Toolkit toolkit_{message_box_, yield_, clock_, dialog_, processor_choice_, parts_};
};

TEST_F(CommandsTest, OpenReadsTheFileAndRunsThePass) {
  Open(Write("PROG.HEX", kProgram));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(state_.Caption, "Tessarin [PROG.HEX]");
  EXPECT_EQ(state_.HexLineCount, 1);
  EXPECT_EQ(state_.CommonDialog1.FileTitle, "PROG.HEX");
  EXPECT_EQ(state_.CommonDialog1.FileName, (folder_ / "hex" / "PROG.HEX").string());
  EXPECT_EQ(state_.WorkingFolder, folder_ / "hex");
  ASSERT_EQ(state_.List1.Count(), 10);
  EXPECT_EQ(state_.List1.Item(7), "0002  2802  (.  W0002\tGOTO\tW0002");
  EXPECT_EQ(state_.List3.Items(), std::vector<std::string>{"W0002"});
}

TEST_F(CommandsTest, OpenLoadsTheZonesOfThatFileOnly) {
  Write("PROG.dat", "0100 0120\r\n\r\n0001 00F2\r\n");
  Open(Write("PROG.HEX", kProgram));
  EXPECT_EQ(state_.List4.Items(), (std::vector<std::string>{"0001 00F2", "0100 0120"}));
  // Another file without a companion file leaves no zone behind.
  Open(Write("other.hex", kProgram));
  EXPECT_EQ(state_.List4.Count(), 0);
  // Whatever the extension, the base name names the companion file.
  Write("P.dat", "0002 0003\n");
  Open(Write("P.ihex", kProgram));
  EXPECT_EQ(state_.List4.Items(), std::vector<std::string>{"0002 0003"});

  // A file too long for the store loads no zones and leaves those loaded.
  std::string text;
  for (int i = 0; i < 10002; ++i) text += ":00000001FF\n";
  Write("big.dat", "0001 0002\n");
  Open(Write("big.hex", text));
  EXPECT_EQ(state_.List4.Items(), std::vector<std::string>{"0002 0003"});
}

TEST_F(CommandsTest, LineEndingsDoNotMatter) {
  Open(Write("crlf.hex", kProgram));
  const std::vector<std::string> expected = state_.List1.Items();
  for (const std::string& text : {std::string(":080000000B1C053002280800B2\n:00000001FF"),
                                  std::string(":080000000B1C053002280800B2\r:00000001FF\r")}) {
    Open(Write("other.hex", text));
    EXPECT_EQ(state_.List1.Items(), expected);
    EXPECT_EQ(state_.HexLineCount, 1);
  }
}

TEST_F(CommandsTest, DialogOptionsApplyFromTheSecondShowing) {
  dialog_.WillCancel();
  OpenCommand(state_, toolkit_);
  Open(Write("a.hex", kProgram));
  ASSERT_EQ(dialog_.showings.size(), 2u);
  EXPECT_FALSE(dialog_.showings[0].must_exist);
  EXPECT_TRUE(dialog_.showings[1].must_exist);
  EXPECT_EQ(state_.CommonDialog1.Flags, 0x100C);
  EXPECT_TRUE(state_.CommonDialog1.CancelError);
  // The next dialog starts in the folder of the HEX file.
  dialog_.WillCancel();
  OpenCommand(state_, toolkit_);
  EXPECT_EQ(dialog_.showings[2].folder_or_proposal, (folder_ / "hex").string());
}

TEST_F(CommandsTest, CancelledOrFailedOpenKeepsTheLoadedFile) {
  dialog_.WillCancel();
  OpenCommand(state_, toolkit_);
  EXPECT_EQ(Messages(), std::vector<std::string>{kInvalid});
  EXPECT_EQ(state_.Caption, "Tessarin");

  Open(Write("PROG.HEX", kProgram));
  const std::vector<std::string> listing = state_.List1.Items();

  dialog_.WillCancel();
  OpenCommand(state_, toolkit_);
  dialog_.WillFail();
  OpenCommand(state_, toolkit_);
  Open(folder_ / "hex" / "missing.hex");
  Open(folder_ / "hex");  // a folder, not a file
  EXPECT_EQ(Messages(), std::vector<std::string>(5, kInvalid));

  EXPECT_EQ(state_.Caption, "Tessarin [PROG.HEX]");
  EXPECT_EQ(state_.CommonDialog1.FileTitle, "PROG.HEX");
  EXPECT_EQ(state_.List1.Items(), listing);
  // The line store is still there: re-assembling gives the same listing.
  ReassembleCommand(state_, toolkit_);
  EXPECT_EQ(state_.List1.Items(), listing);
}

// An open is all or nothing: after a failure everything still belongs to
// the file loaded before, and a save writes its listing and its zones back
// under its own names, leaving the failed file's companion file alone.
TEST_F(CommandsTest, FailedOpenKeepsEverythingOfTheLoadedFile) {
  std::string too_long;
  for (int i = 0; i < 10002; ++i) too_long += ":00000001FF\n";
  const std::string failed = "Fichier HEX incorrect : désassemblage interrompu ! (ligne ";
  const std::vector<std::pair<std::string, std::string>> rows = {
      {too_long, failed + "10002 : plus de 10 001 lignes)"},
      {testing::Record(0xFFFF, 0, {0, 0}), failed + "1 : adresse hors de la puce)"},
      {testing::WordRecord(0x7FFF, {0}), failed + "1 : adresse hors de la puce)"},
  };
  const auto kept = [](const SharedState& s) {
    return std::tuple(s.HexLines, s.HexLineCount, s.List1.Items(), s.List2.Items(), s.List3.Items(),
                      s.List4.Items(), s.Caption, s.CommonDialog1.FileName, s.WorkingFolder);
  };
  const std::string zones = "0000 0001\r\n0010 0020\r\n";
  Write("PROG.dat", zones);
  Open(Write("PROG.HEX", kProgram));
  const SharedState before = state_;
  for (const auto& [text, message] : rows) {
    Write("bad.dat", "0005 0006\r\n");
    message_box_.shown.clear();
    Open(Write("bad.hex", text));
    EXPECT_EQ(Messages(), std::vector<std::string>{message});
    EXPECT_TRUE(kept(state_) == kept(before));

    SaveCommand(state_, toolkit_);
    EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "PROG.asm"), GeneratedSource(before.List1));
    EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "PROG.dat"), zones);
    EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "bad.dat"), "0005 0006\r\n");
  }
}

TEST_F(CommandsTest, SaveWritesTheDerivedNamesBesideTheHexFile) {
  Open(Write("prog.hex", kProgram));
  state_.List4.Add("0001 00F2");
  state_.List4.Add("0100 0120");
  SaveCommand(state_, toolkit_);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "prog.asm"), GeneratedSource(state_.List1));
  EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "prog.dat"), "0001 00F2\r\n0100 0120\r\n");

  // The whole extension goes, whatever its length; a name without one stays whole.
  for (const char* name : {"other.ihex", "other"}) {
    fs::remove(folder_ / "hex" / "other.asm");
    Open(Write(name, kProgram));
    SaveCommand(state_, toolkit_);
    EXPECT_TRUE(fs::exists(folder_ / "hex" / "other.asm")) << name;
    EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "other.dat"), "") << name;
  }
}

// Either save replaces the files it wrote itself without a word, and asks
// once before it replaces any other: "Non" writes nothing.
TEST_F(CommandsTest, SavesAskBeforeReplacingFilesNotTheirOwn) {
  const std::string ours = "; Generated by Tessarin  01/01/2026  10:00:00\r\n\tgarbage\r\n";
  const std::string zones = "0001 00F2\r\n\xC9t\xE9 0001,0002\n" + std::string(80, 'Z');
  const std::string hand_written = "; My program\r\n\tLIST P=16F876\r\n";
  struct Row {
    std::string asm_file;
    std::string dat_file;
    std::string asked;  // empty: no question
  };
  const std::vector<Row> rows = {
      {ours, zones, ""},
      {ours, "", ""},
      {hand_written, zones, "prog.asm"},
      {"\r\n" + ours, zones, "prog.asm"},
      {ours, std::string(81, 'Z'), "prog.dat"},
      {ours, "0001 00F2\t; data\r\n", "prog.dat"},
      {kProgram, "0001 00F2\r\n\x7F\r\n", "prog.asm et prog.dat"},
  };
  const fs::path asm_path = folder_ / "hex" / "prog.asm";
  for (bool save_as : {false, true}) {
    for (bool answer : {false, true}) {
      for (const Row& row : rows) {
        SCOPED_TRACE(row.asked + (save_as ? " (save as)" : "") + (answer ? " Oui" : " Non"));
        Open(Write("prog.hex", kProgram));
        state_.List4.Clear();
        state_.List4.Add("0010 0020");
        Write("prog.asm", row.asm_file);
        Write("prog.dat", row.dat_file);
        message_box_.shown.clear();
        message_box_.answers = {answer};
        if (save_as) dialog_.WillChoose(asm_path.string());
        save_as ? SaveAsCommand(state_, toolkit_) : SaveCommand(state_, toolkit_);

        const bool written = row.asked.empty() || answer;
        EXPECT_EQ(Messages(), Questions(row.asked));
        EXPECT_EQ(message_box_.shown.size() == 1 && message_box_.shown[0].question,
                  !row.asked.empty());
        EXPECT_EQ(ReadFileBytes(asm_path), written ? GeneratedSource(state_.List1) : row.asm_file);
        EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "prog.dat"),
                  written ? "0010 0020\r\n" : row.dat_file);
      }
    }
  }
  // The HEX file itself is never taken for a zone file.
  Open(Write("hex.dat", kProgram));
  message_box_.shown.clear();
  SaveCommand(state_, toolkit_);
  EXPECT_EQ(Messages().at(0).substr(0, 23), "Le fichier hex.dat exis");
  EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "hex.dat"), kProgram);
}

// Save-as writes the companion file of the chosen name beside the HEX file.
// One that is not the open HEX file's own is replaced unasked only when it
// is empty or holds the very zones being written.
TEST_F(CommandsTest, SaveAsAsksBeforeTakingAnotherFilesZones) {
  struct Row {
    std::string open;     // the HEX file opened
    std::string foo_asm;  // foo.asm before the save, if any
    std::string foo_dat;  // foo.dat before the save
    std::string asked;    // the files the question names
  };
  const std::vector<Row> rows = {
      {"bar.hex", "", "0001 0002\r\n", "foo.dat"},
      {"bar.hex", "", "", ""},
      {"bar.hex", "", "0020 0030,0010 0020\n", ""},
      {"foo.hex", "", "0001 0002\r\n", ""},
      {"foo.hex", "", "0001 0002\tmine\r\n", "foo.dat"},
      {"bar.hex", "; mine\r\n", "0001 0002\r\n", "foo.asm et foo.dat"},
  };
  const fs::path foo_asm = folder_ / "hex" / "foo.asm";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.open + " " + row.foo_dat);
    Write("foo.hex", kProgram);
    Write("bar.hex", kProgram);
    fs::remove(foo_asm);
    if (!row.foo_asm.empty()) Write("foo.asm", row.foo_asm);
    Write("foo.dat", row.foo_dat);
    Open(folder_ / "hex" / row.open);
    state_.List4.Clear();
    state_.List4.Add("0010 0020");
    state_.List4.Add("0020 0030");
    message_box_.shown.clear();
    message_box_.answers = {false};
    dialog_.WillChoose(foo_asm.string());
    SaveAsCommand(state_, toolkit_);
    EXPECT_EQ(Messages(), Questions(row.asked));
    EXPECT_EQ(ReadFileBytes(folder_ / "hex" / "foo.dat"),
              row.asked.empty() ? "0010 0020\r\n0020 0030\r\n" : row.foo_dat);
  }
}

TEST_F(CommandsTest, SaveBeforeAnyOpenWritesNothing) {
  SaveCommand(state_, toolkit_);
  EXPECT_EQ(Messages(), std::vector<std::string>{kInvalid});

  // Save-as as the first dialog of all fails whatever the user does in it.
  dialog_.WillChoose((folder_ / "other" / "out.asm").string());
  SaveAsCommand(state_, toolkit_);
  state_ = SharedState();
  dialog_.WillCancel();
  SaveAsCommand(state_, toolkit_);
  EXPECT_EQ(Messages(), std::vector<std::string>(3, kInvalid));
  EXPECT_TRUE(fs::is_empty(folder_ / "other"));
  EXPECT_TRUE(dialog_.showings[0].folder_or_proposal.empty());
}

TEST_F(CommandsTest, SaveAsWritesTheSourceThereAndTheZonesBesideTheHexFile) {
  Open(Write("prog.hex", kProgram));
  const fs::path chosen = folder_ / "other" / "out.asm";
  dialog_.WillChoose(chosen.string());
  SaveAsCommand(state_, toolkit_);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(dialog_.showings.back().folder_or_proposal, (folder_ / "hex" / "prog.asm").string());
  EXPECT_EQ(ReadFileBytes(chosen), GeneratedSource(state_.List1));
  EXPECT_TRUE(fs::exists(folder_ / "hex" / "out.dat"));
  EXPECT_FALSE(fs::exists(folder_ / "other" / "out.dat"));
  EXPECT_EQ(state_.CommonDialog1.FileTitle, "out.asm");
  EXPECT_EQ(state_.Caption, "Tessarin [prog.hex]");

  // A later Save uses the new name, in the HEX file's folder.
  SaveCommand(state_, toolkit_);
  EXPECT_TRUE(fs::exists(folder_ / "hex" / "out.asm"));

  // A name without extension is the base name whole.
  dialog_.WillChoose((folder_ / "other" / "result").string());
  SaveAsCommand(state_, toolkit_);
  EXPECT_TRUE(fs::exists(folder_ / "other" / "result"));
  EXPECT_TRUE(fs::exists(folder_ / "hex" / "result.dat"));
}

TEST_F(CommandsTest, SaveAsCancelIsSilentAndKeepsTheName) {
  Open(Write("prog.hex", kProgram));
  dialog_.WillCancel();
  SaveAsCommand(state_, toolkit_);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(state_.CommonDialog1.FileTitle, "prog.hex");
  EXPECT_FALSE(fs::exists(folder_ / "hex" / "prog.asm"));

  dialog_.WillFail();
  SaveAsCommand(state_, toolkit_);
  EXPECT_EQ(Messages(), std::vector<std::string>{kInvalid});
}

TEST_F(CommandsTest, WriteFailuresAreReportedAndKeepTheOldFile) {
  Open(Write("prog.hex", kProgram));
  dialog_.WillChoose((folder_ / "missing" / "out.asm").string());
  SaveAsCommand(state_, toolkit_);
  dialog_.WillChoose("/dev/full");
  SaveAsCommand(state_, toolkit_);
  const std::string missing = (folder_ / "missing" / "out.asm").string();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Erreur d'écriture du fichier " + missing + " !",
                                                  "Erreur d'écriture du fichier /dev/full !"}));
  // The companion file is not written when the source could not be.
  EXPECT_FALSE(fs::exists(folder_ / "hex" / "out.dat"));

  // An existing source that cannot be replaced stays as it was.
  Open(Write("keep.hex", kProgram));
  fs::create_directories(folder_ / "hex" / "keep.asm" / "inside");
  message_box_.shown.clear();
  SaveCommand(state_, toolkit_);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Erreur d'écriture du fichier keep.asm !"});
  EXPECT_TRUE(fs::is_directory(folder_ / "hex" / "keep.asm" / "inside"));

  // The source is written, the companion file cannot be.
  Open(Write("zones.hex", kProgram));
  fs::create_directories(folder_ / "hex" / "zones.dat" / "inside");
  message_box_.shown.clear();
  SaveCommand(state_, toolkit_);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Erreur d'écriture du fichier zones.dat !"});
  EXPECT_TRUE(fs::exists(folder_ / "hex" / "zones.asm"));
}

}  // namespace
}  // namespace tessarin
