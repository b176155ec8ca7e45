#include "decode/register_names.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(RegisterName, NamedKeysLeaveTheWarningAlone) {
  const std::pair<const char*, const char*> cases[] = {
      {"000", "INDF"},       {"003", "STATUS"}, {"00A", "PCLATH"}, {"01F", "ADCON0"},
      {"081", "OPTION_REG"}, {"08C", "EECON1"}, {"08D", "EECON2"}, {"091", "SSPCON2"},
  };
  for (const auto& [key, name] : cases) {
    std::string warning = "earlier";
    EXPECT_EQ(RegisterName(key, warning), name);
    EXPECT_EQ(warning, "earlier") << key;
  }
}

TEST(RegisterName, UnnamedKeysGiveNumberAndWarning) {
  // 008 and 009 sit inside the named run; 00a is lower case; the rest are
  // general-purpose addresses or not keys at all.
  for (const char* key : {"008", "009", "020", "07F", "00a", "03", "", "0030"}) {
    std::string warning;
    EXPECT_EQ(RegisterName(key, warning), std::string("0x") + key);
    EXPECT_EQ(warning, std::string("*** ") + key + ": Registre inconnu !");
  }
}

TEST(StatusBitName, NamesAndMisses) {
  const char* names[] = {"C", "DC", "Z", "NOT_PD", "NOT_TO", "RP0", "RP1", "IRP"};
  for (uint8_t bit = 0; bit < 8; ++bit) {
    std::string warning;
    EXPECT_EQ(StatusBitName(bit, warning), names[bit]);
    EXPECT_EQ(warning, "");
  }
  std::string warning;
  EXPECT_EQ(StatusBitName(8, warning), "");
  EXPECT_EQ(warning, "*** 8 : StatusBitName inconnu !");
  EXPECT_EQ(StatusBitName(255, warning), "");
  EXPECT_EQ(warning, "*** 255 : StatusBitName inconnu !");
}

}  // namespace
}  // namespace tessarin
