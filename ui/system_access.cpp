// The registry and the program start of the system the tool runs on.
#include <filesystem>
#include <system_error>

#include "ui/sys_info.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace tessarin {
namespace {

#ifdef _WIN32

class WindowsRegistry : public Registry {
 public:
  bool OpenKey(uint32_t root, const std::string& sub_key, Key& key) override {
    HKEY handle = nullptr;
    // KEY_ALL_ACCESS, as the lookup has always asked for.
    if (RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<uintptr_t>(root)), sub_key.c_str(), 0,
                      0x2003F, &handle) != ERROR_SUCCESS) {
      return false;
    }
    key = reinterpret_cast<Key>(handle);
    return true;
  }
  bool QueryValue(Key key, const std::string& name, uint32_t& type, std::string& buffer,
                  uint32_t& size) override {
    DWORD value_type = 0;
    DWORD value_size = size;
    if (RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &value_type,
                         reinterpret_cast<BYTE*>(buffer.data()), &value_size) != ERROR_SUCCESS) {
      return false;
    }
    type = value_type;
    size = value_size;
    return true;
  }
  void CloseKey(Key key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

#endif

class RealTools : public SystemTools {
 public:
  bool FileExists(const std::string& path) override {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
  }

  bool StartProgram(const std::string& path) override {
#ifdef _WIN32
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::string command_line = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
#else
    if (access(path.c_str(), X_OK) != 0) return false;
    // A shell starts the program in the background and ends at once, so the
    // program is nobody's child to wait for.
    char shell[] = "/bin/sh";
    char dash_c[] = "-c";
    char script[] = "\"$0\" >/dev/null 2>&1 &";
    std::string program = path;
    char* argv[] = {shell, dash_c, script, program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
  }
};

}  // namespace

std::unique_ptr<Registry> SystemRegistry() {
#ifdef _WIN32
  return std::make_unique<WindowsRegistry>();
#else
  return std::make_unique<EmptyRegistry>();
#endif
}

std::unique_ptr<SystemTools> RealSystemTools() { return std::make_unique<RealTools>(); }

}  // namespace tessarin
