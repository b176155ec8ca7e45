// gpasm as the oracle of the symbolic printer: every one of the 16,384
// 14-bit words, written for each core, assembles back to itself; the exact
// words as their instruction, the others as a DW.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "symbolic/symbolic_printer.h"
#include "symbolic/symbolic_words.h"
#include "testing/gpasm.h"
#include "testing/temp_folder.h"
#include "ui/file_io.h"

namespace tessarin {
namespace {

using testing::Quoted;
using testing::Shell;

constexpr int kWordCount = 0x4000;

// The words go in images of `image_words` words from address 0, the first
// image starting with word `first_word`.
struct CoreCase {
  const char* name;
  const Processor* processor;
  int image_words;
  int first_word;
};

void PrintTo(const CoreCase& c, std::ostream* out) { *out << c.name; }

// The source of the image: the symbolic header, one line per word with the
// labels its branches name, EQU lines for labels no word line carries.
std::string SymbolicSource(const ProgramImage& image, int words, const Processor& processor) {
  const SymbolicWords symbolic(image, processor);
  char hex[8];
  auto word_text = [&](int address) {
    std::snprintf(hex, sizeof hex, "%04X", image.Word(address));
    return std::string(hex);
  };
  std::map<int, std::string> labels;
  for (int address = 0; address < words; ++address) {
    const std::string label = symbolic.Label(address, word_text(address));
    if (!label.empty()) labels[static_cast<int>(std::stoul(label.substr(1), nullptr, 16))] = label;
  }
  const SourceDirectives directives = SymbolicDirectives(processor, false);
  std::string source = directives.errorlevel + "\n" + directives.list + "\n" + directives.include;
  source += "\n";
  for (int address = 0; address < words; ++address) {
    const auto label = labels.find(address);
    const bool labelled = label != labels.end();
    if (labelled) source += label->second;
    source += "\t" + symbolic.Text(address, word_text(address), labelled) + "\n";
    if (labelled) labels.erase(label);
  }
  for (const auto& [address, label] : labels) {
    std::snprintf(hex, sizeof hex, "0x%04X", address);
    source += label + "\tEQU\t" + hex + "\n";
  }
  return source + "\tend\n";
}

class EveryWordTest : public ::testing::TestWithParam<CoreCase> {};

TEST_P(EveryWordTest, AssemblesBackToItself) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const CoreCase& c = GetParam();
  const Processor& processor = *c.processor;
  const testing::TempFolder folder;
  int given_back = 0;
  int exact = 0, look_alikes = 0, none = 0;
  for (int first = c.first_word; first < c.first_word + kWordCount; first += c.image_words) {
    ProgramImage image;
    for (int address = 0; address < c.image_words; ++address) {
      image.Set(address, static_cast<uint16_t>((first + address) % kWordCount));
    }
    const std::filesystem::path source = folder.path() / ("words" + std::to_string(first) + ".asm");
    const std::filesystem::path hex = folder.path() / ("words" + std::to_string(first) + ".hex");
    ASSERT_TRUE(WriteFileAtomically(source, SymbolicSource(image, c.image_words, processor)).ok());
    std::string said;
    ASSERT_EQ(Shell("gpasm -p p" + std::string(processor.name) + " -o " + Quoted(hex) + " " +
                        Quoted(source),
                    &said),
              0)
        << said;
    EXPECT_EQ(said, "") << source;

    const std::map<unsigned, unsigned> rebuilt = testing::ReadImage(hex);
    for (int address = 0; address < c.image_words; ++address) {
      const uint16_t word = image.Word(address);
      const auto low = rebuilt.find(2u * static_cast<unsigned>(address));
      const auto high = rebuilt.find(2u * static_cast<unsigned>(address) + 1);
      const bool same = low != rebuilt.end() && high != rebuilt.end() &&
                        (low->second | high->second << 8) == word;
      EXPECT_TRUE(same) << "word 0x" << std::hex << word;
      given_back += same ? 1 : 0;
      const Instruction instruction = DecodeInstruction(word, processor.core);
      if (IsExactInstruction(word, processor.core)) {
        const std::string text = SymbolicText(word, address, instruction, WordFacts{}, processor);
        EXPECT_NE(text.rfind("DW", 0), 0u) << "exact word 0x" << std::hex << word;
        ++exact;
      } else {
        ++(instruction.mnemonic == Mnemonic::kInvalid ? none : look_alikes);
      }
    }
  }
  std::printf(
      "%s core: %d exact words written as their instruction, %d DW with a look-alike, "
      "%d DW with no instruction; gpasm gives back %d of %d words\n",
      c.name, exact, look_alikes, none, given_back, kWordCount);
}

// The enhanced images start with word 0x3280, so that BRA words lie at both
// ends of memory: targets before address 0 (written as $-n) and past the
// last word (labels defined by EQU).
INSTANTIATE_TEST_SUITE_P(
    Cores, EveryWordTest,
    ::testing::Values(CoreCase{"MidRange", &DefaultProcessor(), 0x2000, 0},
                      CoreCase{"Enhanced", FindProcessor("16F1827"), 0x1000, 0x3280}),
    [](const ::testing::TestParamInfo<CoreCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tessarin
