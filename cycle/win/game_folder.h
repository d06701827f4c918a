#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <variant>

namespace rotaplex {

// What a registry value read into: nothing, a text or a 32-bit number.
using RegistryValue = std::variant<std::monostate, std::string, int32_t>;

inline constexpr const char* kGameKey = "Software\\Microsoft\\Microsoft Games\\Mechwarrior Vengeance";
inline constexpr const char* kGameFolderValue = "EXE Path";

// 0 on success, the registry's error code, or -1 for a type other than REG_SZ and REG_DWORD.
int32_t QueryValue(HKEY key, const char* valueName, RegistryValue& value);

// The game folder from the registry, always ending in "\" ("\" alone when nothing is found).
std::string LocateGameFolder();

}  // namespace rotaplex
