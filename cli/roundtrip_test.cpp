// Assembles small programs with gpasm, disassembles the images with
// tessarin-cli, assembles the generated source again and checks that both
// memory images are the same, word for word: in the classic style with the
// programs' zone files or with the strong zone proposals alone, and in the
// symbolic style with no zones.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "files/hex_file.h"
#include "files/inexact_words.h"
#include "files/open_hex_file.h"
#include "files/source_writer.h"
#include "pass/hex_record.h"
#include "pass/listing_line.h"
#include "processors/processor.h"
#include "proposals/proposal_entry.h"
#include "testing/fakes.h"
#include "testing/gpasm.h"
#include "testing/hex_builder.h"
#include "ui/file_io.h"
#include "ui/text_slice.h"
#include "zones/apply_data_zones.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

using testing::Quoted;
using testing::ReadImage;
using testing::Shell;

void ExpectSameImage(const fs::path& original_hex, const fs::path& rebuilt_hex) {
  const std::map<unsigned, unsigned> original = ReadImage(original_hex);
  const std::map<unsigned, unsigned> rebuilt = ReadImage(rebuilt_hex);
  ASSERT_GT(original.size(), 20u);
  for (const auto& [address, byte] : original) {
    auto found = rebuilt.find(address);
    ASSERT_NE(found, rebuilt.end()) << "byte address 0x" << std::hex << address << " lost";
    EXPECT_EQ(found->second, byte) << "byte address 0x" << std::hex << address;
  }
  EXPECT_EQ(rebuilt.size(), original.size());
}

// A fresh work folder for one case, removed when the case passes.
fs::path WorkFolder(const std::string& name) {
  fs::path work =
      fs::temp_directory_path() / ("tessarin_roundtrip_" + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(work);
  fs::create_directories(work);
  return work;
}

const fs::path kPrograms = fs::path(TESSARIN_TEST_DATA) / "roundtrip";

struct Case {
  const char* program;
  const char* format;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.program << " (" << c.format << ")"; }

class RoundTripTest : public ::testing::TestWithParam<Case> {};

TEST_P(RoundTripTest, ReassemblesToTheSameImage) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const Case& c = GetParam();
  const fs::path work = WorkFolder(std::string(c.program) + c.format);
  const fs::path zones = kPrograms / (std::string(c.program) + ".zones");
  const fs::path hex_in = work / "in.hex";
  const fs::path asm_out = work / "out.asm";
  const fs::path hex_out = work / "out.hex";

  ASSERT_EQ(Shell("gpasm -p p16f876 -a " + std::string(c.format) + " -o " + Quoted(hex_in) + " " +
                  Quoted(kPrograms / (std::string(c.program) + ".asm"))),
            0);
  const std::string zone_option = fs::exists(zones) ? "-z " + Quoted(zones) : "--no-zones";
  ASSERT_EQ(Shell(Quoted(TESSARIN_CLI) + " " + zone_option + " -o " + Quoted(asm_out) + " " +
                  Quoted(hex_in)),
            0);
  ASSERT_EQ(Shell("gpasm -o " + Quoted(hex_out) + " " + Quoted(asm_out)), 0)
      << "the generated source does not assemble: " << asm_out;
  ExpectSameImage(hex_in, hex_out);
  if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Programs, RoundTripTest,
                         ::testing::Values(Case{"pages", "inhx8m"}, Case{"pages", "inhx32"},
                                           Case{"offset", "inhx8m"}, Case{"offset", "inhx32"},
                                           Case{"instructions", "inhx8m"}),
                         [](const ::testing::TestParamInfo<Case>& row) {
                           return std::string(row.param.program) + "_" + row.param.format;
                         });

// The processor a program's LIST line names ("16f877a", "12f675"), else the
// 16F876.
std::string ProcessorOf(const fs::path& program) {
  const Result<std::string> text = ReadFileBytes(program);
  const std::regex list(R"(list\s+p\s*=\s*(\w+))", std::regex::icase);
  std::smatch m;
  return text.ok() && std::regex_search(*text, m, list) ? std::string(m[1]) : "16f876";
}

// Every 14-bit word once in program memory (words `first` to `first` +
// 0x1FFF at addresses 0 to 0x1FFF), with ID words, the configuration word
// and data EEPROM in two pieces.
std::string EveryWordImage(unsigned first) {
  std::string text;
  for (unsigned address = 0; address < 0x2000; address += 8) {
    std::vector<uint16_t> words;
    for (unsigned k = 0; k < 8; ++k) words.push_back(static_cast<uint16_t>(first + address + k));
    text += testing::WordRecord(address, words) + "\n";
  }
  text += testing::WordRecord(0x2000, {0x3FFF, 0x1234, 0x0000, 0x2A55}) + "\n";
  text += testing::WordRecord(0x2007, {static_cast<uint16_t>(0x3F72 ^ first)}) + "\n";
  text += testing::WordRecord(0x2100, {0x00, 0x41, 0xFF}) + "\n";
  text += testing::WordRecord(0x2140, {0x80, 0x7F}) + "\n";
  return text + testing::EndRecord() + "\n";
}

constexpr std::string_view kEveryWord = "every_word_";
constexpr std::string_view kWideWord = "wide_word_far_eeprom";

// Writes the image `name` names to `hex_in`: a program of the folder as gpasm
// assembles it, every word from 0000 or 2000, or a word above 0x3FFF with
// EEPROM past the part that gpasm's ORG reaches. Returns its processor.
std::string WriteImage(const std::string& name, const fs::path& hex_in) {
  std::string text;
  if (name == kWideWord) {
    text = testing::WordRecord(0, {0x2800, 0x7FFF}) + "\n" + testing::WordRecord(0x2180, {0x41}) +
           "\n" + testing::EndRecord() + "\n";
  } else if (name.starts_with(kEveryWord)) {
    text = EveryWordImage(
        static_cast<unsigned>(std::stoul(name.substr(kEveryWord.size()), nullptr, 16)));
  } else {
    const fs::path program = kPrograms / (name + ".asm");
    std::string processor = ProcessorOf(program);
    Shell("gpasm -p p" + processor + " -o " + Quoted(hex_in) + " " + Quoted(program));
    return processor;
  }
  EXPECT_TRUE(WriteFileAtomically(hex_in, text).ok());
  return "16f876";
}

class SymbolicRoundTripTest : public ::testing::TestWithParam<std::string> {};

// Without zones, the symbolic source assembles back, gpasm saying nothing.
TEST_P(SymbolicRoundTripTest, ReassemblesQuietlyToTheSameImage) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const std::string& name = GetParam();
  const fs::path work = WorkFolder("symbolic_" + name);
  const fs::path hex_in = work / "in.hex";
  const fs::path asm_out = work / "out.asm";
  const fs::path hex_out = work / "out.hex";
  const std::string processor = WriteImage(name, hex_in);
  ASSERT_TRUE(fs::exists(hex_in));
  ASSERT_EQ(Shell(Quoted(TESSARIN_CLI) + " --no-zones -s -p " + processor + " -o " +
                  Quoted(asm_out) + " " + Quoted(hex_in)),
            0);
  std::string said;
  ASSERT_EQ(
      Shell("gpasm -p p" + processor + " -o " + Quoted(hex_out) + " " + Quoted(asm_out), &said), 0)
      << said << "the generated source does not assemble: " << asm_out;
  EXPECT_EQ(said, "") << asm_out;
  ExpectSameImage(hex_in, hex_out);
  if (!HasFailure()) fs::remove_all(work);
}

// Every program of the folder, by name.
std::vector<std::string> ProgramNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kPrograms)) {
    if (entry.path().extension() == ".asm") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every program, then the two halves of the 14-bit words.
std::vector<std::string> SymbolicCases() {
  std::vector<std::string> cases = ProgramNames();
  cases.push_back(std::string(kEveryWord) + "0000");
  cases.push_back(std::string(kEveryWord) + "2000");
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Programs, SymbolicRoundTripTest, ::testing::ValuesIn(SymbolicCases()),
                         [](const ::testing::TestParamInfo<std::string>& row) {
                           return row.param;
                         });

class AutoZonesRoundTripTest : public ::testing::TestWithParam<std::string> {};

// With the strong zone proposals as its only zones, the classic source
// assembles back to the same image (the symbolic source, for a part outside
// the 16F87x family, which always lists in that style).
TEST_P(AutoZonesRoundTripTest, ClassicSourceReassemblesToTheSameImage) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const fs::path program = kPrograms / (GetParam() + ".asm");
  const std::string processor = ProcessorOf(program);
  const fs::path work = WorkFolder("auto_zones_" + GetParam());
  const fs::path hex_in = work / "in.hex";
  const fs::path asm_out = work / "out.asm";
  const fs::path hex_out = work / "out.hex";
  ASSERT_EQ(Shell("gpasm -p p" + processor + " -o " + Quoted(hex_in) + " " + Quoted(program)), 0);
  ASSERT_EQ(Shell(Quoted(TESSARIN_CLI) + " --no-zones --auto-zones -p " + processor + " -o " +
                  Quoted(asm_out) + " " + Quoted(hex_in)),
            0);
  ASSERT_EQ(Shell("gpasm -o " + Quoted(hex_out) + " " + Quoted(asm_out)), 0)
      << "the generated source does not assemble: " << asm_out;
  ExpectSameImage(hex_in, hex_out);
  if (!HasFailure()) fs::remove_all(work);
}

// The classic listing writes every ORG as a word address, as the chip maker's
// assembler counts it. gpasm counts bytes in the EEPROM area, so EEPROM data
// after a gap comes back exactly only from the symbolic listing.
std::vector<std::string> ClassicGpasmPrograms() {
  std::vector<std::string> names = ProgramNames();
  std::erase_if(
      names, [](const std::string& name) { return name.find("eeprom_gaps") != std::string::npos; });
  return names;
}

INSTANTIATE_TEST_SUITE_P(Programs, AutoZonesRoundTripTest,
                         ::testing::ValuesIn(ClassicGpasmPrograms()),
                         [](const ::testing::TestParamInfo<std::string>& row) {
                           return row.param;
                         });

// An image, and the listing saved from it: 0 classic, 1 classic with the
// strong proposals applied (Proposer, then Valider), 2 symbolic.
using ExactnessCase = std::tuple<std::string, int>;

class InexactWordsTest : public ::testing::TestWithParam<ExactnessCase> {};

// Every word that gpasm gives back otherwise from the saved source is named,
// and in program memory no other word is.
TEST_P(InexactWordsTest, NamesTheWordsGpasmGivesBackOtherwise) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const auto& [image, listing] = GetParam();
  const fs::path work = WorkFolder("inexact_" + image + std::to_string(listing));
  SharedState state;
  state.ProcessorName = WriteImage(image, work / "in.hex");
  if (listing == 2) state.Style = ListingStyle::kSymbolic;
  NoYield yield;
  testing::FixedClock clock;
  ASSERT_TRUE(
      OpenHexFile(state, (work / "in.hex").string(), {ZoneSource::Kind::kNone, {}}, yield, clock)
          .ok());
  if (listing == 1) {
    EnterStrongProposals(state);
    ASSERT_TRUE(ApplyDataZones(state).empty());
  }
  ASSERT_TRUE(WriteFileAtomically(work / "out.asm", GeneratedSource(state.List1)).ok());
  ASSERT_EQ(Shell("gpasm -p p" + state.ProcessorName + " -o " + Quoted(work / "out.hex") + " " +
                  Quoted(work / "out.asm")),
            0);
  const std::vector<int> named = InexactWords(state);
  const std::map<unsigned, unsigned> original = ReadImage(work / "in.hex");
  const std::map<unsigned, unsigned> rebuilt = ReadImage(work / "out.hex");
  const auto given_back = [&](unsigned byte_address) {
    const auto found = rebuilt.find(byte_address);
    return !original.contains(byte_address) ||
           (found != rebuilt.end() && found->second == original.at(byte_address));
  };
  for (const auto& [byte_address, byte] : original) {
    if (byte_address % 2 != 0) continue;
    const int address = static_cast<int>(byte_address / 2);
    const bool is_named = std::find(named.begin(), named.end(), address) != named.end();
    if (!given_back(byte_address) || !given_back(byte_address + 1)) {
      EXPECT_TRUE(is_named) << "not named: " << AddressText(address);
    } else {
      // An instruction from 0x2000 on is named whatever gpasm makes of it.
      EXPECT_TRUE(!is_named || address >= TraitsOf(Core::kMidRange).id_first)
          << "named: " << AddressText(address);
    }
  }
  if (!HasFailure()) fs::remove_all(work);
}

std::vector<std::string> ExactnessImages() {
  std::vector<std::string> images = SymbolicCases();
  images.emplace_back(kWideWord);
  return images;
}

std::string ExactnessName(const ::testing::TestParamInfo<ExactnessCase>& row) {
  constexpr const char* kListings[] = {"_classic", "_classic_proposals", "_symbolic"};
  return std::get<0>(row.param) + kListings[std::get<1>(row.param)];
}

INSTANTIATE_TEST_SUITE_P(Images, InexactWordsTest,
                         ::testing::Combine(::testing::ValuesIn(ExactnessImages()),
                                            ::testing::Values(0, 1, 2)),
                         ExactnessName);

// HEX files whose plain reading is not the image a device programmer loads,
// and records out of order: the warnings tessarin-cli gives, and the image
// that its source assembles back to.
struct LoadRow {
  std::string name;
  std::string options;  // the listing's style and zones
  std::string records;  // separated by blanks
  std::string warnings;
  std::vector<std::pair<unsigned, unsigned>> words;  // word address, word; none: the file's image
};

void PrintTo(const LoadRow& row, std::ostream* out) { *out << row.name; }

// 136 gap-free EEPROM bytes in five records, the last one first.
std::string EepromBackwards() {
  std::string records = testing::WordRecord(0, {0x2800});
  for (unsigned first = 0x2180; first >= 0x2100; first -= 0x20) {
    std::vector<uint16_t> bytes(first == 0x2180 ? 8 : 32);
    for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<uint16_t>((first + k) & 0xFF);
    records += " " + testing::WordRecord(first, bytes);
  }
  return records + " :00000001FF";
}

// clang-format off
const LoadRow kLoadRows[] = {
    {"SameAddressTwiceLastWins", "-s", ":040000000528FF3F91 :040000000630FF3F88 :00000001FF",
     "line 2: a word address written again\n", {{0, 0x3006}, {1, 0x3FFF}}},
    {"RecordAfterTheEndRecordLeftOut", "-s", ":020000000528D1 :00000001FF :020002000630C6",
     "line 3: a record after the end record\n", {{0, 0x2805}}},
    {"NoEndRecord", "", ":020000000528D1", "no end record\n", {{0, 0x2805}}},
    {"OddByteAddress", "-s", ":020001000528D0 :00000001FF",
     "line 1: a record at an odd byte address\n", {{0, 0x2805}}},
    {"OddByteCount", "-s", ":03000000052806CA :00000001FF",
     "line 1: a record with an odd byte count\n", {{0, 0x2805}}},
    {"EepromRecordsBackwards", "-s", EepromBackwards(), "", {}},
    {"ErasedWordsOutOfOrderAsZones", "--auto-zones",
     ":020000000028D6 :04001400FF3FFF3F6C :04001000FF3FFF3F70 :00000001FF", "", {}},
};
// clang-format on

class LoadRoundTripTest : public ::testing::TestWithParam<LoadRow> {};

TEST_P(LoadRoundTripTest, WarnsAndWritesTheLoadedImage) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const LoadRow& row = GetParam();
  const fs::path work = WorkFolder("load_" + row.name);
  std::string hex = row.records + "\n";
  std::replace(hex.begin(), hex.end(), ' ', '\n');
  ASSERT_TRUE(WriteFileAtomically(work / "in.hex", hex).ok());
  const std::string cli =
      "cd " + Quoted(work) + " && " + Quoted(TESSARIN_CLI) + " --no-zones " + row.options;
  std::string said;
  ASSERT_EQ(Shell(cli + " -o out.asm in.hex", &said), 0) << said;
  std::string warnings = row.warnings;
  for (size_t at = 0; at < warnings.size(); at = warnings.find('\n', at) + 1) {
    warnings.insert(at, "tessarin-cli: warning: in.hex: ");
  }
  EXPECT_EQ(said, warnings);
  EXPECT_NE(Shell(cli + " --strict -o strict.asm in.hex"), warnings.empty() ? 1 : 0);
  // Each record left out says so in a comment.
  const Result<std::string> source = ReadFileBytes(work / "out.asm");
  EXPECT_EQ(source.ok() && source->find("\r\n; line ") != std::string::npos,
            row.name.ends_with("LastWins") || row.name.ends_with("LeftOut"));

  ASSERT_EQ(
      Shell("gpasm -p p16f876 -o " + Quoted(work / "out.hex") + " " + Quoted(work / "out.asm"),
            &said),
      0)
      << said;
  std::map<unsigned, unsigned> expected;
  for (const auto& [address, word] : row.words) {
    expected[2 * address] = word & 0xFF;
    expected[2 * address + 1] = word >> 8;
  }
  EXPECT_EQ(ReadImage(work / "out.hex"), row.words.empty() ? ReadImage(work / "in.hex") : expected);
  if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Rows, LoadRoundTripTest, ::testing::ValuesIn(kLoadRows),
                         [](const ::testing::TestParamInfo<LoadRow>& row) {
                           return row.param.name;
                         });

}  // namespace
}  // namespace tessarin
