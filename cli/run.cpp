#include "cli/run.h"

#include <new>

#include "cli/cli_error.h"
#include "cli/edit_commands.h"
#include "cli/invocation.h"
#include "cli/report_commands.h"

namespace rotaplex::cli {

namespace {

constexpr std::string_view kEditDetails =
    "Positions count from 1, as list shows them. A scenario is named by its mission file and key as\n"
    "scenarios lists them, letter case aside. Only the entry lines the edit touches change; every\n"
    "other line is kept byte for byte. The file is saved as the editor saves it: in one step, the\n"
    "previous version kept as servercycle.txt.bak, and only if no other program changed it since it\n"
    "was read. --dry-run prints the change as a unified diff instead and writes nothing.\n";

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> kCommands = {
        {"check", "", "Reports every problem of the missions and the rotation, one a line.",
         "Reads the mission files and servercycle.txt as the editor does and reports: mission files\n"
         "the editor would complain of (its own message, on one line), keys that more than one mission\n"
         "file defines, a missing [cycle] header, entries that match no scenario, entries whose named\n"
         "mission file does not hold their scenario, and entries past the 32767th.\n"
         "Exit status 0 when there is none, 1 when there are problems, 2 when the folder or\n"
         "servercycle.txt cannot be read.\n",
         0, 0, kJsonOption, RunCheck},
        {"list", "", "Lists the rotation, one entry a line.",
         "Each line: position, display text (name and ruleset of the scenario), the entry's own\n"
         "reference (what follows \"map=\"), and \"missing\" when it matches no scenario; separated by tabs.\n",
         0, 0, kJsonOption, RunList},
        {"scenarios", "[filter]", "Lists the scenarios of the mission files, one a line.",
         "Each line: mission file, scenario key, and the settings as key=value, separated by tabs.\n"
         "With a filter, only scenarios whose mission file, key, name or ruleset contains it\n"
         "(ignoring letter case).\n",
         0, 1, kJsonOption, RunScenarios},
        {"add", "<mission-file>::<key>", "Adds an entry for a scenario, at the end or before or after a position.",
         kEditDetails, 1, 1, kPlaceOptions | kDryRunOption, RunAdd},
        {"remove", "<position>", "Removes the entry at a position.", kEditDetails, 1, 1, kDryRunOption,
         RunRemove},
        {"move", "<from> <to>", "Moves an entry to another position; those between move up or down by one.",
         kEditDetails, 2, 2, kDryRunOption, RunMove},
        {"set", "<position> <mission-file>::<key>", "Gives the entry at a position another scenario.",
         kEditDetails, 2, 2, kDryRunOption, RunSet},
    };
    return kCommands;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, FileSystem& files, std::ostream& out, std::ostream& err) {
    try {
        Invocation invocation = ParseInvocation(arguments, Commands());
        invocation.Files = &files;
        if (invocation.Help && invocation.Command) {
            WriteCommandHelp(out, *invocation.Command);
        } else if (invocation.Help) {
            WriteProgramHelp(out, Commands());
        } else {
            return invocation.Command->Run(invocation, out);
        }
        return kDone;
    } catch (const CliError& error) {
        err << "rotaplex-cli: " << error.what() << '\n';
        return error.Status();
    } catch (const std::bad_alloc&) {
        err << "rotaplex-cli: out of memory\n";
        return kFileFailed;
    }
}

}  // namespace rotaplex::cli
