// Every register, bit and configuration name that the processor tables can
// produce must mean, in the gputils header of its processor, what the tables
// say it means: the header is read here with its own sections.
#include "processors/processor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "testing/gpasm.h"

namespace tessarin {
namespace {

struct HeaderName {
  unsigned value;
  std::string section;  // "Bank1", "INTCON Bits", "CONFIG Options", ...
};

std::map<std::string, HeaderName> ReadHeader(const std::filesystem::path& path) {
  std::map<std::string, HeaderName> names;
  std::ifstream in(path);
  const std::regex equ(R"(^([A-Za-z_]\w*)\s+EQU\s+H'([0-9A-Fa-f]+)')");
  const std::regex section(R"(^;-----\s*(.*?)\s*-*$)");
  std::string current, line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (line.rfind(";=====", 0) == 0) current.clear();
    if (std::regex_match(line, m, section)) current = m[1];
    if (std::regex_search(line, m, equ))
      names[m[1]] = {static_cast<unsigned>(std::stoul(m[2], nullptr, 16)), current};
  }
  return names;
}

TEST(ProcessorTest, EveryNameMeansInItsHeaderWhatTheTablesSay) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const std::filesystem::path folder = testing::kGputilsHeaders;
  for (const Processor& processor : Processors()) {
    SCOPED_TRACE(processor.name);
    ASSERT_EQ(FindProcessor("PIC" + std::string(processor.name)), &processor);
    const std::map<std::string, HeaderName> header = ReadHeader(folder / processor.header);
    ASSERT_FALSE(header.empty()) << processor.header;
    const auto lookup = [&](std::string_view name) {
      const auto found = header.find(std::string(name));
      EXPECT_NE(found, header.end()) << name;
      return found == header.end() ? HeaderName{~0u, ""} : found->second;
    };

    int named_bits = 0;
    for (int bank = 0; bank < 4; ++bank) {
      for (uint8_t offset = 0; offset < 0x80; ++offset) {
        const RegisterChoice choice =
            NameRegister(processor, static_cast<BankSet>(1 << bank), offset);
        if (choice.chosen.name.empty()) continue;
        const HeaderName reg = lookup(choice.chosen.name);
        EXPECT_EQ(reg.value, choice.chosen.address) << choice.chosen.name;
        EXPECT_EQ(reg.value & 0x7F, offset) << choice.chosen.name;
        EXPECT_EQ(reg.section.rfind("Bank", 0), 0u) << choice.chosen.name;
        for (uint8_t bit = 0; bit < 8; ++bit) {
          const std::string_view name = BitName(processor, choice.chosen.address, bit);
          if (name.empty()) continue;
          ++named_bits;
          const HeaderName found = lookup(name);
          EXPECT_EQ(found.value, bit) << name;
          EXPECT_EQ(found.section, std::string(choice.chosen.name) + " Bits") << name;
        }
      }
    }
    EXPECT_GT(named_bits, 100);

    for (const ConfigOption& option : processor.config) {
      const HeaderName found = lookup(option.name);
      EXPECT_EQ(found.section, "CONFIG Options") << option.name;
      EXPECT_EQ(found.value, (0x3FFFu & ~option.mask) | option.value) << option.name;
    }
  }
}

TEST(ProcessorTest, NamesAProcessorWithOrWithoutItsPrefix) {
  for (const char* text : {"16f877a", "p16f877a", "PIC16F877A", "Pic16F877a"}) {
    ASSERT_NE(FindProcessor(text), nullptr) << text;
    EXPECT_EQ(FindProcessor(text)->name, "16F877A") << text;
  }
  for (const char* text : {"", "16f877b", "16f87", "x16f877a", "pp16f877a", "16f877aa"}) {
    EXPECT_EQ(FindProcessor(text), nullptr) << text;
  }
}

}  // namespace
}  // namespace tessarin
