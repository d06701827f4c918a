#include "cli/edit_commands.h"

#include <algorithm>

#include "cli/cli_error.h"
#include "cli/game_session.h"
#include "cli/unified_diff.h"
#include "cycle/rotation_document.h"

namespace rotaplex::cli {

namespace {

// Everything an edit works on: the game read once, the document of its rotation.
class Edit {
public:
    explicit Edit(const Invocation& invocation)
        : invocation_(invocation),
          game_(OpenGame(invocation)),
          rotation_(ReadGameRotation(game_.Folder)),
          document_(RotationDocument::Read(rotation_.Text, game_.Catalogue)) {}

    RotationDocument& Document() { return document_; }
    const MissionCatalogue& Catalogue() const { return game_.Catalogue; }

    // A position as typed, 1 for the first entry, as the document's 0-based index.
    std::size_t Position(const std::string& typed) const {
        const std::size_t count = document_.EntryCount();
        const bool digits = !typed.empty() && typed.size() < 10 &&
                            std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
        const std::size_t position = digits ? std::stoul(typed) : 0;
        if (position < 1 || position > count) {
            throw CliError(kBadRequest, "no position " + typed + " in " + rotation_.Path + " (" +
                                            (count == 0 ? std::string("it has no entries")
                                                        : "its entries are 1 to " + std::to_string(count)) +
                                            ")");
        }
        return position - 1;
    }

    // A scenario given as <mission-file>::<key>, both without regard to letter case; where a file
    // holds the key twice, the last one, as an entry naming it would play.
    int16_t Scenario(const std::string& typed) const {
        const std::size_t separator = typed.find("::");
        if (separator == std::string::npos)
            throw CliError(kBadRequest, "give the scenario as <mission-file>::<key>, not \"" + typed + "\"");
        const std::string_view file = std::string_view(typed).substr(0, separator);
        const std::string_view key = std::string_view(typed).substr(separator + 2);
        for (int i = Catalogue().ScenarioCount(); i >= 1; --i) {
            const ScenarioInfo& record = Catalogue().Scenario(i);
            if (EqualsIgnoringCase(record.MissionFile, file) && EqualsIgnoringCase(record.ScenarioKey, key))
                return static_cast<int16_t>(i);
        }
        throw CliError(kBadRequest, "no scenario " + std::string(key) + " in the mission file " +
                                        std::string(file) + " (rotaplex-cli scenarios lists them)");
    }

    const std::string& Path() const { return rotation_.Path; }

    // Shows or saves the edited document.
    int Finish(std::ostream& out) {
        const std::string edited = document_.Text();
        if (invocation_.DryRun) {
            out << UnifiedDiff(rotation_.Text, edited, rotation_.Path);
        } else if (edited == rotation_.Text) {
            out << "Nothing to change in " << rotation_.Path << '\n';
        } else {
            SaveGameRotation(rotation_, game_.Folder, edited);
            out << "Saved " << rotation_.Path << '\n';
        }
        return kDone;
    }

private:
    const Invocation& invocation_;
    Game game_;
    RotationRead rotation_;
    RotationDocument document_;
};

}  // namespace

int RunAdd(const Invocation& invocation, std::ostream& out) {
    Edit edit(invocation);
    RotationDocument& document = edit.Document();
    const int16_t scenario = edit.Scenario(invocation.Operands.front());
    bool applied = false;
    if (invocation.Before) {
        applied = document.InsertBefore(edit.Position(*invocation.Before), scenario, edit.Catalogue());
    } else if (invocation.After) {
        applied = document.InsertAfter(edit.Position(*invocation.After), scenario, edit.Catalogue());
    } else if (document.EntryCount() == 0) {
        applied = document.InsertFirst(scenario, edit.Catalogue());
    } else {
        applied = document.InsertAfter(document.EntryCount() - 1, scenario, edit.Catalogue());
    }
    // The positions and the scenario are valid by now: only a full list refuses an entry.
    if (!applied) throw CliError(kBadRequest, edit.Path() + " already lists as many entries as the list can hold");
    return edit.Finish(out);
}

int RunRemove(const Invocation& invocation, std::ostream& out) {
    Edit edit(invocation);
    edit.Document().Remove(edit.Position(invocation.Operands[0]));
    return edit.Finish(out);
}

int RunMove(const Invocation& invocation, std::ostream& out) {
    Edit edit(invocation);
    const std::size_t from = edit.Position(invocation.Operands[0]);
    const std::size_t to = edit.Position(invocation.Operands[1]);
    // Moving an entry onto its own place changes nothing (the document refuses it), as set does
    // with the scenario an entry already has.
    edit.Document().Move(from, to);
    return edit.Finish(out);
}

int RunSet(const Invocation& invocation, std::ostream& out) {
    Edit edit(invocation);
    const std::size_t position = edit.Position(invocation.Operands[0]);
    const int16_t scenario = edit.Scenario(invocation.Operands[1]);
    edit.Document().SetScenario(position, scenario, edit.Catalogue());
    return edit.Finish(out);
}

}  // namespace rotaplex::cli
