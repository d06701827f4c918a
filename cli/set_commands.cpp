#include "cli/set_commands.h"

#include "cli/cli_error.h"
#include "cli/game_session.h"
#include "cli/json_writer.h"
#include "cli/plain_text.h"
#include "cycle/file_rules.h"
#include "cycle/rotation_sets.h"

namespace rotaplex::cli {

int RunSets(const Invocation& invocation, Output& out) {
    Game game = OpenGame(invocation);
    FileSystem& files = *invocation.Files;
    const std::string& folder = game.Session.Folder();
    std::optional<JsonWriter> json;
    if (invocation.Json) {
        json.emplace(out);
        json->BeginObject().Member("folder", SetsFolder(folder, files.Separator())).Key("sets").BeginArray();
    }
    for (const std::string& name : ListSets(files, folder)) {
        const GameSession set = ReadSet(files, folder, name);
        const std::size_t entries = set.Document().EntryCount();
        if (json) {
            json->BeginObject().Member("name", name).Member("file", set.RotationPath()).Member("entries", entries).EndObject();
        } else {
            out << Escaped(name) << '\t' << entries << '\n';
        }
    }
    if (json) json->EndArray().EndObject();
    return kDone;
}

int RunSaveSet(const Invocation& invocation, Output& out) {
    Game game = OpenGame(invocation);
    ReadRotation(game);
    const std::string& name = CheckedSetName(invocation.Operands.front());
    FileSystem& files = *invocation.Files;
    try {
        TellSave(invocation, SaveAsSet(files, game.Session, name), SetPath(game.Session.Folder(), files.Separator(), name),
                 out);
    } catch (const FileError& error) {
        ThrowFailed(error.Path(), error.Reason());
    }
    return kDone;
}

int RunDeleteSet(const Invocation& invocation, Output& out) {
    const Game game = OpenGame(invocation);
    FileSystem& files = *invocation.Files;
    const std::string& folder = game.Session.Folder();
    const GameSession set = ReadSet(files, folder, invocation.Operands.front());
    try {
        DeleteSet(files, folder, invocation.Operands.front());
    } catch (const FileError& error) {
        ThrowFailed(error.Path(), error.Reason());
    }
    out << "Deleted " << Escaped(set.RotationPath()) << "; its last version is kept as "
        << Escaped(BackupPath(set.RotationPath())) << '\n';
    return kDone;
}

int RunRenameSet(const Invocation& invocation, Output& out) {
    const Game game = OpenGame(invocation);
    FileSystem& files = *invocation.Files;
    const std::string& folder = game.Session.Folder();
    const GameSession set = ReadSet(files, folder, invocation.Operands[0]);
    const std::string& to = CheckedSetName(invocation.Operands[1]);
    try {
        if (const std::optional<std::string> refused = RenameSet(files, folder, invocation.Operands[0], to))
            throw CliError(kBadRequest, *refused);
    } catch (const FileError& error) {
        ThrowFailed(error.Path(), error.Reason());
    }
    out << "Renamed " << Escaped(set.RotationPath()) << " to " << Escaped(SetPath(folder, files.Separator(), to)) << '\n';
    return kDone;
}

void ActivateStep(const Invocation& invocation, Edit& edit) {
    const std::string& name = invocation.Operands.front();
    const GameSession set = ReadSet(*invocation.Files, edit.Folder(), name);
    if (Activate(edit.Document(), set.Document(), edit.Catalogue()) == Activation::NoEntries)
        throw CliError(kBadRequest, "the set \"" + name + "\" has no entries: the server would have nothing to play");
}

}  // namespace rotaplex::cli
