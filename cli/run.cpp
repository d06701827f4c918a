#include "cli/run.h"

#include <new>

#include "cli/cli_error.h"
#include "cli/invocation.h"
#include "cli/report_commands.h"

namespace rotaplex::cli {

namespace {

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
    };
    return kCommands;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        const Invocation invocation = ParseInvocation(arguments, Commands());
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
