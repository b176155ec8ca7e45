// Every register, bit and configuration name that the processor tables can
// produce must mean, in the gputils header of its processor, what the tables
// say it means: each header is read here with its own sections.
#include "processors/processor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "testing/gpasm.h"

namespace tessarin {
namespace {

struct HeaderName {
  unsigned value = ~0u;
  std::string section;  // "Bank1", "INTCON Bits", "CONFIG2 Options", ...
  int definitions = 0;
};

// The section a ";-----" line opens: "Bank1" from ";-----Bank1---", "INTCON
// Bits" from ";----- INTCON Bits -----".
std::string SectionName(std::string line) {
  line = line.substr(line.find_first_not_of(";-"));
  line = line.substr(0, line.find_last_not_of("- \r") + 1);
  return line.substr(line.find_first_not_of(' '));
}

std::map<std::string, HeaderName> ReadHeader(const std::filesystem::path& path) {
  std::map<std::string, HeaderName> names;
  std::ifstream in(path);
  std::string current, line;
  while (std::getline(in, line)) {
    if (line.starts_with(";=====")) current.clear();
    if (line.starts_with(";-----") && line.find_first_not_of(";- \r") != std::string::npos) {
      current = SectionName(line);
    }
    std::istringstream fields(line);
    std::string name, equ, value;
    fields >> name >> equ >> value;
    if (equ != "EQU" || !value.starts_with("H'") || name.starts_with(";")) continue;
    HeaderName& entry = names[name];
    entry = {static_cast<unsigned>(std::stoul(value.substr(2), nullptr, 16)), current,
             entry.definitions + 1};
  }
  return names;
}

TEST(ProcessorTest, EveryNameMeansInItsHeaderWhatTheTablesSay) {
  TESSARIN_SKIP_WITHOUT_GPUTILS();
  const std::filesystem::path folder = testing::kGputilsHeaders;
  int parts = 0;
  for (const Processor& processor : Processors()) {
    SCOPED_TRACE(processor.name);
    ++parts;
    ASSERT_EQ(FindProcessor("PIC" + std::string(processor.name)), &processor);
    const std::map<std::string, HeaderName> header = ReadHeader(folder / processor.header);
    ASSERT_FALSE(header.empty()) << processor.header;
    const auto lookup = [&](std::string_view name) {
      const auto found = header.find(std::string(name));
      EXPECT_NE(found, header.end()) << name;
      if (found == header.end()) return HeaderName{};
      EXPECT_EQ(found->second.definitions, 1) << name;
      return found->second;
    };

    int named_bits = 0;
    for (int bank = 0; bank < processor.bank_count; ++bank) {
      for (uint8_t offset = 0; offset < 0x80; ++offset) {
        const RegisterChoice choice =
            NameRegister(processor, static_cast<BankSet>(1u << bank), offset);
        if (choice.chosen.name.empty()) continue;
        const HeaderName reg = lookup(choice.chosen.name);
        EXPECT_EQ(reg.value, choice.chosen.address) << choice.chosen.name;
        EXPECT_EQ(reg.value & 0x7F, offset) << choice.chosen.name;
        EXPECT_TRUE(reg.section.starts_with("Bank") || reg.section == "Register Files")
            << choice.chosen.name << " in " << reg.section;
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
    EXPECT_GT(named_bits, 20);

    for (const ConfigRow& row : processor.config) {
      const HeaderName found = lookup(NameText(row.name));
      EXPECT_TRUE(found.section == "CONFIG" + std::to_string(row.word + 1) + " Options" ||
                  (row.word == 0 && found.section == "CONFIG Options"))
          << NameText(row.name) << " in " << found.section;
      EXPECT_EQ(found.value, row.value) << NameText(row.name);
    }
    const bool numbered = !processor.config_names.empty();
    for (int k = 0; k < processor.configuration.size() && numbered; ++k) {
      EXPECT_EQ(lookup(ConfigurationName(processor, k)).value,
                static_cast<unsigned>(processor.configuration.first + k));
    }
  }
  EXPECT_GT(parts, 300);
}

TEST(ProcessorTest, NamesAProcessorWithOrWithoutItsPrefix) {
  for (const char* text : {"16f1827", "p16f1827", "PIC16F1827", "Pic16F1827"}) {
    ASSERT_NE(FindProcessor(text), nullptr) << text;
    EXPECT_EQ(FindProcessor(text)->name, "16F1827") << text;
  }
  EXPECT_EQ(FindProcessor("rf675f")->name, "RF675F");
  for (const char* text :
       {"", "16f877b", "16f87a", "x16f877a", "pp16f877a", "16f877aa", "18f452"}) {
    EXPECT_EQ(FindProcessor(text), nullptr) << text;
  }
}

// Registers that more than one bank reaches: the core registers everywhere,
// the SFR addresses of banks 2 and 3 that the header leaves unnamed as their
// bank 0 and 1 twins, and nothing in general-purpose RAM.
TEST(ProcessorTest, MirroredRegistersFollowTheCore) {
  const struct {
    const char* processor;
    int bank;
    uint8_t offset;
    const char* name;
  } rows[] = {
      {"16F876", 2, 0x01, "TMR0"},       {"16F876", 3, 0x06, "TRISB"},
      {"16F876", 3, 0x03, "STATUS"},     {"16F876", 2, 0x0C, "EEDATA"},
      {"16F876", 2, 0x10, ""},           {"16F876", 1, 0x05, "TRISA"},
      {"16F84A", 1, 0x0A, "PCLATH"},     {"16F84A", 1, 0x06, "TRISB"},
      {"16F84A", 1, 0x01, "OPTION_REG"}, {"16F1827", 31, 0x08, "BSR"},
      {"16F1827", 5, 0x0B, "INTCON"},    {"16F1827", 2, 0x0C, "LATA"},
      {"16F1827", 2, 0x0F, ""},          {"16F1827", 0, 0x70, ""},
  };
  for (const auto& row : rows) {
    const Processor& processor = *FindProcessor(row.processor);
    EXPECT_EQ(NameRegister(processor, 1u << row.bank, row.offset).chosen.name, row.name)
        << row.processor << " bank " << row.bank << " offset " << int{row.offset};
  }
}

}  // namespace
}  // namespace tessarin
