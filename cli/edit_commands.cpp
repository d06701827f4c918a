#include "cli/edit_commands.h"

#include <algorithm>
#include <memory>

#include "cli/cli_error.h"
#include "cli/game_session.h"
#include "cli/unified_diff.h"
#include "cycle/rotation_document.h"

namespace rotaplex::cli {

namespace {

// The reason given when servercycle.txt changed between reading and saving.
constexpr const char* kChangedMeanwhileReason = "changed by another program since it was read; nothing was written";

// Everything an edit works on: the game read once, the document of its rotation, and the
// folder's lock from before the rotation is read until it is saved, so that no other Rotaplex
// program's save falls in between.
class Edit {
public:
    explicit Edit(const Invocation& invocation)
        : invocation_(invocation), game_(OpenGame(invocation)), lock_(Lock()), document_(Read()) {}

    RotationDocument& Document() { return document_; }
    const MissionCatalogue& Catalogue() const { return game_.Session.Catalogue(); }

    // A position as typed, 1 for the first entry, as the document's 0-based index.
    std::size_t Position(const std::string& typed) const {
        const std::size_t count = document_.EntryCount();
        const bool digits = !typed.empty() && typed.size() < 10 &&
                            std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
        const std::size_t position = digits ? std::stoul(typed) : 0;
        if (position < 1 || position > count) {
            throw CliError(kBadRequest, "no position " + typed + " in " + Path() + " (" +
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

    std::string Path() const { return game_.Session.RotationPath(); }

    // Shows or saves the edited document.
    int Finish(std::ostream& out) {
        const std::string edited = document_.Text();
        const std::string& read = game_.Session.TextAsRead();
        if (invocation_.DryRun) {
            out << UnifiedDiff(read, edited, Path());
        } else if (edited == read) {
            out << "Nothing to change in " << Path() << '\n';
        } else {
            const SaveOutcome saved = game_.Session.Save();
            if (saved.Result == SaveOutcome::Status::ChangedOnDisk || saved.Result == SaveOutcome::Status::RemovedOnDisk)
                ThrowFailed(saved.Path, kChangedMeanwhileReason);
            if (!saved) ThrowFailed(saved.Path, saved.Reason);
            out << "Saved " << Path() << '\n';
        }
        return kDone;
    }

private:
    std::unique_ptr<FolderLock> Lock() {
        if (invocation_.DryRun) return nullptr;  // writes nothing: no other save to keep out
        try {
            return game_.Session.Lock();
        } catch (const FileError& error) {
            ThrowFailed(error.Path(), error.Reason());
        }
    }
    RotationDocument& Read() {
        ReadRotation(game_);
        return game_.Session.Document();
    }

    const Invocation& invocation_;
    Game game_;
    std::unique_ptr<FolderLock> lock_;
    RotationDocument& document_;
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
