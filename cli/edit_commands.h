#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/game_session.h"
#include "cli/invocation.h"
#include "cli/output.h"
#include "cycle/entry_selection.h"
#include "cycle/rotation_document.h"
#include "cycle/safe_save.h"

namespace rotaplex::cli {

// Everything an edit works on: the game read once, the document of its rotation, and the
// folder's lock from before the rotation is read until it is saved, so that no other Rotaplex
// program's save falls in between. However many edit commands change the document, it is saved
// (or shown with --dry-run) once.
class Edit {
public:
    // createsMissing: a missing servercycle.txt is an empty rotation, which the save creates.
    Edit(const Invocation& invocation, bool createsMissing);

    RotationDocument& Document() { return document_; }
    const MissionCatalogue& Catalogue() const { return game_.Session.Catalogue(); }
    std::string Path() const { return game_.Session.RotationPath(); }
    const std::string& Folder() const { return game_.Session.Folder(); }

    // A position as typed, 1 for the first entry, as the document's 0-based index.
    std::size_t Position(const std::string& typed) const;
    // FROM and TO as typed, or every entry when none are given.
    EntrySelection Range(const std::vector<std::string>& operands) const;
    // A scenario given as <mission-file>::<key>, or as a key alone that one mission file holds.
    int16_t Scenario(const std::string& typed) const;

    // Shows or saves the edited document.
    int Finish(Output& out);

private:
    std::unique_ptr<FolderLock> Lock();
    RotationDocument& Read(bool createsMissing);

    const Invocation& invocation_;
    Game game_;
    std::unique_ptr<FolderLock> lock_;
    RotationDocument& document_;
};

// What a save did, on the output or as the program's error (CliError).
void TellSave(const Invocation& invocation, const SaveOutcome& saved, const std::string& path, Output& out);

// The edits, each on the document of an Edit.
void AddStep(const Invocation& invocation, Edit& edit);
void RemoveStep(const Invocation& invocation, Edit& edit);
void MoveStep(const Invocation& invocation, Edit& edit);
void SetStep(const Invocation& invocation, Edit& edit);
void ShuffleStep(const Invocation& invocation, Edit& edit);
void SortStep(const Invocation& invocation, Edit& edit);

// An edit command on its own: its step, then the save.
int RunEdit(const Invocation& invocation, Output& out);
// edit: the lines of a script (a file, or standard input), each an edit command, as one change.
int RunEditScript(const Invocation& invocation, Output& out);

}  // namespace rotaplex::cli
