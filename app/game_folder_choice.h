#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rotaplex {

// The program's command-line arguments after its own name, in UTF-8.
std::vector<std::string> CommandLineArguments();

// The game folder of this run (UTF-8, ending in "\"): the one command-line argument; else the
// registry's folder when servercycle.txt is there (the root folder "\" included, as before); else
// the folder used last, when it is still there; else the folder the operator picks, offered the
// remembered ones. Nothing when the operator cancels the picker. Throws
// std::runtime_error with the operator's message for more than one argument or an argument that
// names no folder.
std::optional<std::string> ChooseGameFolder(const std::vector<std::string>& arguments);

}  // namespace rotaplex
