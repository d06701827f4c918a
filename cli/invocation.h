#pragma once

#include <cstddef>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output.h"

namespace rotaplex {
class FileSystem;
}

namespace rotaplex::cli {

struct Invocation;
class Edit;

// Runs one command; returns the exit status or throws CliError.
using CommandRun = int (*)(const Invocation& invocation, Output& out);
// Applies one edit command to the rotation being edited; throws CliError.
using EditStep = void (*)(const Invocation& invocation, Edit& edit);

// The options a command takes besides --help.
enum OptionSet : unsigned {
    kNoOptions = 0,
    kJsonOption = 1,     // --json
    kDryRunOption = 2,   // --dry-run
    kPlaceOptions = 4,   // --before N, --after N
    kSeedOption = 8,     // --seed N
    kSortOption = 16,    // --by text|file
    kSetOption = 32,     // --set NAME
};

// A command's operands without a limit.
inline constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();

struct CommandSpec {
    std::string_view Name;
    std::string_view Operands;  // what follows <game-folder> in the synopsis
    std::string_view Summary;   // one line for the command list
    std::string_view Details;   // the rest of its --help
    std::size_t MinOperands;
    std::size_t MaxOperands;
    unsigned Options;
    CommandRun Run;
    EditStep Step = nullptr;  // an edit: what it does, alone or on a line of an edit script
};

// The command line, checked against its command's definition.
struct Invocation {
    FileSystem* Files = nullptr;           // where the game folder is read and saved
    std::FILE* Input = nullptr;            // standard input, while no one has read it
    Output* Notes = nullptr;               // the error output, for what is said besides the result
    const CommandSpec* Command = nullptr;  // none: the program's own --help or --version
    bool Help = false;
    bool Version = false;
    std::string GameFolder;                // as given
    std::vector<std::string> Operands;     // after the game folder
    bool Json = false;
    bool DryRun = false;
    std::optional<std::string> Before;
    std::optional<std::string> After;
    std::optional<std::string> Seed;
    std::optional<std::string> SortBy;
    std::optional<std::string> Set;        // a set's file instead of servercycle.txt
};

// Reads the arguments (without the program name) against the command table; throws CliError
// (kBadRequest) naming what is wrong.
Invocation ParseInvocation(const std::vector<std::string>& arguments,
                           const std::vector<CommandSpec>& commands);

// One line of an edit script, split into words, read as the command line of an edit
// on script's game folder; --dry-run, --json, --set and --help belong to the whole script, not a
// line.
Invocation ParseScriptLine(const std::vector<std::string>& words, const std::vector<CommandSpec>& commands,
                           const Invocation& script);

// A line split at blanks and tabs; double quotes keep blanks inside a word.
std::vector<std::string> SplitWords(std::string_view line);

// A number as typed (decimal digits only); nothing when it is none or too large for 64 bits.
std::optional<std::uint64_t> ReadNumber(std::string_view typed);

// The program's --help: the commands, one a line; and one command's --help.
void WriteProgramHelp(Output& out, const std::vector<CommandSpec>& commands);
void WriteCommandHelp(Output& out, const CommandSpec& command);

}  // namespace rotaplex::cli
