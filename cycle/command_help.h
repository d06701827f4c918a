#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rotaplex {

// The help window's text: how to open the command menu, then one line per command with its name
// and keys, made from the command table's menu texts ("&Add\tIns") in their order.
std::string CommandHelpText(const std::vector<std::string_view>& menuTexts);

// A command's name, from its menu text: what its button reads as ("Add").
std::string CommandName(std::string_view menuText);

// The tooltip of a painted command, from its menu text: its name, and its keys in brackets.
std::string CommandTip(std::string_view menuText);

}  // namespace rotaplex
