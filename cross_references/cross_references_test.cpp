#include "cross_references/cross_references.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "pass/record_reader.h"
#include "testing/hex_builder.h"

namespace tessarin {
namespace {

struct CommentCase {
  int address;
  bool labelled;
  const char* comment;
};

void PrintTo(const CommentCase& c, std::ostream* out) {
  *out << std::hex << c.address << (c.labelled ? " labelled" : "");
}

// 0000 GOTO 0010; 0001-0003 dead code; 0004 RETFIE, then erased words;
// 0010-0019 ten CALLs of 0040, 001A-0021 eight of 0041; 0022 GOTO itself;
// 0030-0031 dead code after a gap; an ID word past program memory.
TEST(CrossReferences, CommentsByWord) {
  ProgramImage image;
  const auto put = [&](int address, const std::vector<uint16_t>& words) {
    for (const uint16_t word : words) image.Set(address++, word);
  };
  put(0, {0x2810, 0x0000, 0x0008, 0x0000, 0x0009, 0x3FFF, 0x3FFF});
  put(0x10, std::vector<uint16_t>(10, 0x2040));
  put(0x1A, std::vector<uint16_t>(8, 0x2041));
  put(0x22, {0x2822});
  put(0x30, {0x0000, 0x0000});
  put(0x40, {0x0008, 0x0008});
  put(0x2000, {0x0001});
  const FlowAnalysis flow = AnalyseFlow(image, Pic16F87xFacts());
  for (const CommentCase& c : std::vector<CommentCase>{
           {0x40, true, "from 0010 0011 0012 0013 0014 0015 0016 0017 +2"},
           {0x41, true, "from 001A 001B 001C 001D 001E 001F 0020 0021"},
           {0x40, false, ""},
           {0x22, true, "from 0022"},
           {0x02, true, ""},
           {0x01, false, "not reached from the vectors"},
           {0x02, false, ""},
           {0x05, false, ""},
           {0x30, false, "not reached from the vectors"},
           {0x31, false, ""},
           {0x2000, false, ""},
       }) {
    EXPECT_EQ(CrossReferenceComment(image, flow, c.address, c.labelled), c.comment)
        << ::testing::PrintToString(c);
  }
}

// BRA +5 at 0000; MOVLP 0, MOVLW 0x10, MOVWF PCL at 0006-0008, a computed
// jump whose PCLATH and W are known; BRA -1 at 0010.
TEST(CrossReferences, BranchesOfTheEnhancedCore) {
  ProgramImage image;
  image.Set(0, 0x3205);
  image.Set(6, 0x3180);
  image.Set(7, 0x3010);
  image.Set(8, 0x0082);
  image.Set(0x10, 0x33FF);
  const FlowAnalysis flow = AnalyseFlow(image, EnhancedFacts(0x800));
  EXPECT_EQ(CrossReferenceComment(image, flow, 6, true), "from 0000");
  EXPECT_EQ(CrossReferenceComment(image, flow, 0x10, true), "from 0008 0010");
}

TEST(CrossReferences, CommentGoesAfterTheLinesOwn) {
  EXPECT_EQ(WithComment("NOP", "from 0001"), "NOP\t; from 0001");
  EXPECT_EQ(WithComment("DW\t0x3FFF\t; erased", "from 0001"), "DW\t0x3FFF\t; erased; from 0001");
  EXPECT_EQ(WithComment("NOP", ""), "NOP");
  EXPECT_EQ(WithComment("; a comment line", "from 0001"), "; a comment line; from 0001");
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
