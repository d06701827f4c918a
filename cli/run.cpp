#include "cli/run.h"

#include <new>

#include "cli/cli_error.h"
#include "cli/edit_commands.h"
#include "cli/plain_text.h"
#include "cli/report_commands.h"
#include "cli/set_commands.h"
#include "rotaplex_version.h"

namespace rotaplex::cli {

namespace {

constexpr std::string_view kEditDetails =
    "Positions count from 1, as list shows them. A scenario is named by its mission file and key as\n"
    "scenarios lists them, letter case aside, or by its key alone where one mission file holds it.\n"
    "Only the entry lines the edit touches change; every other line is kept byte for byte. The file\n"
    "is saved as the editor saves it: in one step, the previous version kept as servercycle.txt.bak,\n"
    "and only if no other program changed it since it was read. --dry-run prints the change as a\n"
    "unified diff instead and writes nothing; --json prints the entries after the change, as\n"
    "list --json does. --set NAME edits the set NAME (rotations/NAME.txt) instead, saved alike.\n";

constexpr std::string_view kRangeDetails =
    "FROM and TO, positions counting from 1, limit it to the entries from FROM to TO; without them\n"
    "it takes the whole rotation.\n";

constexpr unsigned kEditOptions = kJsonOption | kDryRunOption | kSetOption;

constexpr std::string_view kSetDetails =
    "A set is a rotation kept under a name, one file a set in the folder \"rotations\" beside\n"
    "servercycle.txt (rotations/NAME.txt); the server reads only servercycle.txt. A name cannot be one\n"
    "Windows could not give a file.\n";

}  // namespace

const std::vector<CommandSpec>& CommandTable() {
    static const std::string shuffleDetails =
        std::string(kRangeDetails) +
        "No mission (mission file and key, letter case aside) comes twice in a row, counting the last\n"
        "entry and the first as neighbours (the server starts over), wherever an order allows it;\n"
        "where none does, as few repeats as can be. --seed N makes the order repeatable.\n" +
        std::string(kEditDetails);
    static const std::string sortDetails =
        std::string(kRangeDetails) +
        "--by text (the default) sorts by the text list shows, --by file by mission file; letter case\n"
        "aside, entries that compare equal keep their order.\n" +
        std::string(kEditDetails);
    static const std::string addDetails =
        "Several scenarios are added in the order given. With -, the entry lines of standard input\n"
        "(\"map=<mission-file>::<key>\") are added as they stand, other lines passed over. A game folder\n"
        "without servercycle.txt gets one.\n" +
        std::string(kEditDetails);
    static const std::string scriptDetails =
        "Reads edit commands from SCRIPT (standard input without it, or with -), one a line, with the\n"
        "arguments and options they take alone but without the game folder:\n"
        "  add redcanyon.nfo::RedCanyon --after 2\n"
        "  move 5 1\n"
        "  shuffle --seed 7\n"
        "Blank lines and lines starting with # are passed over; double quotes keep blanks in a word.\n"
        "They apply in order, each to the rotation the lines before it left, as one change: one save and\n"
        "one backup, or nothing at all when any line cannot be done (the message names the line).\n" +
        std::string(kEditDetails);
    static const std::string setsDetails =
        "Each line: the set's name and its number of entries, separated by a tab, in the order Windows\n"
        "lists the files.\n" + std::string(kSetDetails);
    static const std::string activateDetails =
        "The entries of servercycle.txt become those of the set NAME, where its first entry stood; its\n"
        "comments and every other line stay. A set without entries is refused.\n" +
        std::string(kSetDetails) + std::string(kEditDetails);
    static const std::string saveSetDetails =
        "Writes the entries of servercycle.txt (with --set, of that set) to the set NAME: a new set, or\n"
        "the entries of an existing one replaced with its other lines kept, its previous version kept as\n"
        "NAME.txt.bak. The rotations folder is made when missing.\n" + std::string(kSetDetails);
    static const std::vector<CommandSpec> kCommands = {
        {"check", "", "Reports every problem of the missions and the rotation, one a line.",
         "Reads the mission files and servercycle.txt as the editor does and reports: mission files\n"
         "the editor would complain of (its own message, on one line), keys that more than one mission\n"
         "file defines, a missing [cycle] header, entries that match no scenario, entries whose named\n"
         "mission file does not hold their scenario, and entries past the 32767th.\n"
         "It also reports the entries of the sets that match no scenario, and sets that cannot be read.\n"
         "--set NAME checks the set NAME as the rotation.\n"
         "Exit status 0 when there is none, 1 when there are problems, 2 when the folder or\n"
         "servercycle.txt cannot be read.\n",
         0, 0, kJsonOption | kSetOption, RunCheck},
        {"list", "", "Lists the rotation, one entry a line.",
         "Each line: position, display text (name and ruleset of the scenario), the entry's own\n"
         "reference (what follows \"map=\"), and \"missing\" when it matches no scenario; separated by tabs.\n"
         "--set NAME lists the set NAME.\n",
         0, 0, kJsonOption | kSetOption, RunList},
        {"scenarios", "[filter]", "Lists the scenarios of the mission files, one a line.",
         "Each line: mission file, scenario key, and the settings as key=value, separated by tabs.\n"
         "With a filter, only scenarios whose mission file, key, name or ruleset contains it\n"
         "(ignoring letter case); exit status 1 when it finds none.\n",
         0, 1, kJsonOption, RunScenarios},
        {"add", "<mission-file>::<key>... | -", "Adds entries, at the end or before or after a position.",
         addDetails, 1, kAnyCount, kPlaceOptions | kEditOptions, RunEdit, AddStep},
        {"remove", "<position>", "Removes the entry at a position.", kEditDetails, 1, 1, kEditOptions, RunEdit,
         RemoveStep},
        {"move", "<from> <to>", "Moves an entry to another position; those between move up or down by one.",
         kEditDetails, 2, 2, kEditOptions, RunEdit, MoveStep},
        {"set", "<position> <mission-file>::<key>", "Gives the entry at a position another scenario.",
         kEditDetails, 2, 2, kEditOptions, RunEdit, SetStep},
        {"shuffle", "[FROM TO]", "Shuffles the rotation, or its entries from FROM to TO.", shuffleDetails, 0, 2,
         kSeedOption | kEditOptions, RunEdit, ShuffleStep},
        {"sort", "[FROM TO]", "Sorts the rotation, or its entries from FROM to TO.", sortDetails, 0, 2,
         kSortOption | kEditOptions, RunEdit, SortStep},
        {"edit", "[SCRIPT | -]", "Applies a script of edit commands as one change.", scriptDetails, 0, 1,
         kEditOptions, RunEditScript},
        {"sets", "", "Lists the rotation sets, each with its number of entries.",
         std::string_view(setsDetails), 0, 0, kJsonOption, RunSets},
        {"activate", "<name>", "Makes the set's entries the rotation's.", activateDetails, 1, 1, kEditOptions,
         RunEdit, ActivateStep},
        {"save-set", "<name>", "Saves the rotation's entries as a set.", saveSetDetails, 1, 1, kSetOption, RunSaveSet},
        {"delete-set", "<name>", "Deletes a set, keeping its last version as NAME.txt.bak.", kSetDetails, 1, 1,
         kNoOptions, RunDeleteSet},
        {"rename-set", "<name> <new-name>", "Gives a set another name.", kSetDetails, 2, 2, kNoOptions, RunRenameSet},
    };
    return kCommands;
}

int RunCli(const std::vector<std::string>& arguments, FileSystem& files, std::FILE* in, std::FILE* outFile,
           std::FILE* errFile) {
    Output out(outFile), err(errFile);
    try {
        Invocation invocation = ParseInvocation(arguments, CommandTable());
        invocation.Files = &files;
        invocation.Input = in;
        invocation.Notes = &err;
        if (invocation.Version) {
            out << "rotaplex-cli " << ROTAPLEX_VERSION_TEXT << '\n';
        } else if (invocation.Help && invocation.Command) {
            WriteCommandHelp(out, *invocation.Command);
        } else if (invocation.Help) {
            WriteProgramHelp(out, CommandTable());
        } else {
            return invocation.Command->Run(invocation, out);
        }
        return kDone;
    } catch (const CliError& error) {
        err << "rotaplex-cli: " << Escaped(error.what()) << '\n';
        return error.Status();
    } catch (const std::bad_alloc&) {
        err << "rotaplex-cli: out of memory\n";
        return kFileFailed;
    }
}

}  // namespace rotaplex::cli
