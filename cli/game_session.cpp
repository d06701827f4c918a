#include "cli/game_session.h"

#include "cli/cli_error.h"
#include "cycle/file_rules.h"
#include "cycle/rotation_sets.h"

namespace rotaplex::cli {

void ThrowFailed(const std::string& path, const std::string& reason) {
    throw CliError(kFileFailed, path + ": " + reason);
}

namespace {

[[noreturn]] void ThrowNoSet(const std::string& name) {
    throw CliError(kBadRequest, "no set \"" + name + "\" (rotaplex-cli sets lists them)");
}

// What the reading reports, check tells in its own way; the other commands need none of it.
void ReadQuietly(GameSession& session, bool missingFails, const std::optional<std::string>& set) {
    CollectingReporter ignored;
    try {
        session.ReadRotation(ignored, missingFails || set);
    } catch (const FileError& error) {
        if (set && error.Fault() == FileFault::NotFound) ThrowNoSet(*set);
        ThrowFailed(error.Path(), error.Reason());
    }
}

}  // namespace

const std::string& CheckedSetName(const std::string& typed) {
    if (const std::optional<std::string> refused = SetNameRefusal(typed))
        throw CliError(kBadRequest, "\"" + typed + "\": " + *refused);
    return typed;
}

GameSession ReadSet(FileSystem& files, const std::string& gameFolder, const std::string& name) {
    GameSession set = SetSession(files, gameFolder, CheckedSetName(name));
    ReadQuietly(set, true, name);
    return set;
}

Game OpenGame(const Invocation& invocation) {
    FileSystem& files = *invocation.Files;
    const std::string folder = FolderPath(invocation.GameFolder, files.Separator());
    Game game{invocation.Set ? SetSession(files, folder, CheckedSetName(*invocation.Set)) : GameSession(files, folder),
              {}, invocation.Set};
    // Told as the operator typed it; the session's own path ends with a separator.
    const std::string& given = invocation.GameFolder;
    try {
        switch (files.KindOf(game.Session.Folder())) {
        case PathKind::Folder:
            break;
        case PathKind::Missing:
            ThrowFailed(given, files.MissingReason());
        default:
            ThrowFailed(given, "not a folder");
        }
    } catch (const FileError& error) {
        ThrowFailed(given, error.Reason());
    }
    game.Session.ReadMissions(game.Reports);
    return game;
}

void ReadRotation(Game& game, bool missingFails) { ReadQuietly(game.Session, missingFails, game.Set); }

}  // namespace rotaplex::cli
