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

}  // namespace

std::string CommandHelpText(const std::vector<std::string_view>& menuTexts) {
    std::string help = std::string(kMenuLine) + "\n";
    for (const std::string_view text : menuTexts) {
        const std::size_t tab = text.find('\t');
        const std::string_view keys = tab == std::string_view::npos ? kMenuOnly : text.substr(tab + 1);
        help += "\n" + Unmarked(text.substr(0, tab)) + ": " + std::string(keys);
    }
    return help;
}

}  // namespace rotaplex
