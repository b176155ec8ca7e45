#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/services.h"

namespace tessarin {

/// The root key HKEY_LOCAL_MACHINE.
inline constexpr uint32_t kHkeyLocalMachine = 0x80000002;
/// Registry value types.
inline constexpr uint32_t kRegString = 1;
inline constexpr uint32_t kRegDword = 4;

inline constexpr std::string_view kSysInfoUnavailable =
    "Les informations système ne sont pas disponibles actuellement";

/// The system registry, read only, in the shape of its system calls. Texts
/// are bytes of the system's 8-bit code page.
class Registry {
 public:
  using Key = uintptr_t;
  virtual ~Registry() = default;
  /// Opens `sub_key` under `root`; true and the key's handle on success.
  virtual bool OpenKey(uint32_t root, const std::string& sub_key, Key& key) = 0;
  /// Reads the value `name` of an open key into `buffer`, which holds `size`
  /// bytes on entry. On success `type` is the value's type and `size` the
  /// number of bytes written. A value larger than the buffer fails.
  virtual bool QueryValue(Key key, const std::string& name, uint32_t& type, std::string& buffer,
                          uint32_t& size) = 0;
  virtual void CloseKey(Key key) = 0;
};

/// A registry that holds nothing: what a system without one offers.
class EmptyRegistry : public Registry {
 public:
  bool OpenKey(uint32_t, const std::string&, Key&) override { return false; }
  bool QueryValue(Key, const std::string&, uint32_t&, std::string&, uint32_t&) override {
    return false;
  }
  void CloseKey(Key) override {}
};

/// The system's own registry where it has one, an empty one elsewhere.
std::unique_ptr<Registry> SystemRegistry();

/// What the About box needs of the system besides the registry.
class SystemTools {
 public:
  virtual ~SystemTools() = default;
  virtual bool FileExists(const std::string& path) = 0;
  /// Starts the program at `path` in a normal window that takes the focus,
  /// without waiting for it. False when it could not be started.
  virtual bool StartProgram(const std::string& path) = 0;
};

/// The real file test and program start of this system.
std::unique_ptr<SystemTools> RealSystemTools();

/// Reads the value `sub_key_ref` of the key `key_name` under `key_root`
/// into `key_val`. A string comes out as it is stored, less one trailing
/// NUL; a 32-bit number as "&h" and its bytes high first, each in hex
/// without padding, a high zero byte left out (0x0000010A reads "&h01A").
/// False, with `key_val` emptied, when the key or value cannot be read.
/// The key is closed before returning.
bool GetKeyValue(Registry& registry, uint32_t key_root, const std::string& key_name,
                 const std::string& sub_key_ref, std::string& key_val);

/// Starts the system-information tool named in the registry, or tells the
/// user through `message_box` that it is not available.
void StartSysInfo(Registry& registry, SystemTools& tools, MessageBox& message_box);

}  // namespace tessarin
