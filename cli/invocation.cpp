#include "cli/invocation.h"

#include <algorithm>

#include "cli/cli_error.h"

namespace rotaplex::cli {

namespace {

constexpr std::string_view kProgram = "rotaplex-cli";

void Synopsis(std::ostream& out, const CommandSpec& command) {
    out << kProgram << ' ' << command.Name << " <game-folder>";
    if (!command.Operands.empty()) out << ' ' << command.Operands;
    if (command.Options & kPlaceOptions) out << " [--before N | --after N]";
    if (command.Options & kJsonOption) out << " [--json]";
    if (command.Options & kDryRunOption) out << " [--dry-run]";
}

CliError Wrong(const std::string& what, const CommandSpec* command) {
    const std::string help = command ? std::string(kProgram) + " " + std::string(command->Name) + " --help"
                                     : std::string(kProgram) + " --help";
    return CliError(kBadRequest, what + " (see " + help + ")");
}

// Takes the option at arguments[i] (and its value); false when it is not one of the command's.
bool TakeOption(const std::vector<std::string>& arguments, std::size_t& i, Invocation& invocation) {
    const std::string& option = arguments[i];
    const unsigned options = invocation.Command->Options;
    if (option == "--json" && (options & kJsonOption)) {
        invocation.Json = true;
    } else if (option == "--dry-run" && (options & kDryRunOption)) {
        invocation.DryRun = true;
    } else if ((option == "--before" || option == "--after") && (options & kPlaceOptions)) {
        if (invocation.Before || invocation.After)
            throw Wrong("give only one of --before and --after", invocation.Command);
        if (i + 1 == arguments.size()) throw Wrong(option + " needs a position", invocation.Command);
        (option == "--before" ? invocation.Before : invocation.After) = arguments[++i];
    } else {
        return false;
    }
    return true;
}

}  // namespace

Invocation ParseInvocation(const std::vector<std::string>& arguments,
                           const std::vector<CommandSpec>& commands) {
    Invocation invocation;
    if (arguments.empty()) throw Wrong("no command given", nullptr);
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        invocation.Help = true;
        return invocation;
    }
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CommandSpec& c) { return c.Name == name; });
    if (command == commands.end()) throw Wrong("unknown command \"" + name + "\"", nullptr);
    invocation.Command = &*command;

    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            invocation.Help = true;
        } else if (!TakeOption(arguments, i, invocation)) {
            throw Wrong("unknown option \"" + argument + "\" for " + std::string(command->Name), &*command);
        }
    }
    if (invocation.Help) return invocation;
    if (operands.empty()) throw Wrong("no game folder given", &*command);
    invocation.GameFolder = operands.front();
    invocation.Operands.assign(operands.begin() + 1, operands.end());
    if (invocation.Operands.size() < command->MinOperands)
        throw Wrong("too few arguments for " + std::string(command->Name), &*command);
    if (invocation.Operands.size() > command->MaxOperands)
        throw Wrong("too many arguments for " + std::string(command->Name), &*command);
    return invocation;
}

void WriteProgramHelp(std::ostream& out, const std::vector<CommandSpec>& commands) {
    out << "Usage: " << kProgram << " <command> <game-folder> [arguments] [options]\n\n"
        << "Checks, lists and edits the server rotation (servercycle.txt) of the game folder.\n\n"
        << "Commands:\n";
    const std::size_t width =
        std::max_element(commands.begin(), commands.end(), [](const auto& a, const auto& b) {
            return a.Name.size() < b.Name.size();
        })->Name.size();
    for (const CommandSpec& command : commands) {
        out << "  " << command.Name << std::string(width + 2 - command.Name.size(), ' ')
            << command.Summary << '\n';
    }
    out << "\n" << kProgram << " <command> --help tells more of each.\n"
        << "Exit status: 0 done, 1 check found problems, 2 a file could not be read or written,\n"
        << "3 the command line asks for something that cannot be done.\n";
}

void WriteCommandHelp(std::ostream& out, const CommandSpec& command) {
    out << "Usage: ";
    Synopsis(out, command);
    out << "\n\n" << command.Summary << "\n" << command.Details;
}

}  // namespace rotaplex::cli
