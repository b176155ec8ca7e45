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
#include <vector>

#include "files/hex_file.h"
#include "pass/hex_record.h"
#include "testing/hex_builder.h"
#include "ui/file_io.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// Byte address -> byte of every data record, with INHX32 address records.
std::map<unsigned, unsigned> ReadImage(const fs::path& path) {
  std::map<unsigned, unsigned> image;
  const Result<std::string> text = ReadFileBytes(path);
  EXPECT_TRUE(text.ok()) << path;
  if (!text.ok()) return image;
  unsigned upper = 0;
  for (std::string_view line : SplitLines(*text)) {
    if (line.empty()) continue;
    const unsigned count = ReadHexField(Mid(line, 2, 2));
    const unsigned address = ReadHexField(Mid(line, 4, 4));
    const unsigned type = ReadHexField(Mid(line, 8, 2));
    if (type == 4) upper = ReadHexField(Mid(line, 10, 4)) << 16;
    if (type != 0) continue;
    for (unsigned k = 0; k < count; ++k) {
      image[upper + address + k] = ReadHexField(Mid(line, 10 + 2 * static_cast<int>(k), 2));
    }
  }
  return image;
}

// Runs `command`; its exit status, and in `said` what it wrote.
int Shell(const std::string& command, std::string* said = nullptr) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  if (said != nullptr) *said = text;
  return ::pclose(pipe);
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

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
  const fs::path work =
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
  ASSERT_EQ(Shell("command -v gpasm"), 0) << "gpasm (Debian package gputils) is needed";
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

class SymbolicRoundTripTest : public ::testing::TestWithParam<std::string> {};

// Without zones, the symbolic source assembles back, gpasm saying nothing.
TEST_P(SymbolicRoundTripTest, ReassemblesQuietlyToTheSameImage) {
  ASSERT_EQ(Shell("command -v gpasm"), 0) << "gpasm (Debian package gputils) is needed";
  const std::string& name = GetParam();
  const fs::path work = WorkFolder("symbolic_" + name);
  const fs::path hex_in = work / "in.hex";
  const fs::path asm_out = work / "out.asm";
  const fs::path hex_out = work / "out.hex";
  std::string processor = "16f876";
  if (name.rfind(kEveryWord, 0) == 0) {
    const unsigned first =
        static_cast<unsigned>(std::stoul(name.substr(kEveryWord.size()), nullptr, 16));
    ASSERT_TRUE(WriteFileAtomically(hex_in, EveryWordImage(first)).ok());
  } else {
    const fs::path program = kPrograms / (name + ".asm");
    processor = ProcessorOf(program);
    ASSERT_EQ(Shell("gpasm -p p" + processor + " -o " + Quoted(hex_in) + " " + Quoted(program)), 0);
  }
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
  ASSERT_EQ(Shell("command -v gpasm"), 0) << "gpasm (Debian package gputils) is needed";
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

}  // namespace
}  // namespace tessarin
