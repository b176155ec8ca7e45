#include "pass/cross_references.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/hex_builder.h"

namespace tessarin {
namespace {

// 0000 GOTO 0010; 0001-0002 dead code; 0004 RETFIE, then erased words;
// 0010-0019 ten CALLs of 0020; 001A GOTO itself; 0020 RETURN.
FlowAnalysis Analysed(ProgramImage& image) {
  SharedState state;
  std::vector<uint16_t> calls(10, 0x2020);
  calls.push_back(0x281A);
  EXPECT_TRUE(testing::LoadLines(state, {testing::WordRecord(0, {0x2810, 0x0000, 0x0008, 0x0000, 0x0009,
                                                                  0x3FFF, 0x3FFF}),
                                         testing::WordRecord(0x10, calls),
                                         testing::WordRecord(0x20, {0x0008}), testing::EndRecord()}));
  image = BuildProgramImage(state);
  return AnalyseFlow(image, 8192);
}

TEST(CrossReferences, CommentsByWord) {
  ProgramImage image;
  const FlowAnalysis flow = Analysed(image);
  const struct {
    int address;
    bool labelled;
    std::string comment;
  } cases[] = {
      {0x20, true, "from 0010 0011 0012 0013 0014 0015 0016 0017 +2"},
      {0x20, false, ""},
      {0x1A, true, "from 001A"},
      {0x10, true, "from 0000"},

      {0x01, false, "not reached from the vectors"},
      {0x02, false, ""},
      {0x05, false, ""},
      {0x07, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CrossReferenceComment(image, flow, c.address, c.labelled), c.comment) << c.address;
  }
}

TEST(CrossReferences, CommentJoinsTheOneThereIs) {
  EXPECT_EQ(WithComment("NOP", "from 0003"), "NOP\t; from 0003");
  EXPECT_EQ(WithComment("DW\t0x3FFF\t; ADDLW 0xFF", "from 0003"), "DW\t0x3FFF\t; ADDLW 0xFF; from 0003");
  EXPECT_EQ(WithComment("NOP", ""), "NOP");
}

}  // namespace
}  // namespace tessarin
