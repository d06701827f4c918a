#include "cli/game_session.h"

#include "cli/cli_error.h"
#include "cycle/file_rules.h"

namespace rotaplex::cli {

void ThrowFailed(const std::string& path, const std::string& reason) {
    throw CliError(kFileFailed, path + ": " + reason);
}

Game OpenGame(const Invocation& invocation) {
    FileSystem& files = *invocation.Files;
    Game game{GameSession(files, FolderPath(invocation.GameFolder, files.Separator())), {}};
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

void ReadRotation(Game& game, bool missingFails) {
    // What the reading reports, check tells in its own way; the other commands need none of it.
    CollectingReporter ignored;
    try {
        game.Session.ReadRotation(ignored, missingFails);
    } catch (const FileError& error) {
        ThrowFailed(error.Path(), error.Reason());
    }
}

}  // namespace rotaplex::cli
