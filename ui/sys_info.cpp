#include "ui/sys_info.h"

#include "ui/text_slice.h"

namespace tessarin {
namespace {

constexpr uint32_t kBufferSize = 1024;

constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoValue = "PATH";
constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoLocationValue = "MSINFO";
constexpr const char* kSysInfoProgram = "\\MSINFO32.EXE";

}  // namespace

bool GetKeyValue(Registry& registry, uint32_t key_root, const std::string& key_name,
                 const std::string& sub_key_ref, std::string& key_val) {
  Registry::Key key = 0;
  if (!registry.OpenKey(key_root, key_name, key)) {
    key_val.clear();
    return false;
  }
  std::string buffer(kBufferSize, '\0');
  uint32_t size = kBufferSize;
  uint32_t type = 0;
  if (!registry.QueryValue(key, sub_key_ref, type, buffer, size) || size > buffer.size()) {
    key_val.clear();
    registry.CloseKey(key);
    return false;
  }
  // A value stored with its terminating NUL loses it; so does a number whose
  // high byte is zero, which is what the registry tools have always shown.
  std::string_view trimmed(buffer.data(), size);
  if (!trimmed.empty() && trimmed.back() == '\0') trimmed.remove_suffix(1);

  if (type == kRegString) {
    key_val.assign(trimmed);
  } else if (type == kRegDword) {
    for (auto byte = trimmed.rbegin(); byte != trimmed.rend(); ++byte) {
      key_val += HexText(static_cast<unsigned char>(*byte));
    }
    key_val.insert(0, "&h");
  }
  registry.CloseKey(key);
  return true;
}

void StartSysInfo(Registry& registry, SystemTools& tools, MessageBox& message_box) {
  std::string path;
  bool found = GetKeyValue(registry, kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, path);
  if (!found &&
      GetKeyValue(registry, kHkeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, path)) {
    path += kSysInfoProgram;
    found = tools.FileExists(path);
  }
  if (!found || !tools.StartProgram(path)) message_box.Show(kSysInfoUnavailable, kAppTitle);
}

}  // namespace tessarin
