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
    const std::string& folder = game.Session.Folder();
    try {
        switch (files.KindOf(folder)) {
        case PathKind::Folder:
            break;
        case PathKind::Missing:
            ThrowFailed(folder, files.MissingReason());
        default:
            ThrowFailed(folder, "not a folder");
        }
    } catch (const FileError& error) {
        ThrowFailed(folder, error.Reason());
    }
    game.Session.ReadMissions(game.Reports);
    return game;
}

void ReadRotation(Game& game) {
    // What the reading reports, check tells in its own way; the other commands need none of it.
    CollectingReporter ignored;
    try {
        game.Session.ReadRotation(ignored, true);
    } catch (const FileError& error) {
        ThrowFailed(error.Path(), error.Reason());
    }
}

}  // namespace rotaplex::cli
