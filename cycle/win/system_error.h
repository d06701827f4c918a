#pragma once

#include <windows.h>

#include <string>

namespace rotaplex {

// The system's own text for an error code (UTF-8), without the trailing line end.
std::string SystemMessage(DWORD code);

}  // namespace rotaplex
