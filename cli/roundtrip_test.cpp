// Assembles small programs with gpasm, disassembles the images with
// tessarin-cli, assembles the generated source again and checks that both
// memory images are the same, word for word.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "files/hex_file.h"
#include "pass/hex_record.h"
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

int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

struct Case {
  const char* program;
  const char* format;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.program << " (" << c.format << ")"; }

class RoundTripTest : public ::testing::TestWithParam<Case> {};

TEST_P(RoundTripTest, ReassemblesToTheSameImage) {
  ASSERT_EQ(Shell("command -v gpasm"), 0) << "gpasm (Debian package gputils) is needed";
  const Case& c = GetParam();
  const fs::path data = fs::path(TESSARIN_TEST_DATA) / "roundtrip";
  const fs::path work = fs::temp_directory_path() /
                        ("tessarin_roundtrip_" + std::to_string(::getpid()) + "_" + c.program + c.format);
  fs::remove_all(work);
  fs::create_directories(work);
  const std::string asm_in = (data / (std::string(c.program) + ".asm")).string();
  const std::string zones = (data / (std::string(c.program) + ".zones")).string();
  const std::string hex_in = (work / "in.hex").string();
  const std::string asm_out = (work / "out.asm").string();
  const std::string hex_out = (work / "out.hex").string();

  ASSERT_EQ(Shell("gpasm -p p16f876 -a " + std::string(c.format) + " -o '" + hex_in + "' '" + asm_in + "'"), 0);
  const std::string zone_option = fs::exists(zones) ? "-z '" + zones + "'" : "--no-zones";
  ASSERT_EQ(Shell(std::string("'") + TESSARIN_CLI + "' " + zone_option + " -o '" + asm_out + "' '" + hex_in + "'"), 0);
  ASSERT_EQ(Shell("gpasm -o '" + hex_out + "' '" + asm_out + "'"), 0)
      << "the generated source does not assemble: " << asm_out;

  const std::map<unsigned, unsigned> original = ReadImage(hex_in);
  const std::map<unsigned, unsigned> rebuilt = ReadImage(hex_out);
  ASSERT_GT(original.size(), 20u);
  for (const auto& [address, byte] : original) {
    auto found = rebuilt.find(address);
    ASSERT_NE(found, rebuilt.end()) << "byte address 0x" << std::hex << address << " lost";
    EXPECT_EQ(found->second, byte) << "byte address 0x" << std::hex << address;
  }
  EXPECT_EQ(rebuilt.size(), original.size());
  fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Programs, RoundTripTest,
                         ::testing::Values(Case{"pages", "inhx8m"}, Case{"pages", "inhx32"},
                                           Case{"offset", "inhx8m"}, Case{"offset", "inhx32"},
                                           Case{"instructions", "inhx8m"}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.program) + "_" + info.param.format;
                         });

}  // namespace
}  // namespace tessarin
