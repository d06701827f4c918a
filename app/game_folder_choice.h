#pragma once

#include <optional>
#include <span>
#include <string>

namespace rotaplex {

// The game folder of this run, ending in "\": the one command-line argument; else the registry's
// folder when servercycle.txt is there (the root folder "\" included, as before); else the folder
// the operator picks. Nothing when the operator cancels the picker. Throws std::runtime_error
// with the operator's message for more than one argument or an argument that names no folder.
std::optional<std::string> ChooseGameFolder(std::span<char* const> arguments);

}  // namespace rotaplex
