#include "ui/sys_info.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "testing/fakes.h"

namespace tessarin {
namespace {

// A registry of scripted keys that checks every handle is closed once.
class FakeRegistry : public Registry {
 public:
  struct Value {
    uint32_t type;
    std::string bytes;
  };

  void Set(const std::string& key, const std::string& name, Value value) {
    keys_[key][name] = std::move(value);
  }
  int open_handles() const { return static_cast<int>(open_.size()); }

  bool OpenKey(uint32_t root, const std::string& sub_key, Key& key) override {
    if (root != kHkeyLocalMachine || !keys_.count(sub_key)) return false;
    key = next_++;
    open_[key] = sub_key;
    return true;
  }
  bool QueryValue(Key key, const std::string& name, uint32_t& type, std::string& buffer,
                  uint32_t& size) override {
    EXPECT_TRUE(open_.count(key));
    EXPECT_EQ(buffer, std::string(1024, '\0'));
    const auto& values = keys_[open_[key]];
    const auto value = values.find(name);
    if (value == values.end() || value->second.bytes.size() > size) return false;
    type = value->second.type;
    size = static_cast<uint32_t>(value->second.bytes.size());
    buffer.replace(0, size, value->second.bytes);
    return true;
  }
  void CloseKey(Key key) override { EXPECT_EQ(open_.erase(key), 1u) << "closed twice"; }

 private:
  std::map<std::string, std::map<std::string, Value>> keys_;
  std::map<Key, std::string> open_;
  Key next_ = 100;
};

const std::string kKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::string Read(FakeRegistry& registry, const std::string& name, bool* found = nullptr,
                 std::string key_val = "") {
  const bool ok = GetKeyValue(registry, kHkeyLocalMachine, kKey, name, key_val);
  if (found) *found = ok;
  EXPECT_EQ(registry.open_handles(), 0);
  return key_val;
}

TEST(GetKeyValue, StringWithOrWithoutItsNulReadsTheSame) {
  FakeRegistry registry;
  registry.Set(kKey, "with", {kRegString, std::string("C:\\x\\msinfo32.exe") + '\0'});
  registry.Set(kKey, "without", {kRegString, "C:\\x\\msinfo32.exe"});
  EXPECT_EQ(Read(registry, "with"), "C:\\x\\msinfo32.exe");
  EXPECT_EQ(Read(registry, "without"), "C:\\x\\msinfo32.exe");
}

TEST(GetKeyValue, NumberReadsAsItsBytesHighFirstInHex) {
  FakeRegistry registry;
  registry.Set(kKey, "n", {kRegDword, std::string("\x0A\x01\x00\x00", 4)});
  registry.Set(kKey, "full", {kRegDword, std::string("\x78\x56\x34\x12", 4)});
  EXPECT_EQ(Read(registry, "n"), "&h01A");
  EXPECT_EQ(Read(registry, "full"), "&h12345678");
  // The number is appended to what the text held.
  EXPECT_EQ(Read(registry, "n", nullptr, "7"), "&h701A");
}

TEST(GetKeyValue, OtherTypesLeaveTheTextAsItWas) {
  FakeRegistry registry;
  registry.Set(kKey, "binary", {3, "\x01\x02"});
  bool found = false;
  EXPECT_EQ(Read(registry, "binary", &found, "before"), "before");
  EXPECT_TRUE(found);
}

TEST(GetKeyValue, MissingKeyOrValueEmptiesTheText) {
  FakeRegistry registry;
  registry.Set(kKey, "PATH", {kRegString, "x"});
  bool found = true;
  EXPECT_EQ(Read(registry, "nothing", &found, "before"), "");
  EXPECT_FALSE(found);

  std::string key_val = "before";
  EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\None", "PATH", key_val));
  EXPECT_EQ(key_val, "");
  EXPECT_FALSE(GetKeyValue(registry, 0x80000001, kKey, "PATH", key_val));
  EXPECT_EQ(registry.open_handles(), 0);
}

class FakeTools : public SystemTools {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool StartProgram(const std::string& path) override {
    started.push_back(path);
    return startable;
  }
  std::set<std::string> files;
  std::vector<std::string> started;
  bool startable = true;
};

struct SysInfoCase {
  testing::RecordingMessageBox message_box;
  FakeRegistry registry;
  FakeTools tools;

  void Run() { StartSysInfo(registry, tools, message_box); }
  bool ShowedUnavailable() const {
    return message_box.shown.size() == 1 &&
           message_box.shown[0].text ==
               "Les informations système ne sont pas disponibles actuellement" &&
           message_box.shown[0].title == "Tessarin";
  }
};

TEST(StartSysInfo, PathValueWinsOverTheLocation) {
  SysInfoCase c;
  c.registry.Set(kKey, "PATH", {kRegString, std::string("C:\\Tools\\msinfo32.exe") + '\0'});
  c.registry.Set(kLocationKey, "MSINFO", {kRegString, "C:\\Other"});
  c.tools.files = {"C:\\Other\\MSINFO32.EXE"};
  c.Run();
  EXPECT_EQ(c.tools.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
  EXPECT_TRUE(c.message_box.shown.empty());
}

TEST(StartSysInfo, LocationIsUsedWhenItsProgramExists) {
  SysInfoCase c;
  c.registry.Set(kLocationKey, "MSINFO", {kRegString, "C:\\Tools"});
  c.tools.files = {"C:\\Tools\\MSINFO32.EXE"};
  c.Run();
  EXPECT_EQ(c.tools.started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
  EXPECT_TRUE(c.message_box.shown.empty());
}

TEST(StartSysInfo, LocationWithoutTheProgramTellsTheUser) {
  SysInfoCase c;
  c.registry.Set(kLocationKey, "MSINFO", {kRegString, "C:\\Tools"});
  c.Run();
  EXPECT_TRUE(c.tools.started.empty());
  EXPECT_TRUE(c.ShowedUnavailable());
}

TEST(StartSysInfo, EmptyRegistryTellsTheUser) {
  SysInfoCase c;
  EmptyRegistry empty;
  StartSysInfo(empty, c.tools, c.message_box);
  EXPECT_TRUE(c.tools.started.empty());
  EXPECT_TRUE(c.ShowedUnavailable());
}

TEST(StartSysInfo, ProgramThatWillNotStartTellsTheUser) {
  SysInfoCase c;
  c.registry.Set(kKey, "PATH", {kRegString, "C:\\nothing.txt"});
  c.tools.startable = false;
  c.Run();
  EXPECT_EQ(c.tools.started.size(), 1u);
  EXPECT_TRUE(c.ShowedUnavailable());
}

}  // namespace
}  // namespace tessarin
