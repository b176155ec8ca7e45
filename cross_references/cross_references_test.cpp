#include "cross_references/cross_references.h"

#include <gtest/gtest.h>

#include "pass/record_reader.h"
#include "testing/hex_builder.h"

namespace tessarin {
namespace {

// 0000 GOTO 0010; 0001-0003 dead code; 0004 RETFIE, then erased words;
// 0010-0019 ten CALLs of 0020; 001A GOTO itself; 0020 RETURN.
TEST(CrossReferences, CommentsByWord) {
  SharedState state;
  ASSERT_TRUE(testing::LoadLines(
      state, {testing::WordRecord(0, {0x2810, 0x0000, 0x0008, 0x0000, 0x0009, 0x3FFF, 0x3FFF}),
              testing::WordRecord(0x10, {0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020, 0x2020,
                                         0x2020, 0x2020, 0x2020, 0x281A}),
              testing::WordRecord(0x20, {0x0008}), testing::EndRecord()}));
  const ProgramImage image = BuildProgramImage(state);
  const FlowAnalysis flow = AnalyseFlow(image, Pic16F87xFacts());
  const struct {
    int address;
    bool labelled;
    const char* comment;
  } cases[] = {
      {0x20, true, "from 0010 0011 0012 0013 0014 0015 0016 0017 +2"},
      {0x20, false, ""},
      {0x1A, true, "from 001A"},
      {0x01, false, "not reached from the vectors"},
      {0x02, false, ""},
      {0x05, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CrossReferenceComment(image, flow, c.address, c.labelled), c.comment) << c.address;
  }
}

// A segment address record moves the words after it, in the image as in the
// listing: base 0x10 bytes puts the record's word 0 at word 8.
TEST(ProgramImage, FollowsExtendedAddressRecords) {
  SharedState state;
  ASSERT_TRUE(testing::LoadLines(state, {testing::Record(0, 2, {0x00, 0x01}),
                                         testing::WordRecord(0, {0x1234}), testing::EndRecord()}));
  const ProgramImage image = BuildProgramImage(state);
  EXPECT_FALSE(image.Has(0));
  EXPECT_EQ(image.Word(8), 0x1234);
}

}  // namespace
}  // namespace tessarin
