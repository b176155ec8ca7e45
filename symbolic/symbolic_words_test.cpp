#include "symbolic/symbolic_words.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace tessarin {
namespace {

// Text appended after a listing line's columns is the text alone after them,
// comments included: a ';' among the columns (the characters of word 0x3B3B
// show as ";;") is no comment of the text.
TEST(SymbolicWords, TextAfterTheColumnsIsTheTextAlone) {
  // GOTO 0x004; a word no path reaches; at 0x004 CALL 0x008 and a loop back;
  // at 0x008 RETURN.
  const uint16_t words[] = {0x2804, 0x3B3B, 0x3FFF, 0x3FFF, 0x2008, 0x0064, 0x2805, 0x0000, 0x0008};
  ProgramImage image;
  for (size_t k = 0; k < std::size(words); ++k) image.Set(static_cast<int>(k), words[k]);
  const SymbolicWords symbolic(image, DefaultProcessor());
  const std::string columns = "0004 3B3B ;; Z0004   \t";
  int commented = 0;
  for (int address = 0; address < static_cast<int>(std::size(words)); ++address) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", words[address]);
    for (const std::string_view word : {std::string_view(text), std::string_view("3;G0")}) {
      for (const bool labelled : {false, true}) {
        const std::string alone = symbolic.Text(address, word, labelled);
        std::string line = columns;
        symbolic.AppendText(line, address, word, labelled);
        EXPECT_EQ(line, columns + alone) << address << " " << word << " " << labelled;
        if (alone.find("\t; ") != std::string::npos) ++commented;
      }
    }
  }
  // Comments from the flow: the CALL's target and the unreached word.
  EXPECT_EQ(symbolic.Text(8, "0008", true), "RETURN\t; from 0004");
  EXPECT_NE(symbolic.Text(1, "3B3B", false).find("; not reached from the vectors"),
            std::string::npos);
  EXPECT_GT(commented, 4);
}

}  // namespace
}  // namespace tessarin
