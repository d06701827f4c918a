#include "cycle/command_help.h"

namespace rotaplex {

namespace {

constexpr const char* kMenuLine = "F10, Alt, Shift+F10 or a right-click on an entry: the menu of every command.";
constexpr const char* kMenuOnly = "in the menu";

// A menu text without its access marks: "&&" is a plain "&".
std::string Unmarked(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

// A menu text's name and its keys, after the tab (none without one).
struct NameAndKeys {
    std::string Name;
    std::string_view Keys;
};
NameAndKeys Split(std::string_view text) {
    const std::size_t tab = text.find('\t');
    return {Unmarked(text.substr(0, tab)), tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1)};
}

}  // namespace

std::string CommandName(std::string_view menuText) { return Split(menuText).Name; }

std::string CommandTip(std::string_view menuText) {
    const NameAndKeys command = Split(menuText);
    return command.Keys.empty() ? command.Name : command.Name + " (" + std::string(command.Keys) + ")";
}

std::string CommandHelpText(const std::vector<std::string_view>& menuTexts) {
    std::string help = std::string(kMenuLine) + "\n";
    for (const std::string_view text : menuTexts) {
        const NameAndKeys command = Split(text);
        help += "\n" + command.Name + ": " + std::string(command.Keys.empty() ? kMenuOnly : command.Keys);
    }
    return help;
}

}  // namespace rotaplex
