// A program assembled with gpasm, disassembled in the classic style with
// the strong zone proposals as its only zones (--auto-zones), assembles back
// to the same memory image.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/hex_file.h"
#include "pass/program_image.h"
#include "ui/file_io.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

std::optional<ProgramImage> ReadImage(const fs::path& path) {
  const Result<std::string> text = ReadFileBytes(path);
  SharedState state;
  if (!text.ok() || !FillLineStore(state, *text).ok()) return std::nullopt;
  return BuildProgramImage(state);
}

TEST(ProposalsRoundTrip, StrongProposalsAloneGiveTheSameImage) {
  ASSERT_EQ(Shell("command -v gpasm"), 0) << "gpasm (Debian package gputils) is needed";
  const fs::path work = fs::temp_directory_path() / ("tessarin_proposals_" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  const std::string asm_in = (fs::path(TESSARIN_TEST_DATA) / "roundtrip" / "proposals.asm").string();
  const fs::path hex_in = work / "in.hex";
  const fs::path asm_out = work / "out.asm";
  const fs::path hex_out = work / "out.hex";
  ASSERT_EQ(Shell("gpasm -p p16f876 -a inhx8m -o '" + hex_in.string() + "' '" + asm_in + "'"), 0);

  const std::optional<ProgramImage> original = ReadImage(hex_in);
  ASSERT_TRUE(original.has_value());
  ASSERT_EQ(Shell(std::string("'") + TESSARIN_CLI + "' --auto-zones --no-zones -o '" +
                  asm_out.string() + "' '" + hex_in.string() + "'"),
            0);
  ASSERT_EQ(Shell("gpasm -a inhx8m -o '" + hex_out.string() + "' '" + asm_out.string() + "'"), 0)
      << "the generated source does not assemble: " << asm_out;
  const std::optional<ProgramImage> rebuilt = ReadImage(hex_out);
  ASSERT_TRUE(rebuilt.has_value());
  for (int a = 0; a < ProgramImage::kAddressCount; ++a) {
    ASSERT_EQ(rebuilt->Has(a), original->Has(a)) << "word address 0x" << std::hex << a;
    ASSERT_EQ(rebuilt->Word(a), original->Word(a)) << "word address 0x" << std::hex << a;
  }
  fs::remove_all(work);
}

}  // namespace
}  // namespace tessarin
