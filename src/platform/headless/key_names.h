#pragma once
// Key names of the headless scripts ("enter", "f1", "a") and the window's key codes.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv::headless {

// The Windows virtual-key code of a key name (case-insensitive); nullopt for an unknown name.
std::optional<int32_t> VirtualKeyFromName(std::string_view name);

// The names a script may use, for help and error messages.
std::string_view KeyNameList();

}  // namespace qv::headless
