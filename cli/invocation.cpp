#include "cli/invocation.h"

#include <algorithm>
#include <cstdint>

#include "cli/cli_error.h"

namespace rotaplex::cli {

namespace {

constexpr std::string_view kProgram = "rotaplex-cli";

void Synopsis(Output& out, const CommandSpec& command) {
    out << kProgram << ' ' << command.Name << " <game-folder>";
    if (!command.Operands.empty()) out << ' ' << command.Operands;
    if (command.Options & kPlaceOptions) out << " [--before N | --after N]";
    if (command.Options & kSeedOption) out << " [--seed N]";
    if (command.Options & kSortOption) out << " [--by text | --by file]";
    if (command.Options & kSetOption) out << " [--set NAME]";
    if (command.Options & kJsonOption) out << " [--json]";
    if (command.Options & kDryRunOption) out << " [--dry-run]";
}

CliError Wrong(const std::string& what, const CommandSpec* command) {
    const std::string help = command ? std::string(kProgram) + " " + std::string(command->Name) + " --help"
                                     : std::string(kProgram) + " --help";
    return CliError(kBadRequest, what + " (see " + help + ")");
}

// Takes the option at arguments[i] (and its value) when it is among options.
bool TakeOption(const std::vector<std::string>& arguments, std::size_t& i, unsigned options,
                Invocation& invocation) {
    const std::string& option = arguments[i];
    const auto value = [&](std::optional<std::string>& into) {
        if (i + 1 == arguments.size()) throw Wrong(option + " needs a value", invocation.Command);
        into = arguments[++i];
    };
    if (option == "--json" && (options & kJsonOption)) {
        invocation.Json = true;
    } else if (option == "--dry-run" && (options & kDryRunOption)) {
        invocation.DryRun = true;
    } else if ((option == "--before" || option == "--after") && (options & kPlaceOptions)) {
        if (invocation.Before || invocation.After)
            throw Wrong("give only one of --before and --after", invocation.Command);
        value(option == "--before" ? invocation.Before : invocation.After);
    } else if (option == "--seed" && (options & kSeedOption)) {
        value(invocation.Seed);
    } else if (option == "--by" && (options & kSortOption)) {
        value(invocation.SortBy);
    } else if (option == "--set" && (options & kSetOption)) {
        value(invocation.Set);
    } else {
        return false;
    }
    return true;
}

const CommandSpec& Find(const std::string& name, const std::vector<CommandSpec>& commands) {
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CommandSpec& c) { return c.Name == name; });
    if (command == commands.end()) throw Wrong("unknown command \"" + name + "\"", nullptr);
    return *command;
}

// The operands and options after the command's name; the game folder comes first among the
// operands unless it is known already.
void ReadArguments(const std::vector<std::string>& arguments, unsigned options, bool helpAllowed,
                   bool folderKnown, Invocation& invocation) {
    const CommandSpec& command = *invocation.Command;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (helpAllowed && (argument == "--help" || argument == "-h")) {
            invocation.Help = true;
        } else if (!TakeOption(arguments, i, options, invocation)) {
            throw Wrong("unknown option \"" + argument + "\" for " + std::string(command.Name), &command);
        }
    }
    if (invocation.Help) return;
    auto first = operands.begin();
    if (!folderKnown) {
        if (operands.empty()) throw Wrong("no game folder given", &command);
        invocation.GameFolder = *first++;
    }
    invocation.Operands.assign(first, operands.end());
    if (invocation.Operands.size() < command.MinOperands)
        throw Wrong("too few arguments for " + std::string(command.Name), &command);
    if (invocation.Operands.size() > command.MaxOperands)
        throw Wrong("too many arguments for " + std::string(command.Name), &command);
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
    if (name == "--version") {
        invocation.Version = true;
        return invocation;
    }
    invocation.Command = &Find(name, commands);
    ReadArguments(arguments, invocation.Command->Options, true, false, invocation);
    return invocation;
}

Invocation ParseScriptLine(const std::vector<std::string>& words, const std::vector<CommandSpec>& commands,
                           const Invocation& script) {
    Invocation line;
    line.Files = script.Files;
    line.Input = script.Input;
    line.Notes = script.Notes;
    line.GameFolder = script.GameFolder;
    line.Command = &Find(words.front(), commands);
    if (!line.Command->Step)
        throw CliError(kBadRequest, std::string(line.Command->Name) + " is no edit; an edit script takes add, "
                                                                      "remove, move, set, shuffle, sort and activate");
    ReadArguments(words, line.Command->Options & ~(kJsonOption | kDryRunOption | kSetOption), false, true, line);
    return line;
}

std::vector<std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::optional<std::uint64_t> ReadNumber(std::string_view typed) {
    if (typed.empty()) return std::nullopt;
    std::uint64_t number = 0;
    for (const char c : typed) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (number > (UINT64_MAX - digit) / 10) return std::nullopt;
        number = number * 10 + digit;
    }
    return number;
}

void WriteProgramHelp(Output& out, const std::vector<CommandSpec>& commands) {
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
    out << "\n" << kProgram << " <command> --help tells more of each; " << kProgram << " --version its version.\n"
        << "Exit status: 0 done, 1 check found problems or the filter of scenarios found none,\n"
        << "2 a file could not be read or written, 3 the command line asks for something that\n"
        << "cannot be done.\n";
}

void WriteCommandHelp(Output& out, const CommandSpec& command) {
    out << "Usage: ";
    Synopsis(out, command);
    out << "\n\n" << command.Summary << "\n" << command.Details;
}

}  // namespace rotaplex::cli
