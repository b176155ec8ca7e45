#include "flow/memory_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessarin {
namespace {

ProgramImage ImageOf(const std::vector<std::pair<int, int>>& runs) {
  ProgramImage image;
  for (const auto& [first, last] : runs) {
    for (int a = first; a <= last; ++a) image.Set(a, 0x3FFF);
  }
  return image;
}

struct FitRow {
  const char* processor;
  std::vector<std::pair<int, int>> runs;  // first and last address of each run of words
  std::vector<Misfit> misfits;
};

void PrintTo(const FitRow& row, std::ostream* out) { *out << row.processor; }

class MemoryFitTest : public ::testing::TestWithParam<FitRow> {};

TEST_P(MemoryFitTest, FindsWhatThePartCannotHold) {
  const FitRow& row = GetParam();
  EXPECT_EQ(FindMisfits(ImageOf(row.runs), *FindProcessor(row.processor)), row.misfits);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, MemoryFitTest,
    ::testing::Values(
        // Calibration word, configuration and 128 EEPROM bytes: all its own.
        FitRow{"12F675", {{0, 0x3FF}, {0x2000, 0x2003}, {0x2007, 0x2007}, {0x2100, 0x217F}}, {}},
        FitRow{"16F84A",
               {{0, 0x401}, {0x2007, 0x2007}, {0x2100, 0x2140}},
               {{MisfitKind::kBeyondProgram, 0x400, 2}, {MisfitKind::kBeyondEeprom, 0x2140, 1}}},
        FitRow{"16F876",
               {{0, 7}, {0x2008, 0x2008}, {0x3000, 0x3001}},
               {{MisfitKind::kNoMemory, 0x2008, 3}}},
        FitRow{"16F1827",
               {{0, 7}, {0x2007, 0x2007}, {0x8007, 0x8008}, {0xF000, 0xF0FF}},
               {{MisfitKind::kOtherCore, 0x2007, 1}}},
        FitRow{"16F1458", {{0xF000, 0xF001}}, {{MisfitKind::kBeyondEeprom, 0xF000, 2}}},
        FitRow{"16F877A", {{0x8007, 0x8007}}, {{MisfitKind::kOtherCore, 0x8007, 1}}}),
    [](const auto& row) { return std::string(row.param.processor); });

TEST(MemoryFit, PartsThatFitHoldTheWholeImageLikestFirst) {
  const ProgramImage mid_range = ImageOf({{0, 0x7FF}, {0x2007, 0x2007}, {0x2100, 0x217F}});
  const Processor& small = *FindProcessor("16F84A");
  const std::vector<const Processor*> parts = PartsThatFit(mid_range, small, 1000);
  ASSERT_FALSE(parts.empty());
  EXPECT_NE(std::find(parts.begin(), parts.end(), FindProcessor("16F628A")), parts.end());
  EXPECT_EQ(std::find(parts.begin(), parts.end(), &small), parts.end());
  for (const Processor* part : parts) {
    EXPECT_EQ(FindMisfits(mid_range, *part), std::vector<Misfit>()) << part->name;
  }
  // Mid-range parts first, those named most like the 16F84A first among them.
  const std::vector<const Processor*> first = PartsThatFit(mid_range, small, 3);
  ASSERT_EQ(first.size(), 3u);
  for (const Processor* part : first) EXPECT_TRUE(part->name.starts_with("16F8")) << part->name;
  EXPECT_LE(first[0]->program_words, first[2]->program_words);

  const ProgramImage enhanced = ImageOf({{0, 0x1FFF}, {0x8007, 0x8008}});
  for (const Processor* part : PartsThatFit(enhanced, small, 1000)) {
    EXPECT_EQ(part->core, Core::kEnhanced) << part->name;
    EXPECT_GE(part->program_words, 0x2000) << part->name;
  }
  EXPECT_TRUE(PartsThatFit(ImageOf({{0x4000, 0x4000}, {0x8007, 0x8007}}), small, 5).empty());
}

}  // namespace
}  // namespace tessarin
