#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

/// The name of the special-function register whose three-character key
/// ("003", "01F", "081") is `key`, compared exactly. A key without a name
/// gives "0x" + key and sets `name_warning` to "*** " + key +
/// ": Registre inconnu !"; a found name leaves `name_warning` alone.
std::string RegisterName(std::string_view key, std::string& name_warning);

/// The name `RegisterName` finds for `key`, or nothing for a key without one.
std::optional<std::string_view> FindRegisterName(std::string_view key);

/// Sets `name_warning` as `RegisterName` does for `key`, a key without a name.
void WarnUnknownRegister(std::string_view key, std::string& name_warning);

/// The name of bit `bit` of the STATUS register ("C" ... "IRP"). A number
/// above 7 gives the empty text and sets `name_warning` to "*** " + number +
/// " : StatusBitName inconnu !".
std::string StatusBitName(uint8_t bit, std::string& name_warning);

}  // namespace tessarin
