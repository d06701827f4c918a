#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplex {
class FileSystem;
}

namespace rotaplex::cli {

struct Invocation;

// Runs one command; returns the exit status or throws CliError.
using CommandRun = int (*)(const Invocation& invocation, std::ostream& out);

// The options a command takes besides --help.
enum OptionSet : unsigned {
    kNoOptions = 0,
    kJsonOption = 1,     // --json
    kDryRunOption = 2,   // --dry-run
    kPlaceOptions = 4,   // --before N, --after N
};

struct CommandSpec {
    std::string_view Name;
    std::string_view Operands;  // what follows <game-folder> in the synopsis
    std::string_view Summary;   // one line for the command list
    std::string_view Details;   // the rest of its --help
    std::size_t MinOperands;
    std::size_t MaxOperands;
    unsigned Options;
    CommandRun Run;
};

// The command line, checked against its command's definition.
struct Invocation {
    FileSystem* Files = nullptr;           // where the game folder is read and saved
    const CommandSpec* Command = nullptr;  // none: the program's own --help
    bool Help = false;
    std::string GameFolder;                // as given
    std::vector<std::string> Operands;     // after the game folder
    bool Json = false;
    bool DryRun = false;
    std::optional<std::string> Before;
    std::optional<std::string> After;
};

// Reads the arguments (without the program name) against the command table; throws CliError
// (kBadRequest) naming what is wrong.
Invocation ParseInvocation(const std::vector<std::string>& arguments,
                           const std::vector<CommandSpec>& commands);

// The program's --help: the commands, one a line; and one command's --help.
void WriteProgramHelp(std::ostream& out, const std::vector<CommandSpec>& commands);
void WriteCommandHelp(std::ostream& out, const CommandSpec& command);

}  // namespace rotaplex::cli
